#include "foundation/MainForm.h"

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Platzgrid.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"

TMainForm::TMainForm() {
    RegisterComponents();
    CreateDataTables(*this);
    for (int i = 0; i < 4; ++i) StatusBar1.Panels.Add("");
    SetUpViews();
    SetUpRoundPages();
    SetUpEditing();
}

std::string TMainForm::ScoreName(int k) const {
    static const char* const kDefaults[] = {"Punkte", "Sätze", "Bälle"};
    const std::string* const names[] = {&Wertung1, &Wertung2, &Wertung3};
    if (k < 1 || k > 3) return {};
    return names[k - 1]->empty() ? kDefaults[k - 1] : *names[k - 1];
}

void TMainForm::SetUpViews() {
    XPlan1.SetColCount(11);
    XPlan2.SetColCount(11);
    Gruppen.SetColCount(5);
    TPlatz.SetColCount(2);
    for (TStringGrid* grid : {&XPlan1, &XPlan2, &Gruppen, &TPlatz, &Xplatzgrid}) {
        grid->SetRowCount(2);
        grid->SetFixedCols(0);
    }
    // The tool area: the overview (tag 0), the round page and the round-editing page.
    TabSheet29.Tag = 29;
    TabSheet30.Tag = 30;
    PageControl1.Pages = {&TabSheet1, &TabSheet29, &TabSheet30};
    PageControl2.Pages = {&TabSheet5, &TabSheet8};
    // The tool area and the graphic view stay hidden until the user asks for them.
    PageControl1.Visible = false;
    ScrollBox1.Visible = false;
    SetUpPlatzhalterViews();
}

void TMainForm::SetUpPlatzhalterViews() {
    Xplatzgrid.SetColCount(Platzgrid_Spalten);
    Xplatzgrid.SetCells(Platzgrid_Gruppe, 0, "Gruppe");
    Xplatzgrid.SetCells(Platzgrid_Platzhalter, 0, "Platzhalter");
    Xplatzgrid.SetCells(Platzgrid_Mannschaft, 0, "Mannschaft");
    for (int c = Platzgrid_Sperre; c < Platzgrid_Spalten; ++c) Xplatzgrid.SetColWidths(c, 0);
    TabSheetPlatzhalter.SetCaption("Platzhalter");
    TabSheetSchiedsrichter.SetCaption("Schiedsrichter");
    PageControlPlatzhalter.Pages = {&TabSheetPlatzhalter, &TabSheetSchiedsrichter};
    PageControlPlatzhalter.SetActivePage(&TabSheetPlatzhalter);
    Button2.SetCaption("Import Spielerlisten aus csv-Datei");
    UpDown1.Min = -5000;
    UpDown1.Max = 5000;
}

void TMainForm::ProposeRound(int number) {
    Edit4.SetText(IntToStr(number));
    Edit3.SetText(lngText(4) + " " + IntToStr(number));
    CheckBox6.Visible = number > 1;
}

void TMainForm::SetUpRoundPages() {
    ProposeRound(1);
    Edit5.SetText("1");
    Edit10.SetText("10:00");
    Edit11.SetText("1");
    Edit12.SetText("30");
    Edit13.SetText("10");
    for (TEdit* points : {&umEdit1, &umEdit2, &umEdit3, &umEdit4}) points->SetText("0");
    umNeutral.SetText("2");
    umNeutral2.SetText("0");
    RadioButton1.SetChecked(true);
    for (TRadioGroup* referees : {&RadioGroup1, &RadioGroup2}) {
        referees->Items.SetText(lngText(40));
        referees->SetItemIndex(0);
    }
}

void TMainForm::SetUpEditing() {
    umValidEdit5.SetText("10");
    umValidEdit7.SetText("10");
    for (TEdit* minutes : {&umValidEdit5, &umValidEdit7}) minutes->MaxLength = 4;
    RadioButton20.SetChecked(true);
    RadioButton7.SetChecked(true);
}

void TMainForm::Register(TComponent& component, const char* name) {
    component.Name = name;
    components_.push_back(&component);
}

TComponent* TMainForm::FindComponent(const std::string& name) const {
    for (TComponent* c : components_)
        if (c->Name == name) return c;
    return nullptr;
}

std::string TMainForm::getSchiriName(int row) const {
    const std::string code = Get(Spielplan, Spielplan_Schir, row, true);
    if (code.empty()) return lngText(20);
    if (code[0] == 'N') {
        const std::string k = code.substr(1);
        return GetSetting(*this, "N" + k, lngText(20) + " " + k);
    }
    const int n = ToInt(code);
    std::string name = ListGet(XATeamsTur, n);
    return name.empty() ? ListGet(XATeams, n) : name;
}

void TMainForm::RegisterComponents() {
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
    R(XComboBox1);
    R(SaveDialog1);
    R(Spielergebnisse1);
    R(TurnierzumTausch1);
    R(Turnierform1);
    R(PageControlPlatzhalter);
    R(TabSheetPlatzhalter);
    R(TabSheetSchiedsrichter);
    R(ListBox4);
    R(Button2);
    R(UpDown1);
    R(SpeedButton2);
    R(Edit5);
    R(Edit10);
    R(Edit11);
    R(Edit12);
    R(Edit13);
    R(umEdit1);
    R(umEdit2);
    R(umEdit3);
    R(umEdit4);
    R(umValidEdit5);
    R(umValidEdit7);
    R(Edit6);
    R(Edit7);
    R(Edit8);
    R(Edit9);
    R(Label31);
    R(Spieleinstellung1);
    R(Vorbereitung1);
#undef R
}
