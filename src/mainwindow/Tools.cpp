// The tool area: one page at a time in place of the plans.
#include "engine/RundenBaum.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "mainwindow/main.h"

void TForm1::showWerkzeug(int tag) {
    Log("[F] showWerkzeug(" + IntToStr(tag) + ")");
    const int wanted = tag < 1 ? 0 : tag;
    for (TTabSheet* page : PageControl1.Pages)
        if (page->Tag == wanted) {
            PageControl1.SetActivePage(page);
            break;
        }
    // The round-editing page shows the round tree as it is now; opening the area rebuilds it too.
    if (!ToolAreaOpen()) OpenToolArea();
    else if (wanted == 30) doTreeView3(*this);
}

void TForm1::IAeverButton11Click(TObject*) {
    Ran(__func__);
    if (ToolAreaOpen()) return CloseToolArea();
    showWerkzeug(0);
}

void TForm1::IAeverButton22Click(TObject*) { Ran(__func__); showWerkzeug(0); }

void TForm1::IAeverButton54Click(TObject*) {
    Ran(__func__);
    if (ToolAreaOpen()) CloseToolArea();
}

void TForm1::OpenToolArea() {
    PageControl1.Visible = true;
    IAeverButton54.Visible = true;
    doTreeView3(*this);
}

// The plans come back with what changed while the tools were open.
void TForm1::CloseToolArea() {
    PageControl1.Visible = false;
    IAeverButton54.Visible = false;
    DoPlan(XPlan1, 0, 0, nullptr);
    DoPlan(XPlan2, 0, 0, nullptr);
}

void TForm1::BindTools() {
    IAeverButton54.Visible = false;
    IAeverButton11.OnClick = [this](TObject* s) { IAeverButton11Click(s); };
    IAeverButton22.OnClick = [this](TObject* s) { IAeverButton22Click(s); };
    IAeverButton54.OnClick = [this](TObject* s) { IAeverButton54Click(s); };
}
