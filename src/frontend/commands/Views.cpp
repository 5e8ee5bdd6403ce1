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
    const char* name;
};

PlanSide Upper(TForm1& f) { return {f.XTreeView1, f.XPlan1, f.Panel7, &TForm1::XTreeView1Change, "oben"}; }
PlanSide Lower(TForm1& f) { return {f.XTreeView2, f.XPlan2, f.Panel6, &TForm1::XTreeView2Change, "unten"}; }

void PrintTree(std::ostream& out, const PlanSide& side) {
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
    const std::string key = NormalizeCommandName(wanted);
    for (TTreeNode* node : nodes)
        if (NormalizeCommandName(node->Text) == key) return node;
    return nullptr;
}

std::string Joined(const std::vector<std::string>& words, size_t from) {
    std::string out;
    for (size_t i = from; i < words.size(); ++i) out += (i > from ? " " : "") + words[i];
    return out;
}

bool ShowPlan(CommandCall& call) {
    const bool sideGiven = !call.args.empty() && (call.args[0] == "oben" || call.args[0] == "unten");
    const size_t next = sideGiven ? 1 : 0;
    const PlanSide side = sideGiven && call.args[0] == "unten" ? Lower(call.form) : Upper(call.form);
    TTreeNode* node = side.tree.Selected();
    if (next < call.args.size()) {
        const std::string wanted = Joined(call.args, next);
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
    const std::string& header = side.header.Caption();
    call.out << header.substr(std::min(header.size(), header.find_first_not_of(' '))) << "\n";
    for (const std::string& line : GridLines(side.plan)) call.out << line << "\n";
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
});

}  // namespace
