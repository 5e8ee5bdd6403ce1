#pragma once
#include <string>

#include "foundation/files/TFile.h"

// A plain text file of names, one a line, as the name lists beside the program and the text files
// imported into them or into the placeholder list: blanks around a name are not part of it and
// empty lines do not count. A line that is not text (control characters, as a binary or UTF-16
// file has them, or a line longer than any such file holds) ends the reading: the names after it
// are not read, and the file counts as not read completely.
class NameFileReader {
public:
    // False when the file cannot be opened for reading (missing, a folder, no permission).
    bool Open(const std::string& path);
    // The next name; false at the end of the file and at a line that is not text.
    bool Next(std::string& name);
    // The number of the line that is not text (counting every line from 1); 0 while there is none.
    int BadLine() const { return badLine_; }
    // That line is longer than any such file holds (else it holds characters that are not text).
    bool BadLineTooLong() const { return badLineTooLong_; }
    // Reads on behind the line that is not text, for a reader to whom the rest of the file is only
    // counted; false when there is no such line, or when it was too long to find the next behind it.
    bool PassBadLine();
    // Every line was read, each of them text, without a read error. Closes the file.
    bool Complete();

private:
    TFile file_;
    int line_ = 0;
    int badLine_ = 0;
    bool badLineTooLong_ = false;
    bool ended_ = false;  // a line too long to read past was passed
};
