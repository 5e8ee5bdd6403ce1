#pragma once
#include <string>

// Tells the user once per run of the program that an output this program does not have was
// asked for: each text is shown the first time only.
void NoticeOnce(const std::string& text);
// For tests: every text may be shown again.
void ResetOutputNotices();
