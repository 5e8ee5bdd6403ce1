// The tournament trees and the game lists of the two plans.
#include <algorithm>
#include <vector>

#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"
#include "platform/Clock.h"

namespace {

// What a tree node stands for, kept in its Data: the kind in the high bits, a number below.
enum NodeKind : intptr_t { kPlanNode = 1, kRoundsNode = 2, kRoundNode = 3, kGroupNode = 4 };
constexpr int kKindShift = 24;
intptr_t NodeData(NodeKind kind, int number) { return (static_cast<intptr_t>(kind) << kKindShift) | number; }
NodeKind KindOf(const TTreeNode& node) { return static_cast<NodeKind>(node.Data >> kKindShift); }
int NumberOf(const TTreeNode& node) { return static_cast<int>(node.Data & ((intptr_t{1} << kKindShift) - 1)); }

TTreeNode* AddNode(TTreeNode& parent, const std::string& text, NodeKind kind, int number) {
    TTreeNode* node = parent.AddChild(text);
    node->Data = NodeData(kind, number);
    return node;
}

std::string GroupNodeText(const std::string& bez, const std::string& name) {
    return lngText(3) + " " + bez + " ( " + name + " )";
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
            AddNode(*round, GroupNodeText(f.XAGruppBez.Items[i], ListGet(f.XAGruppName, i)), kGroupNode, i);
    } else {
        for (int i = 1; i < f.XARunden.Items.Count(); ++i) {
            TTreeNode* round = AddNode(*rounds, f.XARunden.Items[i], kRoundNode, i);
            for (int r = 1; r < f.Gruppe.RowCount(); ++r)
                if (!f.Gruppe.Cells(0, r).empty() && IntGet(f.Gruppe, Gruppe_RNr, r, true) == i)
                    AddNode(*round, GroupNodeText(f.Gruppe.Cells(Gruppe_Bez, r), f.Gruppe.Cells(Gruppe_Name, r)),
                            kGroupNode, IntGet(f.Gruppe, Gruppe_Nr, r, true));
        }
    }
    tree.SetSelected(plan->Item(0));
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

bool HasResult(const TSortGrid& games, int row) {
    if (!games.Cells(Spielplan_SatzErg, row).empty()) return true;
    int sum = 0;
    for (int c = Spielplan_PPkt; c <= Spielplan_MBall; ++c) sum += ToInt(games.Cells(c, row));
    return sum > 0;
}

bool GroupOpenForResults(const std::string& state) {
    return state == "Open" || state == "None" || state == "Edit" || state == "Done";
}

std::string GroupState(TForm1& f, int groupNumber) {
    int row = FindRow(f.Gruppe, Gruppe_Nr, IntToStr(groupNumber));
    return row > 0 ? f.Gruppe.Cells(Gruppe_State, row) : std::string();
}

// Which games a game-list view shows, and in which order.
struct GameView {
    int mode = 1;  // 1 all games, 4 one group, 5 one round, 7 by time of day
    int key = 0;
};

GameView ViewOfNode(const TTreeNode& node) {
    switch (KindOf(node)) {
        case kGroupNode: return {4, NumberOf(node)};
        case kRoundNode: return {5, NumberOf(node)};
        case kPlanNode:
            if (NumberOf(node) >= 80) return {7, NumberOf(node) - 80};
            return {1, std::max(0, NumberOf(node) - 23)};
        default: return {1, 0};
    }
}

bool Shows(TForm1& f, const GameView& view, int row) {
    const TSortGrid& games = f.Spielplan;
    if (games.Cells(0, row).empty()) return false;
    switch (view.mode) {
        case 4: return ToInt(games.Cells(Spielplan_GrNr, row)) == view.key;
        case 5: return ToInt(games.Cells(Spielplan_RNr, row)) == view.key;
        case 7: {
            if (view.key == 2) return !HasResult(games, row);
            const TDateTime now = Now();
            if (games.Cells(Spielplan_Spieltag, row) != datetime::FormatDate(now)) return false;
            const int minute = now.Hour * 60 + now.Minute;
            const int from = TimeToMinutes(games.Cells(Spielplan_Von, row));
            const int to = TimeToMinutes(games.Cells(Spielplan_Bis, row));
            return view.key == 0 ? (from <= minute && minute < to) : from > minute;
        }
        default: return true;
    }
}

void SortRows(TForm1& f, const GameView& view, std::vector<int>& rows) {
    const TSortGrid& g = f.Spielplan;
    auto number = [&](int row, int column) { return ToInt(g.Cells(column, row)); };
    auto time = [&](int row) { return number(row, Spielplan_Tag) * 1440 + TimeToMinutes(g.Cells(Spielplan_Von, row)); };
    auto byKey = [&](auto key) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return key(a) < key(b); });
    };
    byKey([&](int row) { return number(row, Spielplan_SpNr); });
    if (view.mode == 1 && view.key == 1) byKey(time);
    if (view.mode == 1 && view.key == 2) byKey([&](int row) { return number(row, Spielplan_GrNr); });
    if (view.mode == 1 && view.key == 3) byKey([&](int row) { return number(row, Spielplan_Feld); });
    if (view.mode == 7) byKey(time);
}

void FillGameRow(TForm1& f, TStringGrid& plan, int planRow, int row) {
    TSortGrid& g = f.Spielplan;
    const int group = ToInt(g.Cells(Spielplan_GrNr, row));
    const std::string mark = GroupOpenForResults(GroupState(f, group)) ? ">>" : "";
    Put(g, Spielplan_Status, row, mark, true);
    const int field = ToInt(g.Cells(Spielplan_Feld, row));
    const std::string fieldName =
        field > 0 && field < f.XAFelder.Items.Count() ? f.XAFelder.Items[field] : g.Cells(Spielplan_Feld, row);
    std::string points;
    if (HasResult(g, row)) points = g.Cells(Spielplan_PPkt, row) + ":" + g.Cells(Spielplan_MPkt, row);
    const std::string cells[] = {
        mark,
        g.Cells(Spielplan_SpNr, row),
        g.Cells(Spielplan_Spieltag, row),
        fieldName,
        g.Cells(Spielplan_Von, row) + " - " + g.Cells(Spielplan_Bis, row),
        ItemOrEmpty(f.XAGruppBez, group),
        ParticipantName(f, ToInt(g.Cells(Spielplan_T1, row))) + " - " +
            ParticipantName(f, ToInt(g.Cells(Spielplan_T2, row))),
        points,
        g.Cells(Spielplan_SatzErg, row),
        f.getSchiriName(row),
        ItemOrEmpty(f.XAGruppName, group),
    };
    for (int c = 0; c < 11; ++c) plan.SetCells(c, planRow, cells[c]);
}

}  // namespace

void TForm1::doTurnierBaum() {
    Log("[F] doTurnierBaum()");
    BuildTree(*this, XTreeView1);
    BuildTree(*this, XTreeView2);
}

void TForm1::DoPlan(TStringGrid& plan, int viewMode, int key, const TStrings* /*filter*/) {
    const bool upper = &plan == &XPlan1;
    GameView view{viewMode, key};
    if (viewMode == 0) {
        const TTreeNode* node = (upper ? XTreeView1 : XTreeView2).Selected();
        if (!node) return;
        view = ViewOfNode(*node);
    }
    (upper ? Plan1Modus : Plan2Modus) = view.mode;

    std::vector<int> rows;
    for (int r = 1; r < Spielplan.RowCount(); ++r)
        if (Shows(*this, view, r)) rows.push_back(r);
    SortRows(*this, view, rows);

    const int keptRow = plan.Row();
    for (int r = 1; r < plan.RowCount(); ++r)
        for (int c = 0; c < plan.ColCount(); ++c) plan.SetCells(c, r, "");
    plan.SetRowCount(std::max<int>(2, static_cast<int>(rows.size()) + 1));
    for (size_t i = 0; i < rows.size(); ++i) FillGameRow(*this, plan, static_cast<int>(i) + 1, rows[i]);
    plan.SetRow(keptRow >= 1 && keptRow < plan.RowCount() ? keptRow : 1);
}
