#pragma once
#include <string>

// Modal box with one OK button: kind 1 information, 2 confirmation, 3 warning, 4 error,
// any other value a plain box.
void ShowMsg(int kind, const std::string& text);
// The warning box of developer mode: shown as ShowMsg(3, text) shows it, it never makes the
// operation that shows it count as failed.
void ShowDeveloperWarning(const std::string& text);
// Confirmation box with Yes and No; returns the modal result (mrYes 6 or mrNo 7).
int AskYesNo(const std::string& text);
