// The tournament trees and the views of the two plans: game lists, a group's standings and the
// final placing.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/Gruppenstatus.h"
#include "engine/ResultTexts.h"
#include "engine/TableLookups.h"
#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"
#include "mainwindow/TextBinding.h"
#include "mainwindow/main.h"
#include "platform/Clock.h"

namespace {

// What a tree node stands for, kept in its Data: the kind in the high bits, a number below.
enum NodeKind : intptr_t {
    kPlanNode = 1,
    kRoundsNode = 2,
    kRoundNode = 3,
    kGroupNode = 4,
    kPlacingsNode = 5,
    kStandingsNode = 6,
    kFinalPlacingNode = 7
};
constexpr int kKindShift = 24;
intptr_t NodeData(NodeKind kind, int number) { return (static_cast<intptr_t>(kind) << kKindShift) | number; }
NodeKind KindOf(const TTreeNode& node) { return static_cast<NodeKind>(node.Data >> kKindShift); }
int NumberOf(const TTreeNode& node) { return static_cast<int>(node.Data & ((intptr_t{1} << kKindShift) - 1)); }

TTreeNode* AddNode(TTreeNode& parent, const std::string& text, NodeKind kind, int number) {
    TTreeNode* node = parent.AddChild(text);
    node->Data = NodeData(kind, number);
    return node;
}

std::string GroupLabel(const std::string& bez, const std::string& name) { return bez + " ( " + name + " )"; }

bool IsGroupRow(const TSortGrid& groups, int row) { return !groups.Cells(0, row).empty(); }

// The standings of every group and the final placing, after the rounds.
void AddPlacingNodes(TForm1& f, TTreeView& tree) {
    TTreeNode* placings = AddNode(tree.Root(), lngText(28), kPlacingsNode, 0);
    for (int r = 1; r < f.Gruppe.RowCount(); ++r)
        if (IsGroupRow(f.Gruppe, r))
            AddNode(*placings, lngText(18) + " " + GroupLabel(f.Gruppe.Cells(Gruppe_Bez, r), f.Gruppe.Cells(Gruppe_Name, r)),
                    kStandingsNode, IntGet(f.Gruppe, Gruppe_Nr, r, true));
    AddNode(*placings, lngText(29), kFinalPlacingNode, 0);
}

void BuildTree(TForm1& f, TTreeView& tree) {
    tree.Clear();
    TTreeNode* plan = AddNode(tree.Root(), lngText(22), kPlanNode, 22);
    for (int text = 23; text <= 26; ++text) AddNode(*plan, lngText(text), kPlanNode, text);
    if (f.XZeitSpiele.Checked()) {
        AddNode(*plan, lngText(80), kPlanNode, 80);
        AddNode(*plan, lngText(81), kPlanNode, 81);
    }
    AddNode(*plan, lngText(82), kPlanNode, 82);
    TTreeNode* rounds = AddNode(tree.Root(), lngText(5), kRoundsNode, 0);

    if (f.AnzRunden == 0 && !f.Teams.Cells(Teams_Name, 1).empty()) {
        // Groups typed in but no round created yet.
        TTreeNode* round = AddNode(*rounds, lngText(4) + " 1", kRoundNode, 1);
        for (int i = 1; i < f.XAGruppBez.Items.Count(); ++i)
            AddNode(*round, lngText(3) + " " + GroupLabel(f.XAGruppBez.Items[i], ListGet(f.XAGruppName, i)),
                    kGroupNode, i);
    } else {
        for (int i = 1; i < f.XARunden.Items.Count(); ++i) {
            TTreeNode* round = AddNode(*rounds, f.XARunden.Items[i], kRoundNode, i);
            for (int r = 1; r < f.Gruppe.RowCount(); ++r)
                if (IsGroupRow(f.Gruppe, r) && IntGet(f.Gruppe, Gruppe_RNr, r, true) == i)
                    AddNode(*round,
                            lngText(3) + " " + GroupLabel(f.Gruppe.Cells(Gruppe_Bez, r), f.Gruppe.Cells(Gruppe_Name, r)),
                            kGroupNode, IntGet(f.Gruppe, Gruppe_Nr, r, true));
        }
    }
    AddPlacingNodes(f, tree);
    tree.SetSelected(plan->Item(0));
}

// " >> " before the text of every node from the top level down to this one.
std::string NodePath(const TTreeNode* node) {
    std::string path;
    for (; node; node = node->Parent)
        if (node->Parent) path = " >> " + node->Text + path;
    return path;
}

// Item i of a lookup list; the empty text for a number the list does not have (a damaged file
// can hold any number).
std::string ItemOrEmpty(const TListBox& list, int i) {
    return i >= 0 && i < list.Items.Count() ? list.Items[i] : std::string();
}

// Display name of a participant number: the name assigned at the start, else the slot's text.
std::string ParticipantName(TForm1& f, int number) {
    if (number < 0 || number >= f.XATeams.Items.Count()) return {};
    std::string name = number < f.XATeamsTur.Items.Count() ? f.XATeamsTur.Items[number] : std::string();
    return name.empty() ? f.XATeams.Items[number] : name;
}

std::string GroupState(TForm1& f, int groupNumber) {
    int row = FindRow(f.Gruppe, Gruppe_Nr, IntToStr(groupNumber));
    return row > 0 ? f.Gruppe.Cells(Gruppe_State, row) : std::string();
}

// Which rows a view shows, and in which order.
struct View {
    int mode = 1;  // 1 all games, 4 one group, 5 one round, 7 by time of day; 2 standings, 3 final placing
    int key = 0;
};

bool ListsGames(int mode) { return mode == 1 || mode == 4 || mode == 5 || mode == 7; }

View ViewOfNode(const TTreeNode& node) {
    switch (KindOf(node)) {
        case kGroupNode: return {4, NumberOf(node)};
        case kRoundNode: return {5, NumberOf(node)};
        case kStandingsNode: return {2, NumberOf(node)};
        case kPlacingsNode:
        case kFinalPlacingNode: return {3, 0};
        case kPlanNode:
            if (NumberOf(node) >= 80) return {7, NumberOf(node) - 80};
            return {1, std::max(0, NumberOf(node) - 23)};
        default: return {1, 0};
    }
}

// A filter names group numbers; without one every group is shown.
bool PassesFilter(const TStrings* filter, int group) {
    return !filter || filter->IndexOf(IntToStr(group)) >= 0;
}

// Minutes from the start of day 0; wide, so that no stored day number can overflow it.
int64_t StartMinute(const TSortGrid& games, int row) {
    return static_cast<int64_t>(ToInt(games.Cells(Spielplan_Tag, row))) * 1440 +
           TimeToMinutes(games.Cells(Spielplan_Von, row));
}

bool ShowsGame(TForm1& f, const View& view, const TStrings* filter, int row) {
    const TSortGrid& games = f.Spielplan;
    if (games.Cells(0, row).empty() || !PassesFilter(filter, ToInt(games.Cells(Spielplan_GrNr, row)))) return false;
    switch (view.mode) {
        case 4: return ToInt(games.Cells(Spielplan_GrNr, row)) == view.key;
        case 5: return ToInt(games.Cells(Spielplan_RNr, row)) == view.key;
        case 7: {
            if (view.key == 2) return ErgebnisSumme(f, row) <= 0;
            const TDateTime now = Now();
            if (SpielDatum(f, row) != datetime::FormatDate(now)) return false;
            const int minute = now.Hour * 60 + now.Minute;
            const int from = TimeToMinutes(games.Cells(Spielplan_Von, row));
            const int to = TimeToMinutes(games.Cells(Spielplan_Bis, row));
            return view.key == 0 ? (from <= minute && minute < to) : from > minute;
        }
        default: return true;
    }
}

void SortGameRows(TForm1& f, const View& view, std::vector<int>& rows) {
    const TSortGrid& g = f.Spielplan;
    auto number = [&](int row, int column) { return ToInt(g.Cells(column, row)); };
    auto byKey = [&](auto key) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return key(a) < key(b); });
    };
    auto time = [&](int row) { return StartMinute(g, row); };
    byKey([&](int row) { return number(row, Spielplan_SpNr); });
    if (view.mode == 1 && view.key == 1) byKey(time);
    if (view.mode == 1 && view.key == 2) byKey([&](int row) { return number(row, Spielplan_GrNr); });
    if (view.mode == 1 && view.key == 3) byKey([&](int row) { return number(row, Spielplan_Feld); });
    if (view.mode == 7) byKey(time);
}

std::string TimeRange(const TSortGrid& g, int row) {
    const std::string& from = g.Cells(Spielplan_Von, row);
    const std::string& to = g.Cells(Spielplan_Bis, row);
    return from.empty() && to.empty() ? std::string() : from + " - " + to;
}

void FillGameRow(TForm1& f, TStringGrid& plan, int planRow, int row) {
    TSortGrid& g = f.Spielplan;
    const int group = ToInt(g.Cells(Spielplan_GrNr, row));
    const std::string mark = NimmtErgebnisse(GroupState(f, group)) ? ">>" : "";
    Put(g, Spielplan_Status, row, mark, true);
    const std::string cells[] = {
        mark,
        g.Cells(Spielplan_SpNr, row),
        SpielDatum(f, row),
        // The game's own field: the field list is ordered by first appearance, not by number.
        g.Cells(Spielplan_Feld, row),
        TimeRange(g, row),
        ItemOrEmpty(f.XAGruppBez, group),
        ParticipantName(f, ToInt(g.Cells(Spielplan_T1, row))) + " - " +
            ParticipantName(f, ToInt(g.Cells(Spielplan_T2, row))),
        PunkteText(f, row, false),
        ErgebnisText(f, row, 0, false),
        f.getSchiriName(row),
        ItemOrEmpty(f.XAGruppName, group),
    };
    for (int c = 0; c < 11; ++c) plan.SetCells(c, planRow, cells[c]);
}

// The columns of a view: the text of its header row, the settings of its column widths, their
// built-in values, and per column the "Spalte ..." switch that hides it (none: always shown).
struct ColumnLayout {
    int headerText;
    const char* widthSetting;
    std::vector<int> widths;
    std::vector<const char*> switches;
};

const ColumnLayout kGameColumns{10,
                                "SpielSpalte",
                                {16, 20, 60, 27, 70, 46, 226, 62, 83, 166, 0},
                                {nullptr, "Spalte Spielnummer", "Spalte Datum", "Spalte Feld", "Spalte Uhrzeit",
                                 "Spalte Gruppe", nullptr, "Spalte Punkte", "Spalte Ergebnis", "Spalte Schiri",
                                 nullptr}};
const ColumnLayout kStandingsColumns{12,
                                     "PlatzSpalte",
                                     {45, 120, 200, 50, 70, 85},
                                     {nullptr, "Spalte MPlatzhalter", nullptr, nullptr, nullptr, "Spalte MErgebnis"}};
const ColumnLayout kFinalPlacingColumns{54, "EndPlatzSpalte", {45, 120, 300}, {nullptr, "Spalte EPlatzhalter", nullptr}};

bool IsDecimal(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// A column switched "Off" is hidden (width 0); a stored width that is not a number counts as
// the built-in one. The last game-list column (the group name) is never shown.
int ColumnWidth(TForm1& f, const ColumnLayout& layout, size_t column) {
    const int builtIn = layout.widths[column];
    if (builtIn == 0) return 0;
    if (const char* key = layout.switches[column]; key && GetSetting(f, key, "On") == "Off") return 0;
    const std::string stored = GetSetting(f, layout.widthSetting + IntToStr(static_cast<long long>(column)), "");
    return IsDecimal(stored) ? ToInt(stored) : builtIn;
}

void ClearPlan(TStringGrid& plan, const ColumnLayout& layout, int dataRows) {
    for (int r = 1; r < plan.RowCount(); ++r)
        for (int c = 0; c < plan.ColCount(); ++c) plan.SetCells(c, r, "");
    plan.SetColCount(static_cast<int>(layout.widths.size()));
    plan.SetRowCount(std::max(2, dataRows + 1));
}

void LayOut(TForm1& f, TStringGrid& plan, const ColumnLayout& layout) {
    SetGridHeader(plan, layout.headerText);
    for (size_t c = 0; c < layout.widths.size(); ++c) plan.SetColWidths(static_cast<int>(c), ColumnWidth(f, layout, c));
}

void FillGames(TForm1& f, TStringGrid& plan, const View& view, const TStrings* filter) {
    std::vector<int> rows;
    for (int r = 1; r < f.Spielplan.RowCount(); ++r)
        if (ShowsGame(f, view, filter, r)) rows.push_back(r);
    SortGameRows(f, view, rows);
    ClearPlan(plan, kGameColumns, static_cast<int>(rows.size()));
    LayOut(f, plan, kGameColumns);
    for (size_t i = 0; i < rows.size(); ++i) FillGameRow(f, plan, static_cast<int>(i) + 1, rows[i]);
}

// A group's standings in ranking order: the Platz rows of the group in table order.
void FillStandings(TForm1& f, TStringGrid& plan, int group, const TStrings* filter) {
    std::vector<int> rows;
    if (PassesFilter(filter, group))
        for (int r = 1; r < f.Platz.RowCount(); ++r)
            if (!f.Platz.Cells(0, r).empty() && ToInt(f.Platz.Cells(Platz_GrNr, r)) == group) rows.push_back(r);
    ClearPlan(plan, kStandingsColumns, static_cast<int>(rows.size()));
    LayOut(f, plan, kStandingsColumns);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = rows[i];
        const std::string cells[] = {IntToStr(static_cast<long long>(i) + 1),
                                     ItemOrEmpty(f.XATeams, ToInt(f.Platz.Cells(Platz_TeamNr, r))),
                                     f.Platz.Cells(Platz_Team, r),
                                     f.Platz.Cells(Platz_AnzSpiele, r),
                                     PunkteText(f, r, true),
                                     ErgebnisText(f, r, 0, true)};
        for (int c = 0; c < 6; ++c) plan.SetCells(c, static_cast<int>(i) + 1, cells[c]);
    }
}

// The final placing: the participant rows that stand for a place, in table order, with the
// placeholder and the participant it has resolved to.
void FillFinalPlacing(TForm1& f, TStringGrid& plan) {
    std::vector<int> rows;
    for (int r = 1; r < f.Teams.RowCount(); ++r)
        if (!f.Teams.Cells(Teams_Nr, r).empty() && !f.Teams.Cells(Teams_Platz, r).empty()) rows.push_back(r);
    ClearPlan(plan, kFinalPlacingColumns, static_cast<int>(rows.size()));
    LayOut(f, plan, kFinalPlacingColumns);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = rows[i];
        const int planRow = static_cast<int>(i) + 1;
        plan.SetCells(0, planRow, f.Teams.Cells(Teams_Platz, r));
        plan.SetCells(1, planRow, f.Teams.Cells(Teams_Name, r));
        plan.SetCells(2, planRow, f.Teams.Cells(Teams_Name_Tur, r));
    }
}

}  // namespace

void TForm1::doTurnierBaum() {
    Log("[F] doTurnierBaum()");
    BuildTree(*this, XTreeView1);
    BuildTree(*this, XTreeView2);
}

void TForm1::DoPlan(TStringGrid& plan, int viewMode, int key, const TStrings* filter) {
    const bool upper = &plan == &XPlan1;
    View view{viewMode, key};
    if (viewMode == 0) {
        const TTreeNode* node = (upper ? XTreeView1 : XTreeView2).Selected();
        if (!node) return;
        view = ViewOfNode(*node);
    }
    (upper ? Plan1Modus : Plan2Modus) = view.mode;

    const int keptRow = plan.Row();
    if (ListsGames(view.mode)) FillGames(*this, plan, view, filter);
    else if (view.mode == 2) FillStandings(*this, plan, view.key, filter);
    else FillFinalPlacing(*this, plan);
    plan.SetRow(keptRow >= 1 && keptRow < plan.RowCount() ? keptRow : 1);
}

void TForm1::XTreeView1Change(TObject*, TTreeNode* node) {
    Ran(__func__);
    if (!node) return;
    Panel7.SetCaption(NodePath(node));
    DoPlan(XPlan1, 0, 0, nullptr);
}

void TForm1::XTreeView2Change(TObject*, TTreeNode* node) {
    Ran(__func__);
    if (!node) return;
    Panel6.SetCaption(NodePath(node));
    DoPlan(XPlan2, 0, 0, nullptr);
}

// The graphic view draws into a window; on a terminal its scroll box is never shown, so there is
// nothing to lay out and the callers' guard keeps it from being asked.
void TForm1::doGrafik(int flag) { Log("[F] doGrafik(" + IntToStr(flag) + ")"); }

void TForm1::BindViews() {
    // Design captions of the plan headers and the counters until a tournament fills them.
    Panel7.SetCaption("  >> ");
    Panel6.SetCaption("  >>");
    Panel11.SetCaption(" Spiele:");
    Panel12.SetCaption(" Runden:");
    Panel34.SetCaption(" Felder:");
    XTreeView1.OnChange = [this](TObject* s, TTreeNode* node) { XTreeView1Change(s, node); };
    XTreeView2.OnChange = [this](TObject* s, TTreeNode* node) { XTreeView2Change(s, node); };
}
