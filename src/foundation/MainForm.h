#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "foundation/Settings.h"
#include "foundation/SortGrid.h"
#include "output/ClassTTurnier.h"
#include "output/druck.h"
#include "output/druckOp.h"
#include "platform/Controls.h"
#include "platform/Grids.h"

// The main window as the tables, the settings and the tournament engine see it: the data tables,
// the lookup lists, the tournament state and the controls whose contents they read and write,
// and the window operations they call. The real window implements those operations; tests use a
// light one. Nothing here draws.
class TMainForm : public TForm {
public:
    TMainForm();
    ~TMainForm() override = default;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Window operations.
    // Refills a plan grid for a view mode and key; mode 0 takes the view from the node selected
    // in that plan's tournament tree. The operations of the program call it as (grid, 0, 0, none).
    virtual void DoPlan(TStringGrid& plan, int viewMode, int key, const TStrings* filter) = 0;
    // Rebuilds both tournament trees from the tables and the lookup lists.
    virtual void doTurnierBaum() = 0;
    // With empty true disables what needs an open tournament, with false enables it.
    virtual void showMenuEmpty(bool empty, bool flag) = 0;
    // Resets every input field, list and plan grid of the window.
    virtual void InitAll() = 0;
    // Shows one tool page; a tag below 1 shows the tool overview.
    virtual void showWerkzeug(int tag) = 0;
    // Text of status-bar panel 1, 2 or 3; other panel numbers are ignored.
    virtual void setStatusText(int panel, const std::string& text) = 0;
    // Lays out and redraws the graphic tournament view; callers call it only while ScrollBox1,
    // the view's scroll box, is visible.
    virtual void doGrafik(int flag) = 0;

    // Display text of the referee of a Spielplan row.
    std::string getSchiriName(int row) const;
    // The component of that name, or null.
    TComponent* FindComponent(const std::string& name) const;

    // Data tables.
    TSortGrid Turnier, Gruppe, Teams, Spielplan, Platz, Ein, UkSound, XMasterGrid, Temp, Schiris;
    // The rows of the keys in Ein, for the settings' look-ups.
    mutable SettingRows EinKeys;

    // Tournament state.
    int AktTurNr = 0;
    int AnzTurniere = 0;
    int AnzRunden = 0;
    std::string TurFileDir;
    bool ShowLoadDialog = true;
    // Set by the start check once every slot has its name while the tool area is closed. The
    // plans do not go by it: it belongs to no tournament (switching keeps it, a file does not
    // carry it) and it depends on the tool area. They show the start from the current
    // tournament's own data: its group states (">>"), its column settings and assigned names.
    uint8_t TurGestartet = 0;
    int Plan1Modus = 0, Plan2Modus = 0;
    std::string VersionText;
    std::string Wertung1, Wertung2, Wertung3;
    // The name of scoring value k (1 points, 2 sets or goals, 3 balls) as results name it: the
    // tournament's own name, else "Punkte", "Sätze", "Bälle".
    std::string ScoreName(int k) const;
    // False while the tournament option "MinusPunkte" hides the points and sets lost.
    bool MinusAnzeigen = true;
    // Set while the notation parser builds a tournament form.
    bool TurFormBuild = false;
    // Set while round creation may announce new rounds.
    bool RundenAnsage = false;
    TStringList KonfliktTeams;

    // Output: the projector link and the print engine with its options.
    TTurnier Beamer;
    TfrmDruck frmDruck;
    TfrmDruckOptionen frmDruckOptionen{frmDruck};
    // The window's modal dialogs: made by the dialogs on first use (DialogsOf), kept as long as
    // the window, so that what a dialog holds between two showings stays.
    std::shared_ptr<void> DialogSet;

    // Lookup lists: item i is the value for group, participant, field or round number i.
    TListBox XAGruppBez, XAGruppName, XATeams, XATeamsTur, XAFelder, XARunden, XTempList;

    // Views and controls whose contents the operations read and write.
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
    TRadioButton RadioButton6, RadioButton9;
    TOpenDialog OpenDialog1;
    TMenuItem AktuellesTurnierentfernen1, AktuellesTurnierspeichern1, AktuellesTurnierspeichernunter1,
        AlleTurnierespeichern1, Ansicht1, Datei1, Datum1, Druckdialog2, Einstellungen1, Einzelansicht1,
        EndPlatzierungbearbeiten1, Ende1, Ergebnis1, Ergebnisse1, Exportieren1, Farbschema1, Fehlermeldungen1,
        Feld1, GeteilteAnsicht1, Grafikansicht1, Gruppe1, Hilfe1, Importieren1, Mannschaftsnameneingeben1,
        MarovelkandisHilfedatei1, NeueRundeanlegen1, NeuerMarovelkandis1, NeuesTurnierhinzufuegen1,
        Passwortschutz1, Punkte1, Rundeanlegen1, Schiedsrichter1, Soundassistent1, Spiel3, Spiel6, Spiel10,
        SpielNummer1, Spieleverschiebbar1, Statistiken1, Turnierdurchspielen1, Turnierladen1, Uhrzeit1, Werkzeug1;
    TSpeedButton SpeedButton7, SpeedButton8, SpeedButton9;
    TLabel Label8, Label9, Label13, Label14, Label15, Label16, Label17, Label18, Label19, Label20, Label21, Label22,
        Label23, Label24, Label25, Label26, Label27, Label30, Label34, Label39, Label42, Label49, Label50, Label51,
        Label52, Label53, Label58, Label60, Label61, Label62, Label63, Label79;
    TPanel Panel4, Panel6, Panel7, Panel8, Panel9, Panel11, Panel12, Panel22, Panel23, Panel28, Panel29, Panel30,
        Panel34, Panel54, Panel55, Panel57, Panel63, Panel65;
    TTabSheet TabSheet1, TabSheet3, TabSheet5, TabSheet6, TabSheet7, TabSheet8, TabSheet29, TabSheet30, TabSheet34,
        TabSheet35, TabSheet36;
    TCheckBox CheckBox1, CheckBox2, CheckBox6;
    TRadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton7, RadioButton8,
        RadioButton18, RadioButton19, RadioButton20;
    TRadioGroup RadioGroup1, RadioGroup2;

    // Tournament store and files: the selector of the open tournaments, the participant words
    // and ranking mode of the current one, the save dialog and the autosave's memory.
    TComboBox XComboBox1;
    std::string TeamTyp, TeamTyps;
    int AktWertung = 1;
    TSaveDialog SaveDialog1;
    TMenuItem Spielergebnisse1, TurnierzumTausch1, Turnierform1;
    TSpeedButton SpeedButton2;
    // The minute the autosave last looked at, counted on the clock from day zero (-1: not yet),
    // and whether a failed autosave has been shown to the user since the last one that succeeded.
    long long AutoSaveMinute = -1;
    bool AutoSaveFehlerGezeigt = false;
    // The files (as the tournaments name them) another program changed that a skipped autosave
    // has shown, each until the file is saved or loaded again.
    std::set<std::string> AutoSaveKonfliktGezeigt;

    // Placeholder assignment: the sub-pages "Platzhalter" and "Schiedsrichter" of the
    // placeholder tool, the names of the neutral referees, the player-list import and the
    // arrows that move an assignment one row.
    TPageControl PageControlPlatzhalter;
    TTabSheet TabSheetPlatzhalter, TabSheetSchiedsrichter;
    TListBox ListBox4;
    TButton Button2;
    TUpDown UpDown1;

    // Rounds: the inputs of the round page, the round-editing page, and the operation that is
    // working on the tables while the window lets its messages through (empty when none is).
    TEdit Edit5, Edit10, Edit11, Edit12, Edit13;  // day, start time, fields, game length, pause
    TEdit umEdit1, umEdit2, umEdit3, umEdit4;     // points per win, draw, set, equal balls
    TEdit Edit6, Edit7, Edit8, Edit9;             // round number and name, group id and name
    TLabel Label31;                               // number of the selected group
    std::string BusyWith;

    // Editing: the minute fields of the "Sonstiges" tab (time shift and game length change).
    TEdit umValidEdit5, umValidEdit7;

    // Standings ranking (engine/Platzierung.h): the tables as result processing last left them
    // with every group's standings in ranked order, by their change counts, the ranking settings
    // then in force, and the Platz rows of each group (by group number). Any other change of the
    // tables makes the stamp outdated.
    struct StandingsStamp {
        bool valid = false;
        std::uint64_t platz = 0, teams = 0, spielplan = 0;
        std::string settings;
        std::vector<std::vector<int>> rowsOfGroup;
        // By group: the count of changes to the standings' names at which every row of the
        // group was seen with a name.
        std::vector<std::uint64_t> namedAt;
        // By group: the values the ranking compares of each of its rows, in table order (by
        // step, head-to-head aside, larger better); none where not read since the group was last
        // ranked as a whole.
        std::vector<std::vector<std::array<double, 6>>> valuesOfGroup;
        // The ranking settings as last read, at the settings' count `at` of tournament
        // `tournament`: all in one text, and the three that choose the ranking's steps.
        struct SettingsRead {
            std::uint64_t at = ~std::uint64_t{0};
            int tournament = 0;
            std::string text;
            bool football = false, headToHead = false, headToHeadFirst = false;
        } settingsRead;
    };
    StandingsStamp RankedStandings;
    // Opening later groups (engine/Gruppenstatus.h): what it read of the tables, with the change
    // counts of what it was read from. `namesShown`: the counts at which every standings row
    // showed its participant's name, `namesSeen` the names then (by participant number) and
    // `oneRowEach` whether each participant then had at most one row, its number written as
    // FindRow finds it; `players` and `referees`: the groups the participants and
    // the referees of every game come from, read at the counts `playersRead` and `refereesRead`
    // (a round's referees change more often than its participants); `sourcesOf` the two
    // together by group number; `nothingOpened`: the counts of the groups' states and numbers at
    // which no group could open with these sources.
    struct SlotSources {
        // The games' changes when last read, and the participant slots' source groups and the
        // number of groups then: while these two stay, only the game rows written since are read.
        std::uint64_t planRead = ~std::uint64_t{0};
        std::array<std::uint64_t, 2> teamsRead{~std::uint64_t{0}, ~std::uint64_t{0}};
        std::vector<std::array<int, 3>> ofRow;  // by game row: its group (0 for none), the sources of its slots
        std::vector<std::vector<int>> ofGroup;  // by group number, ascending, each once
    };
    struct LaterGroupsMemo {
        static constexpr std::uint64_t kNever = ~std::uint64_t{0};  // no count has it
        std::array<std::uint64_t, 3> namesShown{kNever, kNever, kNever};
        std::vector<std::string> namesSeen;
        bool oneRowEach = false;
        std::array<std::uint64_t, 5> playersRead{kNever, kNever, kNever, kNever, kNever};
        std::array<std::uint64_t, 4> refereesRead{kNever, kNever, kNever, kNever};
        SlotSources players, referees;
        std::vector<std::vector<int>> sourcesOf;
        std::uint64_t sourcesRead = 0;  // counts the reads of sourcesOf
        std::array<std::uint64_t, 3> nothingOpened{kNever, kNever, kNever};
    };
    LaterGroupsMemo LaterGroupsRead;
    // Result processing (engine/SpielplanKlick.cpp): the games and the games with a winner of the
    // group counted last, at the change counts `read` of the games' groups, numbers and winners.
    struct ProgressMemo {
        int group = 0, games = 0, decided = 0;
        std::array<std::uint64_t, 3> read{LaterGroupsMemo::kNever, LaterGroupsMemo::kNever, LaterGroupsMemo::kNever};
    };
    ProgressMemo ProgressCounted;

    // Reach: the plans' popup entry "Spieleinstellung" and the menu entry "Vorbereitung", which
    // prepares the participants of a tournament that is made or loaded next.
    TMenuItem Spieleinstellung1, Vorbereitung1;

    // The round page proposes round `number`: its number and name, and the carry-over of the
    // previous round's results, which only a round after the first can have.
    void ProposeRound(int number);

protected:
    // Makes a component of the window findable by its name.
    void Register(TComponent& component, const char* name);

private:
    void RegisterComponents();
    void SetUpViews();
    void SetUpPlatzhalterViews();
    void SetUpRoundPages();
    void SetUpEditing();
    std::vector<TComponent*> components_;
};
