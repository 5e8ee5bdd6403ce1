#pragma once
#include <string>

// Trace line to "debug.log", only with DebugModus; clear empties the log memo first.
void Log(const std::string& message, bool clear = false);
// One line to "debug.log" unconditionally.
void DebugLog(const std::string& message);
// One line to "error.log" and then to "debug.log"; in developer mode also a warning box.
void ErrorLog(const std::string& message);
