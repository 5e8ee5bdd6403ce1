#include "foundation/files/LineFile.h"

#include <fcntl.h>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/Logs.h"

// The stream reads the descriptor directly and writes it through the file operations, so that
// a test's full disk takes the bytes a real one would and refuses the rest.
struct FileChannel {
    int fd;
    FileOperations* operations;
    int error;         // the first failed read or write
    ByteTrace* trace;  // every byte read or written, for the file's version
};

namespace {

void NoteChannelError(FileChannel& channel) {
    if (channel.error == 0) channel.error = errno;
}

ssize_t ChannelRead(void* cookie, char* buffer, size_t size) {
    auto& channel = *static_cast<FileChannel*>(cookie);
    for (;;) {
        const ssize_t n = ::read(channel.fd, buffer, size);
        if (n > 0) channel.trace->Passed(buffer, static_cast<size_t>(n));
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        NoteChannelError(channel);
        return -1;
    }
}

// Fewer bytes than asked for make the stream's error indicator go up.
ssize_t ChannelWrite(void* cookie, const char* bytes, size_t size) {
    auto& channel = *static_cast<FileChannel*>(cookie);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = channel.operations->Write(channel.fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            NoteChannelError(channel);
            break;
        }
        channel.trace->Passed(bytes + done, static_cast<size_t>(n));
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

int ChannelSeek(void* cookie, off64_t* offset, int whence) {
    auto& channel = *static_cast<FileChannel*>(cookie);
    const off_t position = ::lseek(channel.fd, *offset, whence);
    if (position < 0) return -1;
    channel.trace->MovedTo(position);
    *offset = position;
    return 0;
}

int ChannelClose(void* cookie) {
    auto* channel = static_cast<FileChannel*>(cookie);
    const int closed = ::close(channel->fd);
    delete channel;
    return closed == 0 ? 0 : -1;
}

constexpr cookie_io_functions_t kChannelFunctions{ChannelRead, ChannelWrite, ChannelSeek, ChannelClose};

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
    const int fd = operations_.Open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        NoteError(errno);
        return false;
    }
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) != 0) error = errno;
    else if (!S_ISREG(info.st_mode)) error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    else if (::fcntl(fd, F_SETFL, flags & O_APPEND) != 0) error = errno;
    if (error != 0) {
        NoteError(error);
        ::close(fd);
        return false;
    }
    if ((flags & O_APPEND) != 0) appendStart_ = info.st_size;
    return Attach(fd, mode, writing);
}

bool LineFile::Attach(int fd, const char* mode, bool writing) {
    trace_ = ByteTrace();
    auto* channel = new FileChannel{fd, &operations_, 0, &trace_};
    stream_ = ::fopencookie(channel, mode, kChannelFunctions);
    if (!stream_) {
        NoteError(errno);
        ::close(fd);
        delete channel;
        return false;
    }
    channel_ = channel;
    writing_ = writing;
    return true;
}

void LineFile::NoteError(int error) {
    if (error_ == 0) error_ = error;
}

int LineFile::Error() const {
    if (error_ != 0) return error_;
    return channel_ ? channel_->error : 0;
}

bool LineFile::OpenRead(const std::string& name) {
    const bool opened = Open(name, O_RDONLY, "rb", false);
    name_ = name;
    return opened;
}

bool LineFile::OpenWrite(const std::string& target, bool besideTarget, bool update, TargetLink links) {
    name_ = target;
    if (!besideTarget) return Open(target, (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC, update ? "w+b" : "wb", true);
    Discard();
    const int fd = temporary_.Create(target, operations_, links);
    if (fd < 0) NoteError(errno);
    if (fd >= 0 && Attach(fd, update ? "w+b" : "wb", true)) return true;
    temporary_.Remove();
    return false;
}

// Opened for reading as well, so that the end of the old content can be looked at.
bool LineFile::OpenAppend(const std::string& name, bool update) {
    const bool opened = Open(name, O_RDWR | O_CREAT | O_APPEND, update ? "a+b" : "ab", true);
    name_ = name;
    return opened;
}

bool LineFile::EndLastLine() {
    if (!stream_ || appendStart_ <= 0) return IsOpen();
    char last = 0;
    if (const ssize_t read = ::pread(channel_->fd, &last, 1, appendStart_ - 1); read != 1) {
        NoteError(read < 0 ? errno : EIO);
        failed_ = true;
        return false;
    }
    if (last == '\n') return true;
    return Write(std::string(last == '\r' ? "\n" : "\r\n"));
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

std::optional<std::string> LineFile::VersionRead() {
    if (!stream_ || tooLong_) return std::nullopt;
    char rest[64 * 1024];
    while (std::fread(rest, 1, sizeof rest, stream_) == sizeof rest) {
    }
    if (std::ferror(stream_) != 0) return std::nullopt;
    return trace_.Version();
}

bool LineFile::AtEnd() {
    if (!stream_ || tooLong_) return true;
    const int c = std::getc(stream_);
    if (c == EOF) return true;
    std::ungetc(c, stream_);
    return false;
}

bool LineFile::ReadCompletely() { return stream_ && !tooLong_ && AtEnd() && std::ferror(stream_) == 0; }

bool LineFile::Write(const char* bytes, size_t length) {
    if (!stream_) return false;
    if (std::fwrite(bytes, 1, length, stream_) == length) return true;
    NoteError(channel_->error);
    failed_ = true;
    return false;
}

bool LineFile::WriteLine(const std::string& line, const char* end) {
    // A reader counts every byte before the line feed, a carriage return of the line end too.
    const size_t counted = line.size() + std::char_traits<char>::length(end) - 1;
    if (counted > kMaxLineBytes) {
        NoteError(kLineTooLongError);
        failed_ = true;
        return false;
    }
    return Write(line) && Write(end, std::char_traits<char>::length(end));
}

bool LineFile::RestoreAppendedFile() {
    // What the stream still holds must not reach the file after it was cut back.
    __fpurge(stream_);
    if (operations_.Truncate(channel_->fd, appendStart_)) return true;
    ErrorLog("[X] Datei " + name_ + " konnte nach einem misslungenen Anhängen nicht auf ihre alte Länge gekürzt werden");
    return false;
}

// Flushes, syncs a file that is to replace its target or was appended to, and closes; false when
// any step failed. A failed append is cut off again first.
bool LineFile::CloseStream() {
    bool complete = !failed_ && std::ferror(stream_) == 0;
    if (writing_) {
        complete = std::fflush(stream_) == 0 && complete;
        const bool durable = temporary_.Pending() || appendStart_ >= 0;
        if (complete && durable && !operations_.SyncFile(channel_->fd)) {
            NoteError(errno);
            complete = false;
        }
        NoteError(channel_->error);
        if (!complete && appendStart_ >= 0) RestoreAppendedFile();
    }
    channel_ = nullptr;
    if (std::fclose(stream_) != 0) {
        NoteError(errno);
        complete = false;
    }
    stream_ = nullptr;
    writing_ = false;
    appendStart_ = -1;
    return complete;
}

bool LineFile::Finish() {
    versionWritten_.reset();
    if (!stream_) return !failed_;
    const bool complete = CloseStream();
    if (!temporary_.Pending()) return complete;
    if (!complete) {
        temporary_.Remove();
        return false;
    }
    const std::optional<std::string> version = trace_.Version();
    if (temporary_.PutInPlace(operations_)) {
        versionWritten_ = version;
        return true;
    }
    NoteError(errno);
    return false;
}

void LineFile::Discard() {
    // An append stays when it is whole and goes when it is not; nothing else can stand in for it.
    if (stream_ && appendStart_ >= 0) {
        CloseStream();
    } else if (stream_) {
        channel_ = nullptr;
        std::fclose(stream_);
        stream_ = nullptr;
        writing_ = false;
    }
    temporary_.Remove();
    failed_ = false;
    tooLong_ = false;
    error_ = 0;
    versionWritten_.reset();
}
