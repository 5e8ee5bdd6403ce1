#include "foundation/files/Dateihandling.h"

#include <unistd.h>

#include <optional>

#include "foundation/Logs.h"
#include "foundation/files/Scrambling.h"
#include "platform/Encoding.h"

namespace {

bool Exists(const std::string& file) { return ::access(file.c_str(), F_OK) == 0; }

}  // namespace

Dateihandling::Dateihandling() : Dateihandling(SystemFileOperations()) {}

Dateihandling::Dateihandling(FileOperations& operations)
    : input_(operations), output_(operations), filler_(scrambling::FillerSeed()) {}

// Nothing stays open after the object is gone; a file still being written (an exception on the
// way, a forgotten Close) is thrown away, and the previous file stays.
Dateihandling::~Dateihandling() = default;

bool Dateihandling::Open(const std::string& file, const std::string& mode, bool scrambled, TargetLink links) {
    // A written file that was not closed is not put in place by opening another.
    if (mode != "R") output_.Discard();
    mode_ = mode;
    scrambled_ = scrambled;
    if (mode == "R") {
        inputTextMode_ = !scrambled;
        if (input_.OpenRead(file)) return true;
        // Whatever cannot be read (missing, a folder, a pipe, no permission) counts as missing.
        error_ = true;
        return false;
    }
    // Nothing can be written any more; opening would only cut the target short.
    if (error_) return false;
    outputName_ = file;
    outputTextMode_ = !scrambled;
    return output_.OpenWrite(file, true, false, links);
}

void Dateihandling::OpenAppend(const std::string& file, const std::string& mode, bool scrambled) {
    output_.Discard();
    mode_ = mode;
    scrambled_ = scrambled;
    outputName_ = file;
    outputTextMode_ = true;
    // A file that is there but cannot be appended to counts as missing, so Close reports the loss.
    if (!Exists(file) || !output_.OpenAppend(file) || !output_.EndLastLine()) error_ = true;
}

std::string Dateihandling::ReadLine() {
    try {
        std::string line;
        if (!input_.ReadLine(line, inputTextMode_)) return {};
        return scrambled_ ? UnscrambleLine(line) : encoding::FromFileBytes(line);
    } catch (...) {
        return {};
    }
}

void Dateihandling::WriteLine(const std::string& line) {
    if (error_ || !output_.IsOpen()) return;
    const bool failedBefore = output_.Failed();
    try {
        // Printed pages are never scrambled, whatever the caller asks for.
        bool scramble = scrambled_ && mode_ != "HTML";
        std::optional<std::string> bytes = scramble ? scrambling::KeyShiftScrambleText(line, keyPosition_, filler_)
                                                    : encoding::ToFileBytes(line);
        if (bytes) {
            const bool written = output_.WriteLine(*bytes, outputTextMode_ ? "\r\n" : "\n");
            if (std::fflush(output_.Stream()) == 0 && written) return;
        }
    } catch (...) {
    }
    // Callers get no result here, so the loss is at least on record, once per file.
    if (!failedBefore) ErrorLog("[X] Datei " + outputName_ + " konnte nicht geschrieben werden");
    output_.MarkFailed();
}

bool Dateihandling::Close() {
    if (error_) return false;
    input_.Finish();
    return FinishOutput();
}

// Closes the output; a file written beside its target replaces it only when it is complete.
bool Dateihandling::FinishOutput() {
    const bool replacing = output_.IsOpen() && output_.ReplacesTarget();
    const bool complete = output_.Finish();
    if (replacing && !complete)
        ErrorLog("[X] Datei " + outputName_ + " konnte nicht gespeichert werden, die alte Fassung bleibt");
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

bool Dateihandling::Eof() { return input_.AtEnd(); }
