// Handlers of the round page, the round-editing page and the plans' headers.
#include "engine/RundeAnlegen.h"
#include "engine/RundenBaum.h"
#include "engine/Schiris.h"
#include "mainwindow/main.h"

void TForm1::IAeverButton2Click(TObject*) { Ran(__func__); RundeAnlegen(*this); }
void TForm1::IAeverButton20Click(TObject*) { Ran(__func__); NeueGruppe(*this); }
void TForm1::TreeView3Change(TObject*, TTreeNode*) { Ran(__func__); ::TreeView3Change(*this); }
void TForm1::SpeedButton9Click(TObject*) { Ran(__func__); GruppeUmbenennen(*this); }
void TForm1::IAeverButton13Click(TObject*) { Ran(__func__); RundeUmbenennen(*this); }
void TForm1::IAeverButton40Click(TObject*) { Ran(__func__); SchirisAktualisieren(*this); }
void TForm1::umNeutralChange(TObject*) {
    Ran(__func__);
    const int neutralReferees = 3;  // "[X] Neutrale Schiedsrichter", the count in umNeutral
    RadioGroup2.SetItemIndex(neutralReferees);
}
void TForm1::XPlan1Click(TObject*) { Ran(__func__); PlanKlick(*this, true); }
void TForm1::XPlan2Click(TObject*) { Ran(__func__); PlanKlick(*this, false); }

void TForm1::BindRounds() {
    IAeverButton2.OnClick = [this](TObject* s) { IAeverButton2Click(s); };
    IAeverButton20.OnClick = [this](TObject* s) { IAeverButton20Click(s); };
    TreeView3.OnChange = [this](TObject* s, TTreeNode* node) { TreeView3Change(s, node); };
    SpeedButton9.OnClick = [this](TObject* s) { SpeedButton9Click(s); };
    IAeverButton13.OnClick = [this](TObject* s) { IAeverButton13Click(s); };
    IAeverButton40.OnClick = [this](TObject* s) { IAeverButton40Click(s); };
    umNeutral.OnChange = [this](TObject* s) { umNeutralChange(s); };
    XPlan1.OnClick = [this](TObject* s) { XPlan1Click(s); };
    XPlan2.OnClick = [this](TObject* s) { XPlan2Click(s); };
}
