#pragma once
#include <map>
#include <optional>
#include <string>

constexpr unsigned CF_TEXT = 1;

// The clipboard of this process: one byte block per format. It must be opened before use and
// closed after, and only one owner may hold it open at a time.
class TClipboard {
public:
    // False when it is open already.
    bool Open();
    void Close() { open_ = false; }
    bool IsOpen() const { return open_; }
    // These work only while open; outside they do nothing and find nothing.
    void Empty();
    void SetData(unsigned format, std::string block);
    std::optional<std::string> GetData(unsigned format) const;

private:
    bool open_ = false;
    std::map<unsigned, std::string> blocks_;
};

TClipboard& Clipboard();
