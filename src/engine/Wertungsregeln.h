#pragma once
#include <vector>

class TMainForm;

// The rules the standings are ranked by have changed: every table is ranked by them again, and
// where a finished group's order changed, the placeholders that depend on it follow. A group
// whose order a later game's result already builds on ("Closed") keeps it, as its placeholders
// do. Returns the groups whose order changed, in number order.
std::vector<int> tabellenNeuOrdnen(TMainForm& form);
