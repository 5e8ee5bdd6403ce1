// Handlers of the open tournaments, their files and the exchange files.
#include "engine/TurnierWechsel.h"
#include "mainwindow/main.h"

void TForm1::XComboBox1Change(TObject*) {
    if (!turnierWechseln(*this)) return;
    // A switch always ends in the plans: the tool area gives way when neither view is up.
    if (!ScrollBox1.Visible && !XPlan1.Visible) {
        showWerkzeug(0);
        IAeverButton22.Visible = false;
        IAeverButton54.Visible = false;
        XPlan1.Visible = true;
    }
    DoPlan(XPlan1, 0, 0, nullptr);
    DoPlan(XPlan2, 0, 0, nullptr);
}

void TForm1::BindFiles() {
    XComboBox1.OnChange = [this](TObject* s) { XComboBox1Change(s); };
}
