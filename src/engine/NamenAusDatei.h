#pragma once
#include <string>
#include <vector>

class TMainForm;

// The names of a plain text file, one a line, for the slots of the placeholder grid.
struct SlotNames {
    std::vector<std::string> names;  // cut to the longest allowed
    int cut = 0;                     // how many names had to be cut
    std::string problem;             // why none of them may be assigned; empty when all is well
};

// Reads the names for `slots` slots. Blank lines are skipped and blanks around a name dropped.
// A line that is not text, more names than slots or a name twice is a problem; reading stops
// there, so a file of any size costs no more than the slots it can fill.
SlotNames ReadSlotNames(const std::string& path, int slots);

// Names from a text file the user chooses into the slots from row 1 on; all or none.
void doNamenAusTextdatei(TMainForm& form);
