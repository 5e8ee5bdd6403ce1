#pragma once
#include <string>

// Settings of the current tournament, kept as key/value rows of the table Ein. Without a
// current tournament a write does nothing and a read gives the default.
void SetSetting(const std::string& key, const std::string& value);
std::string GetSetting(const std::string& key, const std::string& defaultValue);
