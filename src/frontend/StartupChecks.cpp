#include "frontend/StartupChecks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "foundation/FileProblems.h"

namespace {

std::string Quote(const std::string& text) { return "„" + text + "“"; }

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// Creates and removes a file of its own in the folder; the error number when that fails.
int TryWriting(const std::string& folder) {
    std::string probe = folder + "/.marovelka-schreibprobe-XXXXXX";
    const int fd = mkstemp(probe.data());
    if (fd < 0) return errno;
    close(fd);
    unlink(probe.c_str());
    return 0;
}

}  // namespace

std::string ProgramFolderProblem(const std::string& folder) {
    const std::string path = WithoutTrailingSlash(folder);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT) return "Der Programmordner " + Quote(path) + " fehlt.";
        return "Der Programmordner " + Quote(path) + " kann nicht geprüft werden: " + SystemErrorText(error) + ".";
    }
    if (!S_ISDIR(info.st_mode))
        return "Der Programmordner " + Quote(path) + " ist kein Ordner, sondern eine Datei.";
    if (const int error = TryWriting(path); error != 0)
        return "In den Programmordner " + Quote(path) + " kann nicht geschrieben werden: " + SystemErrorText(error) +
               ".";
    return {};
}

std::string EnterProgramFolder(const std::string& folder) {
    const std::string path = WithoutTrailingSlash(folder);
    if (chdir(path.c_str()) == 0) return {};
    return "In den Programmordner " + Quote(path) + " kann nicht gewechselt werden: " + SystemErrorText(errno) + ".";
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) close(fd_);
}

InstanceLock::Result InstanceLock::Acquire(const std::string& path, std::string& problem) {
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock file made by another user of the folder locks as well when it can only be read.
    if (fd_ < 0 && errno == EACCES) fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        problem = "Die Sperrdatei " + Quote(path) + " kann nicht geöffnet werden: " + SystemErrorText(errno) + ".";
        return Result::Failed;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return Result::Acquired;
    const int error = errno;
    close(fd_);
    fd_ = -1;
    if (error == EWOULDBLOCK) return Result::HeldElsewhere;
    problem = "Die Sperrdatei " + Quote(path) + " kann nicht gesperrt werden: " + SystemErrorText(error) + ".";
    return Result::Failed;
}
