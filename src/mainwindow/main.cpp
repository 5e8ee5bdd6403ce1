#include "mainwindow/main.h"

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/ProgramSettings.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"
#include "platform/ProgramFolder.h"

namespace {
const char* const kVersionText = "Release 1.88a";
}  // namespace

TForm1::TForm1() {
    Ran(__func__);
    Name = "Form1";
    VersionText = kVersionText;
    SetCaption(FormatStr(lngText(0).c_str(), VersionText.c_str()));
    Log("Auf: " + GetWindowsVersion());
    TurFormBuild = false;
    TurFileDir = RegReadString("TurFileDir", ProgramFolder());
    RegisterButtons();
    BindNameLists();
    BindFiles();
    BindPlatzhalter();
    BindViews();
    BindTools();
    BindRounds();
    BindEditing();
}

void TForm1::RegisterButtons() {
#define R(component) Register(component, #component)
    R(IAeverButton2);
    R(IAeverButton3);
    R(IAeverButton6);
    R(IAeverButton7);
    R(IAeverButton8);
    R(IAeverButton9);
    R(IAeverButton10);
    R(IAeverButton11);
    R(IAeverButton12);
    R(IAeverButton13);
    R(IAeverButton14);
    R(IAeverButton16);
    R(IAeverButton17);
    R(IAeverButton18);
    R(IAeverButton19);
    R(IAeverButton20);
    R(IAeverButton22);
    R(IAeverButton24);
    R(IAeverButton30);
    R(IAeverButton33);
    R(IAeverButton34);
    R(IAeverButton35);
    R(IAeverButton36);
    R(IAeverButton37);
    R(IAeverButton38);
    R(IAeverButton39);
    R(IAeverButton40);
    R(IAeverButton42);
    R(IAeverButton43);
    R(IAeverButton44);
    R(IAeverButton45);
    R(IAeverButton46);
    R(IAeverButton48);
    R(IAeverButton50);
    R(IAeverButton52);
    R(IAeverButton54);
    R(IAeverButton55);
#undef R
}

void TForm1::setStatusText(int panel, const std::string& text) {
    if (panel < 1 || panel > 3) return;
    StatusBar1.Panels.Set(panel, text);
}

void TForm1::showMenuEmpty(bool empty, bool flag) {
    Log("[F] showMenuEmpty(" + BoolToStr(empty) + "," + BoolToStr(flag) + ")");
    // Everything that needs an open tournament.
    TControl* const needTournament[] = {
        &AktuellesTurnierspeichern1, &AktuellesTurnierspeichernunter1, &AlleTurnierespeichern1,
        &AktuellesTurnierentfernen1, &Exportieren1, &Ergebnisse1, &Werkzeug1, &Ansicht1,
        &NeueRundeanlegen1, &Rundeanlegen1, &EndPlatzierungbearbeiten1, &Mannschaftsnameneingeben1,
        &Turnierdurchspielen1, &Druckdialog2, &Fehlermeldungen1, &Statistiken1, &Soundassistent1,
        &Passwortschutz1, &IAeverButton11, &IAeverButton12, &IAeverButton14, &IAeverButton17, &IAeverButton24,
        &Panel4, &Panel6, &Panel7};
    for (TControl* control : needTournament) control->Enabled = !empty;
}

void TForm1::InitAll() {
    Log("[F] InitAll(): Alle Felder zuruecksetzen");
    for (TListBox* list : {&XAGruppBez, &XAGruppName, &XATeams, &XATeamsTur, &XAFelder, &XARunden, &XTempList}) {
        list->Items.Clear();
        list->SetItemIndex(-1);
    }
    for (TStringGrid* grid : {&XPlan1, &XPlan2, &Gruppen, &TPlatz, &Xplatzgrid}) {
        for (int r = 1; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, "");
        grid->SetRowCount(2);
    }
    XTreeView1.Clear();
    XTreeView2.Clear();
    TreeView3.Clear();
    for (TEdit* edit : {&Edit3, &Edit4, &umNeutral, &umNeutral2}) edit->SetText("");
    for (TRichEdit* report : {&RichEdit1, &RichEdit2, &RichEdit3}) report->Clear();
    KonfliktTeams.Clear();
    Plan1Modus = Plan2Modus = 0;
    Label20.SetCaption("");
}
