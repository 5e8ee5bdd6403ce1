#pragma once
#include <string>

// The folder beside the program where its logs, ini and data files live: the folder of the
// executable, or $MAROVELKA_HOME when set. Always ends in '/'.
std::string ProgramFolder();
// The program folder joined with a file name.
std::string ProgramFile(const std::string& name);
// The running program's own executable file; empty when the system does not tell.
std::string ProgramExecutable();
