#include "foundation/files/TFile.h"

#include <optional>

#include "foundation/files/Scrambling.h"
#include "platform/Encoding.h"
#include "platform/Strings.h"

TFile::TFile() : TFile(SystemFileOperations()) {}

TFile::TFile(FileOperations& operations) : file_(operations), filler_(scrambling::FillerSeed()) {}

// A file still being written when the object goes (an exception on the way) is thrown away: only
// Close puts a safely written file in place.
TFile::~TFile() = default;

void TFile::SetSafeWrite(bool safeWrite, TargetLink links) {
    safeWrite_ = safeWrite;
    links_ = links;
}

void TFile::SetShiftScheme(bool shiftScheme) { shiftScheme_ = shiftScheme; }

bool TFile::Open(const std::string& name, const std::string& mode) {
    // A file left open is closed; one written safely is not put in place without a Close.
    if (file_.IsOpen()) {
        file_.Discard();
        ForgetOpenFile();
    }
    keyPosition_ = 1;
    std::string upper = UpperAscii(mode);
    if (upper.find('T') != std::string::npos) textMode_ = true;
    char kind = upper.empty() ? ' ' : upper[0];
    if (kind != 'R' && kind != 'W' && kind != 'A') return false;
    // Linux has no text mode: the class writes and strips the CR of the line end itself.
    bool update = upper.find('+') != std::string::npos;
    // Only a file written from its start can stand in for the target as a whole.
    toTemp_ = safeWrite_ && kind == 'W';
    bool opened = false;
    if (kind == 'W') opened = file_.OpenWrite(name, toTemp_, update, links_);
    // An appended line in text mode never fuses with a last line an editor left unfinished.
    else if (kind == 'A') opened = file_.OpenAppend(name, update) && (!textMode_ || file_.EndLastLine());
    else opened = update ? file_.OpenUpdate(name) : file_.OpenRead(name);
    if (opened && kind == 'R') size_ = Size();
    return opened;
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
    if (!file_.IsOpen()) return;
    try {
        std::optional<std::string> bytes = scrambled_ ? Scrambled(line) : encoding::ToFileBytes(line);
        // A line that would not read back is left out, and the file counts as not written.
        if (!bytes) {
            file_.MarkFailed();
            return;
        }
        file_.WriteLine(*bytes, "\r\n");
    } catch (...) {
        file_.MarkFailed();
    }
}

std::string TFile::ReadLine() {
    try {
        std::string line;
        if (!file_.ReadLine(line, textMode_)) return {};
        return scrambled_ ? Unscrambled(line) : encoding::FromFileBytes(line);
    } catch (...) {
        return {};
    }
}

bool TFile::Eof() {
    if (!file_.IsOpen() || file_.TooLong()) return true;
    // A file cut short while it is read, or a read error, ends the file too, or a reader waiting
    // for the size measured at open would never stop.
    std::FILE* stream = file_.Stream();
    if (std::feof(stream) != 0 || std::ferror(stream) != 0) return true;
    return textMode_ && Tell() >= size_;
}

bool TFile::ReadCompletely() { return file_.ReadCompletely(); }

long TFile::Tell() { return file_.IsOpen() ? std::ftell(file_.Stream()) : 0; }

long TFile::Size() {
    std::FILE* stream = file_.Stream();
    if (!stream) return 0;
    if (size_ != 0) return size_;
    long position = std::ftell(stream);
    if (position < 0 || std::fseek(stream, 0, SEEK_END) != 0) return 0;
    long size = std::ftell(stream);
    std::fseek(stream, position, SEEK_SET);
    return size < 0 ? 0 : size;
}

size_t TFile::Write(const void* buffer, size_t length) {
    if (!file_.IsOpen() || length == 0) return 0;
    return file_.Write(static_cast<const char*>(buffer), length) ? length : 0;
}

size_t TFile::Read(void* buffer, size_t length) {
    if (!file_.IsOpen() || length == 0) return 0;
    return std::fread(buffer, 1, length, file_.Stream());
}

bool TFile::Close() {
    const bool wroteTemp = toTemp_ && file_.IsOpen();
    // Without a single byte the save cannot be whole; the previous file stays.
    if (wroteTemp && Tell() <= 0) file_.MarkFailed();
    const bool complete = file_.Finish();
    ForgetOpenFile();
    if (!safeWrite_) return complete;
    return wroteTemp && complete;
}

void TFile::ForgetOpenFile() {
    size_ = 0;
    textMode_ = false;
    toTemp_ = false;
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

std::optional<std::string> TFile::Scrambled(const std::string& line) {
    if (shiftScheme_) return scrambling::KeyShiftScrambleText(line, keyPosition_, filler_);
    return scrambling::InterleaveScramble(encoding::ToFileBytes(line), filler_);
}

std::string TFile::Unscrambled(const std::string& line) {
    std::string bytes = shiftScheme_ ? scrambling::KeyShiftUnscramble(line, keyPosition_, scrambling::Code11::AsCode220)
                                     : scrambling::InterleaveUnscramble(line);
    return encoding::FromFileBytes(bytes);
}
