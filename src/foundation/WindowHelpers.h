#pragma once
#include <string>

#include "platform/Colors.h"

class TControl;
class TEdit;
class TRichEdit;

// Appends the text as a new line in the given colour and size (points).
void RichEditAdd(TRichEdit& edit, const std::string& text, TColor color, int size);
// Centres the control on the reference, or on the screen without one; nothing without a control.
void CenterControl(TControl* control, const TControl* reference);
void SetWaitCursor(bool wait);
// Key filter of decimal fields: digits, backspace and one ',' (not as first character) pass.
void NumKeyFilter(const TEdit& edit, char& key);
// Developer mode: switched on by the environment variable MAROVELKA_DEVELOPER=1.
bool IsIdeRunning();
// The name of the running Windows version; empty on every other system.
std::string GetWindowsVersion();
