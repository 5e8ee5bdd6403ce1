#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

class TMainForm;
class TSortGrid;

// Where each key of the table Ein stands: the first data row holding it. Made anew at the first
// look-up after the table changed in any way, so it never answers from an older state of it.
class SettingRows {
public:
    // The row of the key, 0 when no data row holds it.
    int Find(const TSortGrid& ein, const std::string& key);

private:
    bool valid_ = false;
    std::uint64_t changes_ = 0;
    int nameColumn_ = -1;
    std::unordered_map<std::string, int> rows_;
};

// Settings of the current tournament, kept as key/value rows of the table Ein. Without a
// current tournament a write does nothing and a read gives the default.
void SetSetting(TMainForm& form, const std::string& key, const std::string& value);
std::string GetSetting(const TMainForm& form, const std::string& key, const std::string& defaultValue);

// Tournament settings whose last value also becomes the user's default for new tournaments:
// written to both, read from the user's store first.
void SetSettingReg(TMainForm& form, const std::string& key, const std::string& value);
std::string GetSettingReg(const TMainForm& form, const std::string& key, const std::string& defaultValue);
