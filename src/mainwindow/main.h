#pragma once
#include <functional>
#include <set>
#include <string>

#include "components/IAeverButton.h"
#include "foundation/MainForm.h"
#include "mainwindow/GameList.h"

// The main window: the shaped buttons and the handlers of its menus, buttons and views, on top
// of what the tables and the engine share with it. Handlers are short calls into the foundation
// and the engine; they are defined in files by area.
class TForm1 : public TMainForm {
public:
    TForm1();
    ~TForm1() override;
    std::string ClassName() const override { return "TForm1"; }

    // The handlers that have run so far, each named once: which of the window's menus, buttons
    // and events the user's actions have reached. Whoever wants to know empties it first.
    std::set<std::string> HandlersRun;

    // Start and end (Start.cpp).
    void FormCreate();
    // The first showing: a first argument ending in ".tur" is loaded by loadCommand, which runs
    // the load command of the menu while ShowLoadDialog is cleared, so that it takes the file
    // from OpenDialog1's list instead of asking; then the time keepers are read into ListView1.
    void FormShow(const std::string& firstArgument, const std::function<void()>& loadCommand);
    // "Beenden" of the menu: closes the window when FormCloseQuery allows it.
    void Ende1Click(TObject* sender);
    // What must be asked before the program ends; true when it may end.
    bool FormCloseQuery();
    // Set once the window has been closed; the front end then stops taking commands.
    bool Closed = false;

    // Window operations (views).
    void DoPlan(TStringGrid& plan, int viewMode, int key, const TStrings* filter) override;
    void doTurnierBaum() override;
    void showMenuEmpty(bool empty, bool flag) override;
    void InitAll() override;
    void showWerkzeug(int tag) override;
    void setStatusText(int panel, const std::string& text) override;
    void doGrafik(int flag) override;
    // Puts the numbered texts into the window's components.
    void lngSetAll();

    // Views: a node chosen in a tournament tree shows its view in the plan below that tree.
    void XTreeView1Change(TObject* sender, TTreeNode* node);
    void XTreeView2Change(TObject* sender, TTreeNode* node);

    // Tools: "Werkzeug" toggles the tool area and the plans, "Zur Werkzeugübersicht" shows the
    // overview page, "Werkzeuge schliessen" closes the area.
    void IAeverButton11Click(TObject* sender);
    void IAeverButton22Click(TObject* sender);
    void IAeverButton54Click(TObject* sender);
    bool ToolAreaOpen() const { return PageControl1.Visible; }

    // Names: teams, referees and time keepers.
    void RadioButton6Click(TObject* sender);
    void RadioButton9Click(TObject* sender);
    void Button6Click(TObject* sender);
    void Button3Click(TObject* sender);
    void IAeverButton36Click(TObject* sender);
    void Button4Click(TObject* sender);
    void IAeverButton8Click(TObject* sender);
    void IAeverButton10Click(TObject* sender);

    // Files: the open tournaments, their files and the exchange files.
    // New tournaments: one more (first: the only one, the wizard without cancel), or all anew.
    void NeuesTurnierhinzufuegen1Click(TObject* sender);
    void NeuesTurnier(bool first);
    void NeuerMarovelkandis1Click(TObject* sender);
    // The start question (new tournament, load, quit); a front end that has one sets StartDialog.
    void showStartDialog(bool flag);
    std::function<void()> StartDialog;
    void XComboBox1Change(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void AktuellesTurnierspeichern1Click(TObject* sender);
    void AktuellesTurnierspeichernunter1Click(TObject* sender);
    void IAeverButton6Click(TObject* sender);
    // Whether the last "save all" wrote every tournament: one that was not written need not be
    // marked changed (a file another program changed, kept as it is).
    bool AlleGespeichert = true;
    void AktuellesTurnierentfernen1Click(TObject* sender);
    void TurnierzumTausch1Click(TObject* sender);
    void Turnierform1Click(TObject* sender);
    void Spielergebnisse1Click(TObject* sender);
    void Ergebnisse1Click(TObject* sender);
    // Whether the last results import refused its file (unreadable, no export, another
    // tournament's): the command has failed although its box is only an information.
    bool ErgebnisImportAbgelehnt = false;
    // The results the last import took and those it held back.
    int ErgebnisseUebernommen = 0;
    int ErgebnisseZurueckgehalten = 0;
    // The export of results into a file of the user's choosing (the terminal names it).
    void ErgebnisseExportierenNach(const std::string& path);
    // The clock's tick: at each new minute of the day the autosave looks whether it is due.
    void Timer1Timer(TObject* sender);
    // Placeholder assignment and tournament start.
    void IAeverButton34Click(TObject* sender);
    void IAeverButton35Click(TObject* sender);
    void UpDown1Click(TObject* sender, TUDBtnType button);
    void IAeverButton30Click(TObject* sender);
    void IAeverButton39Click(TObject* sender);
    void Button2Click(TObject* sender);
    // Names dragged from ListView2 onto Xplatzgrid or ListBox4 are assigned as by IAeverButton34.
    void XplatzgridDragOver(TObject* sender, TObject* source, int x, int y, bool& accept);
    void XplatzgridDragDrop(TObject* sender, TObject* source, int x, int y);
    // The final placing (also the menu entry "Endplatzierung bearbeiten").
    void IAeverButton55Click(TObject* sender);
    // "Vorbereitung": participants and the kind of the next tournament; the new tournament or
    // the load of the stored form follows at once and takes their names.
    void Vorbereitung1Click(TObject* sender);

    // Rounds: the round page, the round tree of the round-editing page, referees, plan headers.
    void IAeverButton2Click(TObject* sender);
    void IAeverButton20Click(TObject* sender);
    void TreeView3Change(TObject* sender, TTreeNode* node);
    void SpeedButton9Click(TObject* sender);
    void IAeverButton13Click(TObject* sender);
    void IAeverButton40Click(TObject* sender);
    // Typing a number of neutral referees chooses neutral referees.
    void umNeutralChange(TObject* sender);
    void XPlan1Click(TObject* sender);
    void XPlan2Click(TObject* sender);

    // Editing: groups of the round page and of the tournament, single games, the clash report,
    // the play-through, scoring and time changes (Editing.cpp).
    void IAeverButton18Click(TObject* sender);
    void IAeverButton19Click(TObject* sender);
    void SpeedButton7Click(TObject* sender);
    void SpeedButton8Click(TObject* sender);
    void XPlan1DblClick(TObject* sender);
    void XPlan2DblClick(TObject* sender);
    // The plans' popup entry "Spieleinstellung": the single-game dialog of the game in the
    // selected row of the plan the popup was opened on (PopupPlan).
    void Spieleinstellung1Click(TObject* sender);
    TStringGrid* PopupPlan = &XPlan1;
    void IAeverButton38Click(TObject* sender);
    void IAeverButton33Click(TObject* sender);
    void IAeverButton9Click(TObject* sender);
    void IAeverButton3Click(TObject* sender);
    void umValidEdit5Change(TObject* sender);
    void umValidEdit7Change(TObject* sender);
    // The points fields umEdit1 to umEdit4 take digits and one decimal comma, not first.
    void umEdit1KeyPress(TObject* sender, char32_t& key);

    // Results: a game entry of the graphic view's popup menu (its tag is the game number) opens
    // the game's result entry; the placing conflict of the finished group given by the sender's
    // tag (0: the first that has one) is settled again.
    void SpielErgebnisClick(TObject* sender);
    void PlatzierungskonfliktClick(TObject* sender);

    TIAeverButton IAeverButton2, IAeverButton3, IAeverButton6, IAeverButton7, IAeverButton8, IAeverButton9, IAeverButton10,
        IAeverButton11, IAeverButton12, IAeverButton13, IAeverButton14, IAeverButton16, IAeverButton17,
        IAeverButton18, IAeverButton19, IAeverButton20, IAeverButton22, IAeverButton24, IAeverButton30,
        IAeverButton33, IAeverButton34, IAeverButton35, IAeverButton36, IAeverButton37, IAeverButton38,
        IAeverButton39, IAeverButton40, IAeverButton42, IAeverButton43, IAeverButton44, IAeverButton45,
        IAeverButton46, IAeverButton48, IAeverButton50, IAeverButton52, IAeverButton54, IAeverButton55;

private:
    void Ran(const char* handler) { HandlersRun.insert(handler); }
    // The game lists of the upper and the lower plan, kept between redraws.
    GameList plan1Games_, plan2Games_;
    void RegisterButtons();
    void BindNameLists();
    void BindFiles();
    void ShowPlans();
    void BindPlatzhalter();
    void BindViews();
    void BindTools();
    void OpenToolArea();
    void CloseToolArea();
    void BindRounds();
    void BindEditing();
};
