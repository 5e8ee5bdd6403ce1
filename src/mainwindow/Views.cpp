// The tournament trees and the views of the two plans: game lists, a group's standings and the
// final placing.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/ResultTexts.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/Texts.h"
#include "mainwindow/PlanColumns.h"
#include "mainwindow/main.h"

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
    GameList& games = upper ? plan1Games_ : plan2Games_;
    if (ListsGames(view.mode)) {
        games.Fill(*this, plan, view.mode, view.key, filter, upper ? &plan2Games_ : &plan1Games_);
    } else {
        games.Forget();
        if (view.mode == 2) FillStandings(*this, plan, view.key, filter);
        else FillFinalPlacing(*this, plan);
    }
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
