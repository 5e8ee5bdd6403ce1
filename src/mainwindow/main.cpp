#include "mainwindow/main.h"

#include <filesystem>
#include <utility>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/ProgramSettings.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"
#include "foundation/files/Dateihandling.h"
#include "platform/ProgramFolder.h"

TForm1* Form1 = nullptr;

namespace {
const char* const kVersionText = "Release 1.88a";

// The user's forms file starts with two header lines; records are appended below them.
void CreateEigenFormFile(const std::string& path) {
    Dateihandling file;
    if (!file.Open(path, "W", false)) return;
    file.WriteLine("Bitte diese Datei nicht editieren");
    file.WriteLine("|" + std::string(49, '-'));
    file.Close();
}
}  // namespace

TForm1::TForm1(const std::string& firstArgument) {
    Form1 = this;
    Name = "Form1";
    SetDebugModusFromArgument(firstArgument);
    IniPath = ProgramFile(kIniFileName);
    VersionText = kVersionText;
    SetCaption(FormatStr(lngText(0).c_str(), VersionText.c_str()));
    Log("Auf: " + GetWindowsVersion());
    TurFormBuild = false;
    TurFileDir = RegReadString("TurFileDir", ProgramFolder());
    RegisterComponents();
    CreateDataTables(*this);
    LogMemo = &Memo1;
    for (int i = 0; i < 4; ++i) StatusBar1.Panels.Add("");
    SetUpViews();
    BindNameLists();
}

void TForm1::SetUpViews() {
    XPlan1.SetColCount(11);
    XPlan2.SetColCount(11);
    Gruppen.SetColCount(5);
    TPlatz.SetColCount(2);
    Xplatzgrid.SetColCount(7);
    for (TStringGrid* grid : {&XPlan1, &XPlan2, &Gruppen, &TPlatz, &Xplatzgrid}) {
        grid->SetRowCount(2);
        grid->SetFixedCols(0);
    }
    // The tool area: the overview (tag 0), the round page and the round-editing page.
    TabSheet29.Tag = 29;
    TabSheet30.Tag = 30;
    PageControl1.Pages = {&TabSheet1, &TabSheet29, &TabSheet30};
    PageControl2.Pages = {&TabSheet5, &TabSheet8};
}

TForm1::~TForm1() {
    if (LogMemo == &Memo1) LogMemo = nullptr;
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::Register(TComponent& component, const char* name) {
    component.Name = name;
    components_.push_back(&component);
}

TComponent* TForm1::FindComponent(const std::string& name) const {
    for (TComponent* c : components_)
        if (c->Name == name) return c;
    return nullptr;
}

void TForm1::FormCreate() {
    CheckColumnNumbers(*this);
    RundenAnsage = true;
    const std::string eigenForm = ProgramFile("EigenForm.dat");
    if (!std::filesystem::exists(eigenForm)) CreateEigenFormFile(eigenForm);
    lngSetAll();
}

void TForm1::RegisterComponents() {
#define R(component) Register(component, #component)
    R(Turnier);
    R(Gruppe);
    R(Teams);
    R(Spielplan);
    R(Platz);
    R(Ein);
    R(UkSound);
    R(XMasterGrid);
    R(Temp);
    R(Schiris);
    R(XAGruppBez);
    R(XAGruppName);
    R(XATeams);
    R(XATeamsTur);
    R(XAFelder);
    R(XARunden);
    R(XTempList);
    R(XPlan1);
    R(XPlan2);
    R(Gruppen);
    R(TPlatz);
    R(Xplatzgrid);
    R(XTreeView1);
    R(XTreeView2);
    R(TreeView3);
    R(Memo1);
    R(RichEdit1);
    R(RichEdit2);
    R(RichEdit3);
    R(StatusBar1);
    R(PageControl1);
    R(PageControl2);
    R(ScrollBox1);
    R(XZeitSpiele);
    R(Edit3);
    R(Edit4);
    R(umNeutral);
    R(umNeutral2);
    R(ListView1);
    R(ListView2);
    R(Edit1);
    R(Edit14);
    R(Button3);
    R(Button4);
    R(Button6);
    R(IAeverButton8);
    R(IAeverButton10);
    R(IAeverButton36);
    R(RadioButton6);
    R(RadioButton9);
    R(OpenDialog1);
    R(TabSheet1);
    R(AktuellesTurnierentfernen1);
    R(AktuellesTurnierspeichern1);
    R(AktuellesTurnierspeichernunter1);
    R(AlleTurnierespeichern1);
    R(Ansicht1);
    R(Datei1);
    R(Datum1);
    R(Druckdialog2);
    R(Einstellungen1);
    R(Einzelansicht1);
    R(EndPlatzierungbearbeiten1);
    R(Ende1);
    R(Ergebnis1);
    R(Ergebnisse1);
    R(Exportieren1);
    R(Farbschema1);
    R(Fehlermeldungen1);
    R(Feld1);
    R(GeteilteAnsicht1);
    R(Grafikansicht1);
    R(Gruppe1);
    R(Hilfe1);
    R(Importieren1);
    R(Mannschaftsnameneingeben1);
    R(MarovelkandisHilfedatei1);
    R(NeueRundeanlegen1);
    R(NeuerMarovelkandis1);
    R(NeuesTurnierhinzufuegen1);
    R(Passwortschutz1);
    R(Punkte1);
    R(Rundeanlegen1);
    R(Schiedsrichter1);
    R(Soundassistent1);
    R(Spiel3);
    R(Spiel6);
    R(Spiel10);
    R(SpielNummer1);
    R(Spieleverschiebbar1);
    R(Statistiken1);
    R(Turnierdurchspielen1);
    R(Turnierladen1);
    R(Uhrzeit1);
    R(Werkzeug1);
    R(IAeverButton2);
    R(IAeverButton3);
    R(IAeverButton7);
    R(IAeverButton9);
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
    R(IAeverButton33);
    R(IAeverButton37);
    R(IAeverButton38);
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
    R(SpeedButton7);
    R(SpeedButton8);
    R(SpeedButton9);
    R(Label8);
    R(Label9);
    R(Label13);
    R(Label14);
    R(Label15);
    R(Label16);
    R(Label17);
    R(Label18);
    R(Label19);
    R(Label20);
    R(Label21);
    R(Label22);
    R(Label23);
    R(Label24);
    R(Label25);
    R(Label26);
    R(Label27);
    R(Label30);
    R(Label34);
    R(Label39);
    R(Label42);
    R(Label49);
    R(Label50);
    R(Label51);
    R(Label52);
    R(Label53);
    R(Label58);
    R(Label60);
    R(Label61);
    R(Label62);
    R(Label63);
    R(Label79);
    R(Panel4);
    R(Panel6);
    R(Panel7);
    R(Panel8);
    R(Panel9);
    R(Panel11);
    R(Panel12);
    R(Panel22);
    R(Panel23);
    R(Panel28);
    R(Panel29);
    R(Panel30);
    R(Panel34);
    R(Panel54);
    R(Panel55);
    R(Panel57);
    R(Panel63);
    R(Panel65);
    R(TabSheet3);
    R(TabSheet5);
    R(TabSheet6);
    R(TabSheet7);
    R(TabSheet8);
    R(TabSheet29);
    R(TabSheet30);
    R(TabSheet34);
    R(TabSheet35);
    R(TabSheet36);
    R(CheckBox1);
    R(CheckBox2);
    R(CheckBox6);
    R(RadioButton1);
    R(RadioButton2);
    R(RadioButton3);
    R(RadioButton4);
    R(RadioButton5);
    R(RadioButton7);
    R(RadioButton8);
    R(RadioButton18);
    R(RadioButton19);
    R(RadioButton20);
    R(RadioGroup1);
    R(RadioGroup2);
#undef R
}

std::string TForm1::getSchiriName(int row) {
    const std::string code = Get(Spielplan, Spielplan_Schir, row, true);
    if (code.empty()) return lngText(20);
    if (code[0] == 'N') {
        const std::string k = code.substr(1);
        return GetSetting("N" + k, lngText(20) + " " + k);
    }
    const int n = ToInt(code);
    std::string name = ListGet(XATeamsTur, n);
    return name.empty() ? ListGet(XATeams, n) : name;
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

void TForm1::showWerkzeug(int tag) {
    Log("[F] showWerkzeug(" + IntToStr(tag) + ")");
    const int wanted = tag < 1 ? 0 : tag;
    for (TTabSheet* page : PageControl1.Pages)
        if (page->Tag == wanted) {
            PageControl1.SetActivePage(page);
            return;
        }
}
