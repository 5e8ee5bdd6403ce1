#pragma once
#include <string>

#include "platform/FileOperations.h"

// What a save does with a symbolic link in its target's place.
enum class TargetLink {
    // The file the link leads to is written, and the link stays.
    Follow,
    // The target is the file a check looked at after following its link once (FollowLink): a
    // link found in its place now came in since, and the save fails (ELOOP) rather than write
    // through it to a file nobody checked.
    AsChecked,
};

// The file a save writes beside its target before it takes the target's place. Every writer gets
// a name of its own, "<target>.<process id>.<n>.tmp" in the target's folder, so two writers of one
// target never mix their bytes: the last complete save wins, whole. A writer holds a lock on its
// file while it writes, and before creating one it removes what writers of the same target left
// when they were killed, so crashes leave at most one such file per target.
// A save goes through a symbolic link to the file behind it, which keeps its owner (where the
// system lets us) and its permissions; a file the user may not write, or one marked read-only
// for everyone, is not replaced.
class TemporaryFile {
public:
    TemporaryFile() = default;
    // Removes a file that was not put in place.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Clears the files dead writers of the target left, then creates a new one (through
    // operations.Open), open for reading and writing and locked. The caller owns the descriptor:
    // closing it ends the lock. -1 with errno set when the file cannot be created, and when the
    // target may not be replaced: EISDIR for a folder, EINVAL for anything else that is no
    // regular file, EACCES or EROFS for a file the user may not write, ENOENT for a symbolic link
    // that leads nowhere, ELOOP for links in a loop (and for any link, AsChecked).
    int Create(const std::string& target, FileOperations& operations = SystemFileOperations(),
               TargetLink links = TargetLink::Follow);
    // Created and neither put in place nor removed yet.
    bool Pending() const { return !name_.empty(); }
    const std::string& Name() const { return name_; }
    // The file the temporary file replaces: the target, or the file its symbolic link leads to.
    const std::string& Target() const { return target_; }
    // The target existed, and the temporary file has its owner and permissions.
    bool ReplacesExisting() const { return replacesExisting_; }

    // Renames the file over the target and makes the rename durable. False (errno set) when a
    // step failed; a file that was not renamed is removed.
    bool PutInPlace(FileOperations& operations);
    // Removes the file.
    void Remove();

private:
    void Forget();

    std::string name_;
    std::string target_;
    bool replacesExisting_ = false;
};

// Removes the temporary files of the target whose writers are gone: nobody holds their lock and
// the process that made them no longer runs (or is this one, which is not writing them).
void RemoveStaleTemporaryFiles(const std::string& target);

// Whether a file name (without folder) is that of a temporary file of the target file name.
bool IsTemporaryFileOf(const std::string& fileName, const std::string& targetFileName);
