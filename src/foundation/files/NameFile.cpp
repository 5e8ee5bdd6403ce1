#include "foundation/files/NameFile.h"

#include "foundation/NameText.h"

bool NameFileReader::Open(const std::string& path) {
    line_ = 0;
    badLine_ = 0;
    badLineTooLong_ = false;
    ended_ = false;
    return file_.OpenRead(path, false);
}

bool NameFileReader::Next(std::string& name) {
    while (badLine_ == 0 && !ended_ && !file_.Eof()) {
        name = TrimName(file_.ReadLine());
        ++line_;
        if (file_.LineTooLong() || !IsPlainText(name)) {
            badLine_ = line_;
            badLineTooLong_ = file_.LineTooLong();
            return false;
        }
        if (!name.empty()) return true;
    }
    return false;
}

bool NameFileReader::PassBadLine() {
    if (badLine_ == 0) return false;
    ended_ = file_.LineTooLong();
    badLine_ = 0;
    badLineTooLong_ = false;
    return true;
}

bool NameFileReader::Complete() {
    const bool complete = badLine_ == 0 && !ended_ && file_.ReadCompletely();
    file_.Close();
    return complete;
}
