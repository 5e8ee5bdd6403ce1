#pragma once
#include <string>

#include "platform/Dialog.h"

struct CommandCall;

// The round page's list of groups and the round tree of the round-editing page, as the commands
// of both pages show and choose them.

// "Gruppen der Runde ...": one line per listed group.
void PrintGroupList(CommandCall& call);
// The round tree with a number per node, the chosen one marked.
void PrintRoundTree(CommandCall& call);
// Opens the round-editing page (which rebuilds the tree) and selects the node with this number
// as "runden" shows it; an empty text keeps the selection. False, having said why, when the
// tournament has no round or there is no such node.
bool SelectRoundNode(CommandCall& call, const std::string& wanted);

// A points field of the round pages shown as a dialog field: the copy is typed key by key
// through the key filter of the window's field it stands for, so it takes what that field takes.
DialogField PointsField(const std::string& label, TEdit& copy, const TEdit& field);
