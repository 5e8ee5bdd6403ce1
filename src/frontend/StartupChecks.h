#pragma once
#include <string>

#include "foundation/ProgramFiles.h"  // kInstanceLockFile, the lock file's name

// What is wrong with the program folder, as a German sentence; empty when the program can keep
// its logs, settings and files there: it exists, is a folder and takes a new file.
std::string ProgramFolderProblem(const std::string& folder);

// Makes the program folder the current folder, so that relative names in commands and answers
// mean its files; a German sentence when that fails, else empty.
std::string EnterProgramFolder(const std::string& folder);

// One running program per program folder: an exclusive lock on a file in it. The system drops
// the lock when the process ends in any way, so a file left behind by a killed process never
// blocks a new start.
class InstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Failed };
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Failed comes with a German sentence in problem.
    Result Acquire(const std::string& path, std::string& problem);

private:
    int fd_ = -1;
};
