#pragma once
#include <cstdint>
#include <string>

#include "components/IAeverButton.h"
#include "foundation/SortGrid.h"
#include "platform/Controls.h"
#include "platform/Grids.h"

// The main window: the hub that owns every data table, lookup list and control that the
// program's operations share. Handlers are defined in the folder of the subsystem they serve.
class TForm1 : public TForm {
public:
    explicit TForm1(const std::string& firstArgument = "");
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;
    std::string ClassName() const override { return "TForm1"; }

    void FormCreate();

    // Operations that other subsystems rely on.
    void DoPlan(TStringGrid& plan, int viewMode, int key, const TStrings* filter);
    void doTurnierBaum();
    std::string getSchiriName(int row);
    void setStatusText(int panel, const std::string& text);
    void showMenuEmpty(bool empty, bool flag);
    void InitAll();
    void showWerkzeug(int tag);
    void lngSetAll();

    // Name lists of teams, referees and time keepers.
    void loadNamensliste(bool teams);
    void RadioButton6Click(TObject* sender);
    void RadioButton9Click(TObject* sender);
    void Button6Click(TObject* sender);
    void Button3Click(TObject* sender);
    void IAeverButton36Click(TObject* sender);
    void Button4Click(TObject* sender);
    void IAeverButton8Click(TObject* sender);
    void IAeverButton10Click(TObject* sender);
    void BindNameLists();
    // The component of that name, or null.
    TComponent* FindComponent(const std::string& name) const;

    // Data tables.
    TSortGrid Turnier, Gruppe, Teams, Spielplan, Platz, Ein, UkSound, XMasterGrid, Temp, Schiris;

    // Tournament state.
    int AktTurNr = 0;
    int AnzTurniere = 0;
    int AnzRunden = 0;
    std::string TurFileDir;
    bool ShowLoadDialog = true;
    uint8_t TurGestartet = 0;
    int Plan1Modus = 0, Plan2Modus = 0;
    std::string VersionText;
    std::string Wertung1, Wertung2, Wertung3;
    // False while the tournament option "MinusPunkte" hides the points and sets lost.
    bool MinusAnzeigen = true;
    // Set while the notation parser builds a tournament form.
    bool TurFormBuild = false;
    // Set while round creation may announce new rounds.
    bool RundenAnsage = false;
    TStringList KonfliktTeams;

    // Lookup lists: item i is the value for group, participant, field or round number i.
    TListBox XAGruppBez, XAGruppName, XATeams, XATeamsTur, XAFelder, XARunden, XTempList;

    // Views.
    TStringGrid XPlan1, XPlan2, Gruppen, TPlatz, Xplatzgrid;
    TTreeView XTreeView1, XTreeView2, TreeView3;
    TMemo Memo1;
    TRichEdit RichEdit1, RichEdit2, RichEdit3;
    TStatusBar StatusBar1;
    TPageControl PageControl1, PageControl2;
    TPanel ScrollBox1;
    TCheckBox XZeitSpiele;
    TEdit Edit3, Edit4, umNeutral, umNeutral2;
    TListView ListView1, ListView2;
    TEdit Edit1, Edit14;
    TButton Button3, Button4, Button6;
    TIAeverButton IAeverButton8, IAeverButton10, IAeverButton36;
    TRadioButton RadioButton6, RadioButton9;
    TOpenDialog OpenDialog1;
    TMenuItem AktuellesTurnierentfernen1, AktuellesTurnierspeichern1, AktuellesTurnierspeichernunter1, AlleTurnierespeichern1, Ansicht1, Datei1, Datum1, Druckdialog2, Einstellungen1, Einzelansicht1, EndPlatzierungbearbeiten1, Ende1, Ergebnis1, Ergebnisse1, Exportieren1, Farbschema1, Fehlermeldungen1, Feld1, GeteilteAnsicht1, Grafikansicht1, Gruppe1, Hilfe1, Importieren1, Mannschaftsnameneingeben1, MarovelkandisHilfedatei1, NeueRundeanlegen1, NeuerMarovelkandis1, NeuesTurnierhinzufuegen1, Passwortschutz1, Punkte1, Rundeanlegen1, Schiedsrichter1, Soundassistent1, Spiel3, Spiel6, Spiel10, SpielNummer1, Spieleverschiebbar1, Statistiken1, Turnierdurchspielen1, Turnierladen1, Uhrzeit1, Werkzeug1;
    TIAeverButton IAeverButton2, IAeverButton3, IAeverButton7, IAeverButton9, IAeverButton11, IAeverButton12, IAeverButton13, IAeverButton14, IAeverButton16, IAeverButton17, IAeverButton18, IAeverButton19, IAeverButton20, IAeverButton22, IAeverButton24, IAeverButton33, IAeverButton37, IAeverButton38, IAeverButton40, IAeverButton42, IAeverButton43, IAeverButton44, IAeverButton45, IAeverButton46, IAeverButton48, IAeverButton50, IAeverButton52, IAeverButton54;
    TSpeedButton SpeedButton7, SpeedButton8, SpeedButton9;
    TLabel Label8, Label9, Label13, Label14, Label15, Label16, Label17, Label18, Label19, Label20, Label21, Label22, Label23, Label24, Label25, Label26, Label27, Label30, Label34, Label39, Label42, Label49, Label50, Label51, Label52, Label53, Label58, Label60, Label61, Label62, Label63, Label79;
    TPanel Panel4, Panel6, Panel7, Panel8, Panel9, Panel11, Panel12, Panel22, Panel23, Panel28, Panel29, Panel30, Panel34, Panel54, Panel55, Panel57, Panel63, Panel65;
    TTabSheet TabSheet1, TabSheet3, TabSheet5, TabSheet6, TabSheet7, TabSheet8, TabSheet29, TabSheet30, TabSheet34, TabSheet35, TabSheet36;
    TCheckBox CheckBox1, CheckBox2, CheckBox6;
    TRadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton7, RadioButton8, RadioButton18, RadioButton19, RadioButton20;
    TRadioGroup RadioGroup1, RadioGroup2;

private:
    void Register(TComponent& component, const char* name);
    void RegisterComponents();
    void SetUpViews();
    std::vector<TComponent*> components_;
};

// The one main window, published for every subsystem once it is constructed.
extern TForm1* Form1;
