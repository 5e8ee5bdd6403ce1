#include "foundation/files/Dateihandling.h"

#include <unistd.h>

#include <optional>

#include "foundation/Logs.h"
#include "foundation/files/LineReading.h"
#include "foundation/files/Scrambling.h"
#include "platform/Encoding.h"

namespace {

bool Exists(const std::string& file) { return ::access(file.c_str(), F_OK) == 0; }

}  // namespace

Dateihandling::Dateihandling() : Dateihandling(SystemFileOperations()) {}

Dateihandling::Dateihandling(FileOperations& operations)
    : operations_(operations), filler_(scrambling::FillerSeed()) {}

// Unlike a bare stream pair, nothing stays open after the object is gone, and a written file
// is put in place as Close would.
Dateihandling::~Dateihandling() { CloseStreams(); }

bool Dateihandling::Open(const std::string& file, const std::string& mode, bool scrambled) {
    if (mode != "R") FinishOutput();
    mode_ = mode;
    scrambled_ = scrambled;
    if (mode == "R") {
        if (input_) std::fclose(input_);
        input_ = nullptr;
        inputName_ = file;
        lineTooLong_ = false;
        if (!Exists(file)) {
            error_ = true;
            return false;
        }
        input_ = lines::OpenBinary(file, 'r');
        inputTextMode_ = !scrambled;
        return input_ != nullptr;
    }
    // Nothing can be written any more; opening would only cut the target short.
    if (error_) return false;
    outputName_ = file;
    tempName_ = file + ".tmp";
    output_ = lines::OpenBinary(tempName_, 'w');
    if (!output_) tempName_.clear();
    outputTextMode_ = !scrambled;
    writeFailed_ = false;
    return output_ != nullptr;
}

void Dateihandling::OpenAppend(const std::string& file, const std::string& mode, bool scrambled) {
    FinishOutput();
    mode_ = mode;
    scrambled_ = scrambled;
    outputName_ = file;
    if (!Exists(file)) {
        error_ = true;
        return;
    }
    output_ = lines::OpenBinary(file, 'a');
    outputTextMode_ = true;
    writeFailed_ = false;
}

std::string Dateihandling::ReadLine() {
    if (!input_ || lineTooLong_) return {};
    try {
        std::string line;
        if (!lines::ReadLine(input_, line, inputTextMode_, inputName_, lineTooLong_)) return {};
        return scrambled_ ? UnscrambleLine(line) : encoding::FromFileBytes(line);
    } catch (...) {
        return {};
    }
}

void Dateihandling::WriteLine(const std::string& line) {
    if (error_ || !output_) return;
    try {
        // Printed pages are never scrambled, whatever the caller asks for.
        bool scramble = scrambled_ && mode_ != "HTML";
        std::optional<std::string> bytes = scramble ? scrambling::KeyShiftScrambleText(line, keyPosition_, filler_)
                                                    : encoding::ToFileBytes(line);
        if (bytes) {
            *bytes += outputTextMode_ ? "\r\n" : "\n";
            bool written = std::fwrite(bytes->data(), 1, bytes->size(), output_) == bytes->size();
            if (std::fflush(output_) == 0 && written) return;
        }
    } catch (...) {
    }
    // Callers get no result here, so the loss is at least on record, once per file.
    if (!writeFailed_) ErrorLog("[X] Datei " + outputName_ + " konnte nicht geschrieben werden");
    writeFailed_ = true;
}

bool Dateihandling::Close() {
    if (error_) return false;
    if (input_) std::fclose(input_);
    input_ = nullptr;
    return FinishOutput();
}

// Closes the output; a file written beside its target replaces it only when it is complete.
bool Dateihandling::FinishOutput() {
    if (!output_) return !writeFailed_;
    bool complete = !writeFailed_ && std::fflush(output_) == 0 && std::ferror(output_) == 0;
    if (complete && !tempName_.empty()) complete = operations_.SyncFile(fileno(output_));
    complete = std::fclose(output_) == 0 && complete;
    output_ = nullptr;
    if (tempName_.empty()) return complete;
    if (complete) complete = operations_.Rename(tempName_, outputName_) && operations_.SyncFolder(FolderOf(outputName_));
    if (!complete) {
        std::remove(tempName_.c_str());
        ErrorLog("[X] Datei " + outputName_ + " konnte nicht gespeichert werden, die alte Fassung bleibt");
    }
    tempName_.clear();
    return complete;
}

std::string Dateihandling::ScrambleLine(const std::string& line) {
    if (mode_ == "HTML") return line;
    try {
        return scrambling::KeyShiftScrambleText(line, keyPosition_, filler_).value_or(std::string());
    } catch (...) {
        return {};
    }
}

std::string Dateihandling::UnscrambleLine(const std::string& line) {
    try {
        return encoding::FromFileBytes(scrambling::KeyShiftUnscramble(line, keyPosition_, scrambling::Code11::Keep));
    } catch (...) {
        return {};
    }
}

bool Dateihandling::Eof() {
    if (!input_ || lineTooLong_) return true;
    int c = std::getc(input_);
    if (c == EOF) return true;
    std::ungetc(c, input_);
    return false;
}

void Dateihandling::CloseStreams() {
    if (input_) std::fclose(input_);
    input_ = nullptr;
    FinishOutput();
}
