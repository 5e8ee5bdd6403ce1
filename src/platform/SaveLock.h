#pragma once
#include <string>

// The lock of a file's saves. Every program that saves the file holds it from its last look at
// the file to the rename that puts its new version in place, so that no other save comes between
// the look and the rename. It is an advisory lock (flock) on a lock file beside the file, named
// after it: "Pokal.tur.sperre" for "Pokal.tur". The holder makes the lock file when it is
// missing and removes it before it lets go, so the folder shows it only while a save runs; the
// system drops the lock when its process ends in any way, so a killed program leaves at most the
// file, which the next save takes over and removes. A program waiting for the lock on a file its
// holder has removed meanwhile takes the new one, so two holders never meet.
//
// Where no lock file can be made (a folder the user may not write, where the save fails all the
// same) or the file system has no locks, the save goes on without the lock.
class SaveLock {
public:
    // Waits for the lock of the file (a path whose links are resolved) at most patienceMs.
    explicit SaveLock(const std::string& file, int patienceMs = kPatienceMs);
    // Lets go (Release).
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // False when another program kept the lock beyond all patience: the save must not go on.
    bool Granted() const { return granted_; }
    // Removes the lock file and lets go; the next save may come.
    void Release();

    // A save holds the lock for the time it writes and syncs one file; after half a minute its
    // holder is taken to hang.
    static constexpr int kPatienceMs = 30000;

private:
    std::string lockFile_;
    int fd_ = -1;
    bool granted_ = true;
};

// The name of a file's lock file.
std::string SaveLockFileOf(const std::string& file);
// Whether a file name (with or without folder) is that of a lock file, in any case: a name no
// save may write to.
bool IsSaveLockFileName(const std::string& name);
