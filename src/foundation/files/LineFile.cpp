#include "foundation/files/LineFile.h"

#include "foundation/Logs.h"

namespace {

enum class LineRead { Line, End, TooLong };

LineRead ReadRawLine(std::FILE* file, std::string& line, bool stripCr, size_t maxBytes) {
    line.clear();
    int c = getc_unlocked(file);
    if (c == EOF) return LineRead::End;
    // Bytes gather in a small buffer first; appending them one by one costs more than reading.
    char chunk[4096];
    size_t filled = 0;
    while (c != EOF && c != '\n') {
        if (filled == sizeof chunk) {
            line.append(chunk, filled);
            filled = 0;
        }
        chunk[filled++] = static_cast<char>(c);
        if (line.size() + filled > maxBytes) {
            line.clear();
            line.shrink_to_fit();
            return LineRead::TooLong;
        }
        c = getc_unlocked(file);
    }
    line.append(chunk, filled);
    if (c == '\n' && stripCr && !line.empty() && line.back() == '\r') line.pop_back();
    return LineRead::Line;
}

}  // namespace

LineFile::~LineFile() { Finish(); }

bool LineFile::Open(const std::string& path, const char* mode, bool writing) {
    Finish();
    failed_ = false;
    tooLong_ = false;
    writing_ = writing;
    stream_ = std::fopen(path.c_str(), mode);
    if (!stream_) tempName_.clear();
    return stream_ != nullptr;
}

bool LineFile::OpenRead(const std::string& name) {
    const bool opened = Open(name, "rb", false);
    name_ = name;
    return opened;
}

bool LineFile::OpenWrite(const std::string& target, const std::string& tempName, bool update) {
    Finish();
    tempName_ = tempName;
    const bool opened = Open(tempName.empty() ? target : tempName, update ? "w+b" : "wb", true);
    name_ = target;
    return opened;
}

bool LineFile::OpenAppend(const std::string& name, bool update) {
    const bool opened = Open(name, update ? "a+b" : "ab", true);
    name_ = name;
    return opened;
}

bool LineFile::OpenUpdate(const std::string& name) {
    const bool opened = Open(name, "r+b", true);
    name_ = name;
    return opened;
}

bool LineFile::ReadLine(std::string& line, bool stripCr, size_t maxBytes) {
    if (!stream_ || tooLong_) return false;
    switch (ReadRawLine(stream_, line, stripCr, maxBytes)) {
        case LineRead::Line: return true;
        case LineRead::End: return false;
        case LineRead::TooLong: break;
    }
    tooLong_ = true;
    ErrorLog("[X] Datei " + name_ + " hat eine Zeile mit mehr als " + std::to_string(maxBytes) +
             " Zeichen und wird nicht weiter gelesen");
    return false;
}

bool LineFile::AtEnd() {
    if (!stream_ || tooLong_) return true;
    const int c = std::getc(stream_);
    if (c == EOF) return true;
    std::ungetc(c, stream_);
    return false;
}

bool LineFile::Write(const char* bytes, size_t length) {
    if (!stream_) return false;
    if (std::fwrite(bytes, 1, length, stream_) == length) return true;
    failed_ = true;
    return false;
}

// Flushes, syncs a file that is to replace its target, and closes; false when any step failed.
bool LineFile::CloseStream() {
    bool complete = !failed_ && std::ferror(stream_) == 0;
    if (writing_) {
        complete = std::fflush(stream_) == 0 && complete;
        if (complete && !tempName_.empty()) complete = operations_.SyncFile(fileno(stream_));
    }
    complete = std::fclose(stream_) == 0 && complete;
    stream_ = nullptr;
    writing_ = false;
    return complete;
}

bool LineFile::Finish() {
    if (!stream_) return !failed_;
    bool complete = CloseStream();
    if (tempName_.empty()) return complete;
    if (complete) complete = operations_.Rename(tempName_, name_) && operations_.SyncFolder(FolderOf(name_));
    if (!complete) std::remove(tempName_.c_str());
    tempName_.clear();
    return complete;
}
