#pragma once
#include <string>

// A file name as a user types it. Without an extension it means the file of the kind's usual
// extension (".tur", ".exp", ".txt"), unless a file of exactly that name exists: what was saved
// as "Jugendcup" (and so written as "Jugendcup.tur") loads as "Jugendcup". A name with an
// extension, or naming an existing file, stays as it is; so does any name when extension is empty.
std::string WithUsualExtension(const std::string& name, const std::string& extension);

// The extension of the first pattern of a file dialog's filter: "Textdatei (*.txt)|*.txt" gives
// ".txt"; empty when the first pattern has none or is a wildcard ("*.*").
std::string FilterExtension(const std::string& filter);

// Whether a name as the user types it ends in a file name: not empty, not ending in "/", and its last
// part neither "." nor "..". "sub/", "/" and ".." name folders; a file written there would be a
// hidden file without a name of its own.
bool NamesAFile(const std::string& name);

// Whether two paths lead to the same file, in whatever spelling ("./x.tur", "x.tur", the absolute
// path) and through symbolic links; for files that exist, a hard link counts as the same file too.
bool SameFile(const std::string& a, const std::string& b);

// Whether two paths name the same file by their names alone, once "." and ".." are gone and the
// symbolic links of their existing parts are followed: what the file is does not count.
bool SameResolvedPath(const std::string& a, const std::string& b);

// The file a name leads to: a symbolic link in the name's place is followed to the file behind it
// (every link on its way resolved); any other name is that file itself. False with errno set for
// a link that leads nowhere (ENOENT) or into a loop (ELOOP).
bool FollowLink(const std::string& name, std::string& file);
