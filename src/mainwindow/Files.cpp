// Handlers of the open tournaments, their files and the exchange files.
#include "engine/TurnierWechsel.h"
#include "foundation/files/TournamentFile.h"
#include "mainwindow/main.h"
#include "platform/Clock.h"

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

void TForm1::SpeedButton2Click(TObject*) {
    const int before = AnzTurniere;
    if (turniereLaden(*this) == 0) return;
    if (!IAeverButton11.Enabled && before > 1) {
        // The graphic view takes the place of the trees; a terminal has none to show.
        Panel4.Visible = false;
    } else if (IAeverButton54.Visible) {
        // The tool area closes and the plans come back.
        IAeverButton54.Visible = false;
        IAeverButton22.Visible = false;
        XPlan1.Visible = true;
    }
    DoPlan(XPlan1, 0, 0, nullptr);
    DoPlan(XPlan2, 0, 0, nullptr);
}

void TForm1::AktuellesTurnierspeichern1Click(TObject*) { saveTurnier(*this, false, false, false); }
void TForm1::AktuellesTurnierspeichernunter1Click(TObject*) { saveTurnier(*this, false, true, false); }
void TForm1::IAeverButton6Click(TObject*) { saveTurnier(*this, true, false, false); }

void TForm1::AktuellesTurnierentfernen1Click(TObject*) {
    if (!aktuellesTurnierEntfernen(*this) || AktTurNr < 1) return;
    DoPlan(XPlan1, 0, 0, nullptr);
    DoPlan(XPlan2, 0, 0, nullptr);
}

void TForm1::Timer1Timer(TObject*) {
    const TDateTime now = Now();
    const int minute = now.Hour * 60 + now.Minute;
    if (minute == AutoSaveMinute) return;
    AutoSaveMinute = minute;
    if (AutoSaveDue(*this, minute)) autoSaveTurniere(*this);
}

void TForm1::BindFiles() {
    XComboBox1.OnChange = [this](TObject* s) { XComboBox1Change(s); };
    SpeedButton2.OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    Turnierladen1.OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    AktuellesTurnierspeichern1.OnClick = [this](TObject* s) { AktuellesTurnierspeichern1Click(s); };
    AktuellesTurnierspeichernunter1.OnClick = [this](TObject* s) { AktuellesTurnierspeichernunter1Click(s); };
    IAeverButton6.OnClick = [this](TObject* s) { IAeverButton6Click(s); };
    AlleTurnierespeichern1.OnClick = [this](TObject* s) { IAeverButton6Click(s); };
    AktuellesTurnierentfernen1.OnClick = [this](TObject* s) { AktuellesTurnierentfernen1Click(s); };
}
