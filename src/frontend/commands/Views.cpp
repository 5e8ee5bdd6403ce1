// The tournament trees and the plans below them.
#include <ostream>

#include "foundation/Conversions.h"
#include "frontend/CommandTable.h"
#include "frontend/TextTable.h"
#include "mainwindow/main.h"

namespace {

struct PlanSide {
    TTreeView& tree;
    TStringGrid& plan;
    TPanel& header;
    void (TForm1::*change)(TObject*, TTreeNode*);
    void (TForm1::*click)(TObject*);
    const int& mode;
    const char* name;
};

PlanSide Upper(TForm1& f) {
    return {f.XTreeView1, f.XPlan1, f.Panel7, &TForm1::XTreeView1Change, &TForm1::XPlan1Click, f.Plan1Modus, "oben"};
}
PlanSide Lower(TForm1& f) {
    return {f.XTreeView2, f.XPlan2, f.Panel6, &TForm1::XTreeView2Change, &TForm1::XPlan2Click, f.Plan2Modus, "unten"};
}

// "oben" or "unten" as the first argument chooses the plan (the upper one without); the index of
// the argument after it.
PlanSide ChosenSide(CommandCall& call, size_t& next) {
    const bool sideGiven = !call.args.empty() && (call.args[0] == "oben" || call.args[0] == "unten");
    next = sideGiven ? 1 : 0;
    return sideGiven && call.args[0] == "unten" ? Lower(call.form) : Upper(call.form);
}

void PrintHeader(CommandCall& call, const PlanSide& side) {
    const std::string& header = side.header.Caption();
    call.out << header.substr(std::min(header.size(), header.find_first_not_of(' '))) << "\n";
}

void PrintTree(TerminalOut& out, const PlanSide& side) {
    out << "Baum " << side.name << ":\n";
    const std::vector<TTreeNode*> nodes = side.tree.Nodes();
    const size_t digits = IntToStr(static_cast<long long>(nodes.size())).size();
    for (size_t i = 0; i < nodes.size(); ++i) {
        const std::string number = IntToStr(static_cast<long long>(i) + 1);
        out << std::string(digits - number.size() + 2, ' ') << number << " "
            << std::string(2 * static_cast<size_t>(nodes[i]->Level()), ' ') << nodes[i]->Text
            << (nodes[i] == side.tree.Selected() ? "   (gewählt)" : "") << "\n";
    }
}

bool ShowTrees(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„baum“ nimmt keine Angaben.");
    PrintTree(call.out, Upper(call.form));
    PrintTree(call.out, Lower(call.form));
    return true;
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// A node by its number as "baum" shows it, or by its text (any case, umlauts or their
// two-letter forms); the first of equal texts.
TTreeNode* FindNode(const TTreeView& tree, const std::string& wanted) {
    const std::vector<TTreeNode*> nodes = tree.Nodes();
    if (IsNumber(wanted)) {
        const size_t number = static_cast<size_t>(ToInt(wanted));
        return number >= 1 && number <= nodes.size() ? nodes[number - 1] : nullptr;
    }
    const std::string key = FoldName(wanted);
    for (TTreeNode* node : nodes)
        if (FoldName(node->Text) == key) return node;
    return nullptr;
}

bool ShowPlan(CommandCall& call) {
    size_t next = 0;
    const PlanSide side = ChosenSide(call, next);
    TTreeNode* node = side.tree.Selected();
    if (next < call.args.size()) {
        const std::string wanted = JoinedArgs(call.args, next);
        node = FindNode(side.tree, wanted);
        if (!node)
            return Fail(call, "Im Baum " + std::string(side.name) + " gibt es keinen Knoten " + Quoted(wanted) +
                                  "; „baum“ zeigt die Knoten mit ihren Nummern.");
    }
    if (!node) return Fail(call, "Im Baum " + std::string(side.name) + " ist kein Knoten gewählt.");
    // As a click: choosing another node shows its view through the tree's change event; the
    // node already chosen shows its view anew.
    if (side.tree.Selected() != node) side.tree.SetSelected(node);
    else (call.form.*side.change)(&side.tree, node);
    PrintHeader(call, side);
    for (const std::string& line : GridLines(side.plan)) call.out << line << "\n";
    return true;
}

bool ListsGames(int mode) { return mode == 1 || mode == 4 || mode == 5 || mode == 7; }

// A click on the row of a game: the plan's header names the game and its group.
bool ClickGame(CommandCall& call) {
    size_t next = 0;
    const PlanSide side = ChosenSide(call, next);
    if (call.args.size() != next + 1 || !IsNumber(call.args[next]))
        return Fail(call, "„anklicken [oben|unten] SPIEL“: die Nummer eines Spiels im Plan.");
    const std::string& game = call.args[next];
    // The plan shows what the tables hold now, as it does by the time a user clicks.
    call.form.DoPlan(side.plan, 0, 0, nullptr);
    if (!ListsGames(side.mode))
        return Fail(call, "Der Plan " + std::string(side.name) + " zeigt keine Spiele; „plan“ wählt eine Spielliste.");
    int row = 0;
    for (int r = 1; r < side.plan.RowCount() && row == 0; ++r)
        if (side.plan.Cells(1, r) == IntToStr(ToInt(game))) row = r;
    if (row == 0) return Fail(call, "Spiel " + game + " steht nicht im Plan " + side.name + ".");
    side.plan.SetRow(row);
    (call.form.*side.click)(&side.plan);
    PrintHeader(call, side);
    return true;
}

const CommandRegistration kViewCommands({
    Command{"baum", kMenuAnsicht, "", "Die beiden Turnierbäume zeigen, mit einer Nummer je Knoten",
            "Der obere Baum gehört zum oberen Plan, der untere zum unteren.\n"
            "Die Nummern nimmt „plan“ entgegen; der gewählte Knoten ist markiert.",
            true, ShowTrees},
    Command{"plan", kMenuAnsicht, "[oben|unten] [KNOTEN]", "Einen Knoten wählen und seinen Plan als Tabelle zeigen",
            "Wählt im Baum des oberen (ohne Angabe) oder unteren Plans einen Knoten, wie ein Klick es tut,\n"
            "und zeigt den Plan darunter: Spiele, Tabelle einer Gruppe oder Endplatzierung.\n"
            "KNOTEN ist die Nummer aus „baum“ oder der Text des Knotens; ohne KNOTEN zeigt „plan“\n"
            "den gewählten Knoten neu. Ausgeblendete Spalten fehlen wie im Fenster.",
            true, ShowPlan},
    Command{"anklicken", kMenuAnsicht, "[oben|unten] SPIEL", "Ein Spiel im Plan anklicken: die Kopfzeile nennt Spiel und Gruppe",
            "Wie ein Klick auf die Zeile des Spiels im oberen (ohne Angabe) oder unteren Plan: über dem Plan\n"
            "stehen dann der Weg im Baum, das Spiel und seine Gruppe. Der Plan muss Spiele zeigen.",
            true, ClickGame},
});

}  // namespace
