#pragma once
#include <string>

class TMemo;

// True when the program was started with "-D" (any case) as its first argument.
extern bool DebugModus;
// The main window's log memo, emptied by Log(..., true); null until the window exists.
extern TMemo* LogMemo;

// Sets DebugModus from the first command-line argument.
void SetDebugModusFromArgument(const std::string& firstArgument);

// Trace line to "debug.log", only with DebugModus; clear empties the log memo first.
void Log(const std::string& message, bool clear = false);
// One line to "debug.log" unconditionally.
void DebugLog(const std::string& message);
// One line to "error.log" and then to "debug.log"; in developer mode also a warning box.
void ErrorLog(const std::string& message);
