#include "frontend/RoundNodes.h"

#include <ostream>
#include <vector>

#include "foundation/Conversions.h"
#include "frontend/CommandTable.h"
#include "mainwindow/main.h"

void PrintGroupList(CommandCall& call) {
    const TStringGrid& list = call.form.Gruppen;
    call.out << "Gruppen der Runde " << call.form.Edit4.Text() << " (" << call.form.Edit3.Text() << "):";
    if (list.Cells(0, 1).empty() && list.RowCount() == 2) {
        call.out << " keine\n";
        return;
    }
    call.out << "\n";
    for (int row = 1; row < list.RowCount(); ++row)
        call.out << "  " << list.Cells(0, row) << " | " << list.Cells(1, row) << " | " << list.Cells(4, row) << " | "
                 << list.Cells(2, row) << " (" << list.Cells(3, row) << ")\n";
}

void PrintRoundTree(CommandCall& call) {
    const std::vector<TTreeNode*> nodes = call.form.TreeView3.Nodes();
    call.out << "Runden:\n";
    for (size_t i = 0; i < nodes.size(); ++i)
        call.out << "  " << i + 1 << " " << std::string(2 * static_cast<size_t>(nodes[i]->Level()), ' ')
                 << nodes[i]->Text << (nodes[i] == call.form.TreeView3.Selected() ? "   (gewählt)" : "") << "\n";
}

bool SelectRoundNode(CommandCall& call, const std::string& wanted) {
    call.form.showWerkzeug(30);
    const std::vector<TTreeNode*> nodes = call.form.TreeView3.Nodes();
    if (nodes.empty()) return Fail(call, "Das Turnier hat noch keine Runde.");
    if (wanted.empty()) return true;
    const int number =
        wanted.find_first_not_of("0123456789") == std::string::npos && wanted.size() < 6 ? ToInt(wanted) : 0;
    if (number < 1 || number > static_cast<int>(nodes.size()))
        return Fail(call,
                    "Einen Knoten " + Quoted(wanted) + " gibt es nicht; „runden“ zeigt die Knoten mit ihren Nummern.");
    call.form.TreeView3.SetSelected(nodes[static_cast<size_t>(number - 1)]);
    return true;
}

DialogField PointsField(const std::string& label, TEdit& copy, const TEdit& field) {
    copy.OnKeyPress = field.OnKeyPress;
    return TypedField(label, copy, "nur Ziffern und ein Komma, das nicht am Anfang steht.");
}
