#include "foundation/ProgramGlobals.h"

#include "foundation/ProgramSettings.h"
#include "platform/ProgramFolder.h"
#include "platform/Strings.h"

bool DebugModus = false;
std::string IniPath;
TMemo* LogMemo = nullptr;

void SetProgramGlobals(const std::string& firstArgument) {
    DebugModus = UpperAscii(firstArgument) == "-D";
    IniPath = ProgramFile(kIniFileName);
}
