#pragma once
#include <string>

// An ini file read and written the way the Windows private-profile functions do it: every call
// reads the file anew; section and key names match without regard to case; the first of
// duplicate sections or keys counts; blanks around names and values do not count, and one pair
// of quotes around a value is taken off. Lines starting with ';' are comments. Writing changes
// or adds one line and leaves every other line as it was; the file is replaced atomically.
// The bytes of values are passed through unchanged.
class TIniFile {
public:
    explicit TIniFile(std::string path) : path_(std::move(path)) {}

    const std::string& FileName() const { return path_; }

    // The key's value; the default when the file, the section or the key is missing.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;

    // Sets the key, adding the section and the key when missing. False, with the file
    // unchanged, when it cannot be read or written or when the section, key or value could not
    // be read back from a line (line breaks, '=' in a key, ']' in a section, empty names).
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string path_;
};
