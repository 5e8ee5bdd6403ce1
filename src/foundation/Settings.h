#pragma once
#include <string>

class TMainForm;

// Settings of the current tournament, kept as key/value rows of the table Ein. Without a
// current tournament a write does nothing and a read gives the default.
void SetSetting(TMainForm& form, const std::string& key, const std::string& value);
std::string GetSetting(const TMainForm& form, const std::string& key, const std::string& defaultValue);

// Tournament settings whose last value also becomes the user's default for new tournaments:
// written to both, read from the user's store first.
void SetSettingReg(TMainForm& form, const std::string& key, const std::string& value);
std::string GetSettingReg(const TMainForm& form, const std::string& key, const std::string& defaultValue);
