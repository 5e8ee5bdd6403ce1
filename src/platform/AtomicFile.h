#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

// Whole-file reading with a size limit, and replacing a file so that a crash or a full disk
// leaves either the old or the new content, never a torn file.

enum class FileReadResult { Read, Missing, Unreadable, TooLarge };

// Reads the whole file into content (emptied first). A file larger than maxBytes is not read.
FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& content);

// Writes content to a temporary file in the target's folder (see TemporaryFile), flushes it to
// disk and renames it over the target. An existing target keeps its permissions; a new one gets
// newFileMode. A symbolic link stays and the file it leads to is replaced. False (errno set)
// when any step fails, and for a target the user may not write (see TemporaryFile); the target
// is then unchanged and no temporary file is left. Of two writers at once the last to finish
// wins, whole.
bool WriteFileAtomically(const std::string& path, std::string_view content, mode_t newFileMode = 0644);
