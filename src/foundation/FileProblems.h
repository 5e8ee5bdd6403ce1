#pragma once
#include <string>

// German words for what went wrong with a file, for the messages that name the reason.

// The words for a system error number ("kein Platz auf dem Datenträger" for ENOSPC, ...), and for
// the program's own kLineTooLongError; empty for 0, when there is no error number to name.
std::string SystemErrorText(int error);

// Why a file could not be written: where the path shows it more precisely than the error number
// (a missing folder, a folder or a device in the file's place, a file marked read-only, a
// symbolic link that leads nowhere or into a loop, or one that took the place of a file already
// checked), that; else the words for the error number.
std::string WriteErrorText(const std::string& path, int error);

// What stands in the place of a file that is to be read, as a German sentence about `shown` (the
// name as the user gave it, perhaps quoted) without a final stop: it is missing, a folder, a
// device, ...; empty when it is a regular file.
std::string NoRegularFileText(const std::string& path, const std::string& shown);

// Why a file to be read could not be opened, as a German sentence about `shown` without a final
// stop: what stands in its place (as NoRegularFileText says), else the words for the error number
// of the failed open ("keine Berechtigung").
std::string CannotOpenText(const std::string& path, const std::string& shown, int error);

// What is wrong with a line that ends the reading of a text file, as words that follow "Zeile N":
// longer than any file of the program holds, or not text (control characters, as a binary or
// UTF-16 file has them).
std::string BadLineText(bool tooLong);

// "text: reason", or the text alone when there is no reason to name.
std::string WithReason(const std::string& text, const std::string& reason);
