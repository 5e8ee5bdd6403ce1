#include "foundation/files/TFile.h"

#include <cctype>
#include <optional>
#include <string_view>

#include "foundation/files/LineReading.h"
#include "foundation/files/Scrambling.h"
#include "platform/Encoding.h"

namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string TempNameFor(const std::string& name) {
    size_t slash = name.rfind('/');
    std::string_view file = std::string_view(name).substr(slash == std::string::npos ? 0 : slash + 1);
    bool hasExtension = file.size() >= 5 && file[file.size() - 4] == '.';
    if (hasExtension && Upper(std::string(file.substr(file.size() - 4))) != ".TMP")
        return name.substr(0, name.size() - 4) + ".tmp";
    return name + ".tmp";
}

TFile::TFile() : TFile(SystemFileOperations()) {}

TFile::TFile(FileOperations& operations) : operations_(operations), filler_(scrambling::FillerSeed()) {}

TFile::~TFile() { Close(); }

void TFile::SetSafeWrite(bool safeWrite) { safeWrite_ = safeWrite; }

void TFile::SetShiftScheme(bool shiftScheme) { shiftScheme_ = shiftScheme; }

bool TFile::Open(const std::string& name, const std::string& mode) {
    if (stream_) Close();
    name_ = name;
    tempName_ = TempNameFor(name);
    keyPosition_ = 1;
    writeFailed_ = false;
    lineTooLong_ = false;
    std::string upper = Upper(mode);
    if (upper.find('T') != std::string::npos) textMode_ = true;
    char kind = upper.empty() ? ' ' : upper[0];
    if (kind != 'R' && kind != 'W' && kind != 'A') return false;
    // Linux has no text mode: the class writes and strips the CR of the line end itself.
    bool update = upper.find('+') != std::string::npos;
    std::string stdioMode = std::string(1, static_cast<char>(std::tolower(kind))) + (update ? "+b" : "b");
    writing_ = kind != 'R' || update;
    toTemp_ = safeWrite_ && writing_;
    stream_ = std::fopen((toTemp_ ? tempName_ : name_).c_str(), stdioMode.c_str());
    if (stream_ && upper.find('R') != std::string::npos) size_ = Size();
    return stream_ != nullptr;
}

bool TFile::OpenRead(const std::string& name, bool scrambled) {
    safeWrite_ = false;
    scrambled_ = scrambled;
    return Open(name, "rt");
}

bool TFile::OpenWrite(const std::string& name, bool scrambled) {
    scrambled_ = scrambled;
    return Open(name, "wt");
}

bool TFile::OpenAppend(const std::string& name) {
    safeWrite_ = false;
    return Open(name, "at");
}

void TFile::WriteLine(const std::string& line) {
    if (!stream_) return;
    try {
        std::optional<std::string> bytes = scrambled_ ? Scrambled(line) : encoding::ToFileBytes(line);
        // A line that would not read back is left out, and the file counts as not written.
        if (!bytes) {
            writeFailed_ = true;
            return;
        }
        *bytes += "\r\n";
        WriteBytes(bytes->data(), bytes->size());
    } catch (...) {
        writeFailed_ = true;
    }
}

std::string TFile::ReadLine() {
    if (!stream_ || lineTooLong_) return {};
    try {
        std::string line;
        if (!lines::ReadLine(stream_, line, textMode_, name_, lineTooLong_)) return {};
        return scrambled_ ? Unscrambled(line) : encoding::FromFileBytes(line);
    } catch (...) {
        return {};
    }
}

bool TFile::Eof() {
    if (!stream_ || lineTooLong_) return true;
    if (textMode_) return Tell() >= size_;
    return std::feof(stream_) != 0;
}

long TFile::Tell() { return stream_ ? std::ftell(stream_) : 0; }

long TFile::Size() {
    if (!stream_) return 0;
    if (size_ != 0) return size_;
    long position = std::ftell(stream_);
    if (position < 0 || std::fseek(stream_, 0, SEEK_END) != 0) return 0;
    long size = std::ftell(stream_);
    std::fseek(stream_, position, SEEK_SET);
    return size < 0 ? 0 : size;
}

size_t TFile::Write(const void* buffer, size_t length) {
    if (!stream_ || length == 0) return 0;
    size_t written = std::fwrite(buffer, 1, length, stream_);
    if (written != length) writeFailed_ = true;
    return written;
}

size_t TFile::Read(void* buffer, size_t length) {
    if (!stream_ || length == 0) return 0;
    return std::fread(buffer, 1, length, stream_);
}

bool TFile::Close() {
    long written = Tell();
    bool wroteTemp = toTemp_ && stream_;
    bool complete = FinishStream();
    size_ = 0;
    textMode_ = false;
    toTemp_ = false;
    if (!safeWrite_) return complete;
    // Without a single byte the save cannot be whole; the previous file stays.
    if (!wroteTemp || written <= 0 || !complete) return false;
    return PutInPlace();
}

std::string TFile::ScrambleLine(const std::string& line) {
    try {
        return Scrambled(line).value_or(std::string());
    } catch (...) {
        return {};
    }
}

std::string TFile::UnscrambleLine(const std::string& line) {
    try {
        return Unscrambled(line);
    } catch (...) {
        return {};
    }
}

bool TFile::WriteBytes(const char* bytes, size_t length) {
    if (std::fwrite(bytes, 1, length, stream_) == length) return true;
    writeFailed_ = true;
    return false;
}

std::optional<std::string> TFile::Scrambled(const std::string& line) {
    if (shiftScheme_) return scrambling::KeyShiftScrambleText(line, keyPosition_, filler_);
    return scrambling::InterleaveScramble(encoding::ToFileBytes(line), filler_);
}

std::string TFile::Unscrambled(const std::string& line) {
    std::string bytes = shiftScheme_ ? scrambling::KeyShiftUnscramble(line, keyPosition_, scrambling::Code11::AsCode220)
                                     : scrambling::InterleaveUnscramble(line);
    return encoding::FromFileBytes(bytes);
}

// Closes the stream; false when any write, the flush, the sync of a safe write or the close failed.
bool TFile::FinishStream() {
    if (!stream_) return !writeFailed_;
    bool complete = !writeFailed_ && std::ferror(stream_) == 0;
    if (writing_) {
        complete = std::fflush(stream_) == 0 && complete;
        if (safeWrite_ && complete) complete = operations_.SyncFile(fileno(stream_));
    }
    complete = std::fclose(stream_) == 0 && complete;
    stream_ = nullptr;
    writing_ = false;
    return complete;
}

// The target is replaced only by a complete file, in one atomic rename.
bool TFile::PutInPlace() {
    if (!operations_.Rename(tempName_, name_)) return false;
    return operations_.SyncFolder(FolderOf(name_));
}
