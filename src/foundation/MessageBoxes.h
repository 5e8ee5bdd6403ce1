#pragma once
#include <string>

// Modal box with one OK button: kind 1 information, 2 confirmation, 3 warning, 4 error,
// any other value a plain box.
void ShowMsg(int kind, const std::string& text);
// Confirmation box with Yes and No; returns the modal result (mrYes 6 or mrNo 7).
int AskYesNo(const std::string& text);
