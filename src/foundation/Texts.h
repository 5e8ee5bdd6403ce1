#pragma once
#include <string>

class TObject;

// The numbered user-interface texts (German). Multi-line texts keep their own line separators:
// grid header rows and radio-group items are one line per column or item.

// The text of a number; "Error" for a number that has no text. Text 0 is the window caption
// with a "%s" for the release designation.
std::string lngText(int number);

// Puts text `number` into a component chosen by its exact class name: the caption of a menu
// item, label, panel, shaped button, tab sheet, button, check box or radio button; all lines of
// a string list. Any other class keeps its text and the error log says so.
void lngX(int number, TObject& component);
