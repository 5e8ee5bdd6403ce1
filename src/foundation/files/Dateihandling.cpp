#include "foundation/files/Dateihandling.h"

#include <unistd.h>

#include "foundation/Logs.h"
#include "foundation/files/LineReading.h"
#include "foundation/files/Scrambling.h"
#include "platform/Encoding.h"

namespace {

bool Exists(const std::string& file) { return ::access(file.c_str(), F_OK) == 0; }

}  // namespace

Dateihandling::Dateihandling() : filler_(scrambling::FillerSeed()) {}

// Unlike a bare stream pair, nothing stays open after the object is gone.
Dateihandling::~Dateihandling() { CloseStreams(); }

bool Dateihandling::Open(const std::string& file, const std::string& mode, bool scrambled) {
    mode_ = mode;
    scrambled_ = scrambled;
    fileName_ = file;
    if (mode == "R") {
        if (input_) std::fclose(input_);
        input_ = nullptr;
        lineTooLong_ = false;
        if (!Exists(file)) {
            error_ = true;
            return false;
        }
        input_ = lines::OpenBinary(file, 'r');
        inputTextMode_ = !scrambled;
        return input_ != nullptr;
    }
    if (output_) std::fclose(output_);
    output_ = lines::OpenBinary(file, 'w');
    outputTextMode_ = !scrambled;
    writeFailed_ = false;
    return output_ != nullptr;
}

void Dateihandling::OpenAppend(const std::string& file, const std::string& mode, bool scrambled) {
    mode_ = mode;
    scrambled_ = scrambled;
    fileName_ = file;
    if (!Exists(file)) {
        error_ = true;
        return;
    }
    if (output_) std::fclose(output_);
    output_ = lines::OpenBinary(file, 'a');
    outputTextMode_ = true;
    writeFailed_ = false;
}

std::string Dateihandling::ReadLine() {
    if (!input_ || lineTooLong_) return {};
    try {
        std::string line;
        switch (lines::ReadLine(input_, line, inputTextMode_)) {
            case lines::LineRead::End: return {};
            case lines::LineRead::TooLong:
                lineTooLong_ = true;
                ErrorLog(lines::TooLongMessage(fileName_));
                return {};
            case lines::LineRead::Line: break;
        }
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
        std::string bytes = scramble ? scrambling::KeyShiftScrambleText(line, keyPosition_, filler_)
                                     : encoding::ToFileBytes(line);
        bytes += outputTextMode_ ? "\r\n" : "\n";
        bool written = std::fwrite(bytes.data(), 1, bytes.size(), output_) == bytes.size();
        if (std::fflush(output_) == 0 && written) return;
    } catch (...) {
    }
    // Callers get no result here, so the loss is at least on record, once per file.
    if (!writeFailed_) ErrorLog("[X] Datei " + fileName_ + " konnte nicht geschrieben werden");
    writeFailed_ = true;
}

void Dateihandling::Close() {
    if (error_) return;
    CloseStreams();
}

std::string Dateihandling::ScrambleLine(const std::string& line) {
    if (mode_ == "HTML") return line;
    try {
        return scrambling::KeyShiftScrambleText(line, keyPosition_, filler_);
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
    if (output_) std::fclose(output_);
    output_ = nullptr;
}
