#pragma once
#include <optional>
#include <string>

// What tells one version of a file from another without reading it: the device and inode of the
// file a name leads to (a safe save puts a new file in the name's place), its size and its
// modification time. A symbolic link is followed: the file it leads to is the one saved.
// As text "device:inode:size:seconds.nanoseconds"; none when the name leads to no file that
// can be looked at (it is missing, or a folder on the way may not be searched).
std::optional<std::string> FileIdentityOf(const std::string& path);
