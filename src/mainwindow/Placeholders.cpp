// Handlers of the placeholder tool: assigning names to the team slots, the neutral referees'
// names, and the start of the tournament; and of the final placing.
#include "engine/EndPlatzierung.h"
#include "engine/NamenAusDatei.h"
#include "engine/PlatzhalterZuweisung.h"
#include "mainwindow/main.h"

void TForm1::IAeverButton34Click(TObject*) { Ran(__func__); doNamenZuweisen(*this); }
void TForm1::IAeverButton35Click(TObject*) { Ran(__func__); doNamenZuruecknehmen(*this); }
void TForm1::UpDown1Click(TObject*, TUDBtnType button) {
    Ran(__func__);
    doPlatzhalterVerschieben(*this, button == TUDBtnType::btNext);
}
void TForm1::IAeverButton30Click(TObject*) { Ran(__func__); doPlatzhalterMischen(*this); }
void TForm1::IAeverButton39Click(TObject*) { Ran(__func__); doNamenAusTextdatei(*this); }
void TForm1::Button2Click(TObject*) { Ran(__func__); doSpielerlistenImport(*this); }

void TForm1::XplatzgridDragOver(TObject*, TObject* source, int, int, bool& accept) {
    Ran(__func__);
    accept = source == &ListView2;
}

// The target is the grid's selected row, not the drop point.
void TForm1::XplatzgridDragDrop(TObject* sender, TObject* source, int x, int y) {
    Ran(__func__);
    bool accept = false;
    XplatzgridDragOver(sender, source, x, y, accept);
    if (accept) doNamenZuweisen(*this);
}

void TForm1::IAeverButton55Click(TObject*) { Ran(__func__); endPlatzierungBearbeiten(*this); }

void TForm1::BindPlatzhalter() {
    IAeverButton34.OnClick = [this](TObject* s) { IAeverButton34Click(s); };
    IAeverButton35.OnClick = [this](TObject* s) { IAeverButton35Click(s); };
    UpDown1.OnClick = [this](TObject* s, TUDBtnType button) { UpDown1Click(s, button); };
    IAeverButton30.OnClick = [this](TObject* s) { IAeverButton30Click(s); };
    IAeverButton39.OnClick = [this](TObject* s) { IAeverButton39Click(s); };
    Button2.OnClick = [this](TObject* s) { Button2Click(s); };
    IAeverButton55.OnClick = [this](TObject* s) { IAeverButton55Click(s); };
    EndPlatzierungbearbeiten1.OnClick = [this](TObject* s) { IAeverButton55Click(s); };
    IAeverButton30.SetCaption("Zufallsgenerator (Platzhalter)");
    IAeverButton39.SetCaption("Teams aus .txt Datei in Platzhalterliste");
    IAeverButton55.SetCaption("Endplatzierung bearbeiten");
}
