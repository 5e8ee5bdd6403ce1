#include "output/ClassTTurnier.h"

#include <algorithm>

void TTurnier::Clear() {
    name_.fill('\0');
    sentGroups_.clear();
}

void TTurnier::SetDirectory(const std::string& folder) {
    if (folder.empty()) {
        directory_.clear();
        return;
    }
    directory_ = folder;
    if (directory_.back() != '\\') directory_ += '\\';
    directory_ += "data\\";
}

void TTurnier::SetTurnierBezeichnung(const std::string& name) {
    name_.fill('\0');
    // The field holds bytes; a character cut in half at its end is left out whole.
    size_t length = std::min(name.size(), name_.size());
    while (length > 0 && length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) --length;
    std::copy_n(name.begin(), length, name_.begin());
}

std::string TTurnier::Bezeichnung() const {
    return std::string(name_.data(), std::find(name_.begin(), name_.end(), '\0') - name_.begin());
}
