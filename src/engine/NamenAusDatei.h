#pragma once
#include <string>
#include <vector>

class TMainForm;

// The names of a plain text file, one a line, for the slots of the placeholder grid.
struct SlotNames {
    std::vector<std::string> names;  // cut to the longest allowed
    int cut = 0;                     // how many names had to be cut
    int leftOver = 0;                // names after every slot had one: not read, not assigned
    std::string problem;             // why none of them may be assigned; empty when all is well
};

// Reads the names for `slots` slots. Blank lines are skipped and blanks around a name dropped.
// Once every slot has a name, the further lines are only counted. A line that is not text or a
// name twice among those read is a problem; reading stops there, and a file of any size keeps
// no more in memory than the slots it can fill.
SlotNames ReadSlotNames(const std::string& path, int slots);

// Names from a text file the user chooses into the slots from row 1 on, as many as there are
// slots; all or none, and the names left over are told.
void doNamenAusTextdatei(TMainForm& form);
