#pragma once
#include <string>

class TMemo;

// What the whole program shares. The program entry sets it once at start-up, before the window's
// operations run; tests set it for their own program folder.

// True when the program was started with "-D" (any case) as its first argument: trace log on.
extern bool DebugModus;
// The ini file beside the program. While it is empty, ini reads give the default and ini writes
// do nothing.
extern std::string IniPath;
// The window's log memo, emptied by Log(..., true); null while there is none.
extern TMemo* LogMemo;

// Sets the trace flag from the first command-line argument and the ini path to the program folder.
void SetProgramGlobals(const std::string& firstArgument);
