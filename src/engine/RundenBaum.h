#pragma once
#include <string>

class TMainForm;
class TTreeNode;

// The round tree of the round-editing page (TreeView3): the rounds of the tournament with their
// groups, each node carrying its position (rounds from 1, groups from 1 across all rounds).

// What is selected in the round tree.
struct RoundTreeSelection {
    TTreeNode* node = nullptr;       // null without a selection
    TTreeNode* roundNode = nullptr;  // the selected round, or the round of the selected group
    int round = 0;                   // the round's position
    int group = 0;                   // the group's position; 0 when a round is selected
};
RoundTreeSelection SelectedInRoundTree(const TMainForm& form);

// Id and name of a node text "Gruppe A ( name )", or number and name of "Runde 1 ( name )": the
// text after the prefix and a blank up to the first " ( ", and the rest without its closing " )".
// Names may hold brackets themselves; ids and round numbers hold no " ( ".
struct NodeLabel {
    bool valid = false;
    std::string key, name;
};
NodeLabel ReadNodeText(const std::string& text, const std::string& prefix);

// The scoring of a group row into the "Wertung" tab, whose controls the round page shares for the
// next round: points per win and draw, per set and at equal balls, or none, and whether the
// results of the round before are carried over.
void LoadScoring(TMainForm& form, int row);
// The first group row of a round (Gruppe_RNr, as the tab writes a round); 0 when it has none.
int FirstGroupOfRound(const TMainForm& form, int round);

// Rebuilds the round tree from the rounds node of the first tournament tree and selects its
// first node.
void doTreeView3(TMainForm& form);
// Loads the selected round or group into the page: names, scoring and the apply-to choices.
void TreeView3Change(TMainForm& form);
// "Aktualisieren" of the group panel: the selected group takes the id and name of Edit8 and
// Edit9, after the checks of the group dialog.
void GruppeUmbenennen(TMainForm& form);
// "Aktualisieren" of the round panel: the selected round takes the name of Edit7.
void RundeUmbenennen(TMainForm& form);
// A click on a plan (upper true: XPlan1): its header shows the tree path and the clicked game.
void PlanKlick(TMainForm& form, bool upper);
