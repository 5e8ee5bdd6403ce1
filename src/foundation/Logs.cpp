#include "foundation/Logs.h"

#include <cstdio>

#include "foundation/MessageBoxes.h"
#include "foundation/ProgramFiles.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/WindowHelpers.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/ProgramFolder.h"

namespace {

// One open, append and close per line, so that the file stays whole if the program dies.
// A file that cannot be opened loses the line silently.
void AppendLine(const char* fileName, const std::string& message) {
    std::string line = "[" + datetime::FormatLogStamp(Now()) + "] " + message + "\r\n";
    std::FILE* file = std::fopen(ProgramFile(fileName).c_str(), "ab");
    if (!file) return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fflush(file);
    std::fclose(file);
}

}  // namespace

void Log(const std::string& message, bool clear) {
    if (clear && LogMemo) LogMemo->Lines.Clear();
    if (DebugModus) DebugLog(message);
}

void DebugLog(const std::string& message) { AppendLine(kDebugLogFile, message); }

void ErrorLog(const std::string& message) {
    AppendLine(kErrorLogFile, message);
    if (IsIdeRunning()) ShowDeveloperWarning(message);
    DebugLog(message);
}
