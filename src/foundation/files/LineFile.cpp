#include "foundation/files/LineFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

LineFile::~LineFile() {
    if (temporary_.Pending()) {
        try {
            ErrorLog("[X] Datei " + name_ + " wurde nicht zu Ende geschrieben, die alte Fassung bleibt");
        } catch (...) {
        }
    }
    Discard();
}

// Opens without blocking, so that a pipe or a device in the file's place cannot stop the program,
// and keeps only a regular file.
bool LineFile::Open(const std::string& path, int flags, const char* mode, bool writing) {
    Discard();
    failed_ = false;
    tooLong_ = false;
    const int fd = operations_.Open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, flags & O_APPEND) != 0) {
        ::close(fd);
        return false;
    }
    return Attach(fd, mode, writing);
}

bool LineFile::Attach(int fd, const char* mode, bool writing) {
    stream_ = ::fdopen(fd, mode);
    if (!stream_) {
        ::close(fd);
        return false;
    }
    writing_ = writing;
    return true;
}

bool LineFile::OpenRead(const std::string& name) {
    const bool opened = Open(name, O_RDONLY, "rb", false);
    name_ = name;
    return opened;
}

bool LineFile::OpenWrite(const std::string& target, bool besideTarget, bool update) {
    name_ = target;
    if (!besideTarget) return Open(target, (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC, update ? "w+b" : "wb", true);
    Discard();
    failed_ = false;
    tooLong_ = false;
    const int fd = temporary_.Create(target, operations_);
    if (fd >= 0 && Attach(fd, update ? "w+b" : "wb", true)) return true;
    temporary_.Remove();
    return false;
}

bool LineFile::OpenAppend(const std::string& name, bool update) {
    const bool opened = Open(name, (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND, update ? "a+b" : "ab", true);
    name_ = name;
    return opened;
}

bool LineFile::OpenUpdate(const std::string& name) {
    const bool opened = Open(name, O_RDWR, "r+b", true);
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
        if (complete && temporary_.Pending()) complete = operations_.SyncFile(fileno(stream_));
    }
    complete = std::fclose(stream_) == 0 && complete;
    stream_ = nullptr;
    writing_ = false;
    return complete;
}

bool LineFile::Finish() {
    if (!stream_) return !failed_;
    const bool complete = CloseStream();
    if (!temporary_.Pending()) return complete;
    if (!complete) {
        temporary_.Remove();
        return false;
    }
    return temporary_.PutInPlace(operations_);
}

void LineFile::Discard() {
    if (stream_) {
        std::fclose(stream_);
        stream_ = nullptr;
        writing_ = false;
    }
    temporary_.Remove();
}
