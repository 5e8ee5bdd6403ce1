// Handlers of the round page, the round-editing page and the plans' headers.
#include "engine/RundeAnlegen.h"
#include "engine/RundenBaum.h"
#include "engine/Schiris.h"
#include "mainwindow/main.h"

void TForm1::IAeverButton2Click(TObject*) { RundeAnlegen(*this); }
void TForm1::IAeverButton20Click(TObject*) { NeueGruppe(*this); }
void TForm1::TreeView3Change(TObject*, TTreeNode*) { ::TreeView3Change(*this); }
void TForm1::SpeedButton9Click(TObject*) { GruppeUmbenennen(*this); }
void TForm1::IAeverButton13Click(TObject*) { RundeUmbenennen(*this); }
void TForm1::IAeverButton40Click(TObject*) { SchirisAktualisieren(*this); }
void TForm1::XPlan1Click(TObject*) { PlanKlick(*this, true); }
void TForm1::XPlan2Click(TObject*) { PlanKlick(*this, false); }

void TForm1::BindRounds() {
    IAeverButton2.OnClick = [this](TObject* s) { IAeverButton2Click(s); };
    IAeverButton20.OnClick = [this](TObject* s) { IAeverButton20Click(s); };
    TreeView3.OnChange = [this](TObject* s, TTreeNode* node) { TreeView3Change(s, node); };
    SpeedButton9.OnClick = [this](TObject* s) { SpeedButton9Click(s); };
    IAeverButton13.OnClick = [this](TObject* s) { IAeverButton13Click(s); };
    IAeverButton40.OnClick = [this](TObject* s) { IAeverButton40Click(s); };
}
