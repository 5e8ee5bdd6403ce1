#pragma once
#include <string>
#include <vector>

class TMainForm;

// Automatic printing after group g was completed: its group sheet, and the sheets and game report
// sheets of the groups just opened, as the saved print choices ask. Only with "SmartPrint" on.
void druckeAutomatisch(TMainForm& form, int g, const std::vector<std::string>& openedGroups);
