#pragma once
#include <array>
#include <string>
#include <vector>

// The link to the projector display program. This program has no such display: the link keeps
// its settings and the groups it was asked to show, so that what the tournament sends is on
// record, and tells the user once that nothing is shown.
class TTurnier {
public:
    // Zeroes the group records, the block, the settings and the picture record.
    void Clear();
    // The exchange folder: folder + "\" when missing + "data\"; empty for an empty folder.
    void SetDirectory(const std::string& folder);
    // The tournament name, cut to the link's 60-byte name field.
    void SetTurnierBezeichnung(const std::string& name);

    const std::string& Directory() const { return directory_; }
    std::string Bezeichnung() const;
    // The group rows sent since the last Clear, in order.
    const std::vector<int>& SentGroups() const { return sentGroups_; }
    void RecordGroup(int groupRow) { sentGroups_.push_back(groupRow); }

    // "Module on": switched off by every change of the current tournament.
    bool ModuleOn = false;

private:
    std::string directory_;
    std::array<char, 60> name_{};
    std::vector<int> sentGroups_;
};
