#include "foundation/FileProblems.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "foundation/Conversions.h"
#include "foundation/files/LineFile.h"

namespace {

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a file of this kind is, with its article; empty for a regular file.
std::string KindOf(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "ein Ordner";
    if (S_ISFIFO(mode)) return "eine benannte Pipe";
    if (S_ISSOCK(mode)) return "ein Socket";
    return "ein Gerät";
}

std::string CannotOpenSentence(const std::string& shown, const std::string& reason) {
    return WithReason("Die Datei " + shown + " kann nicht geöffnet werden", reason);
}

}  // namespace

std::string SystemErrorText(int error) {
    switch (error) {
        case 0: return {};
        case ENAMETOOLONG: return "der Name ist zu lang";
        case ELOOP: return "die symbolischen Verknüpfungen bilden eine Schleife";
        case EACCES:
        case EPERM: return "keine Berechtigung";
        case ENOTDIR: return "ein Teil des Pfades ist kein Ordner";
        case ENOENT: return "nicht vorhanden";
        case EISDIR: return "es ist ein Ordner";
        case EROFS: return "das Dateisystem ist schreibgeschützt";
        case ENOSPC: return "kein Platz auf dem Datenträger";
        case EDQUOT: return "das Speicherkontingent ist erschöpft";
        case EFBIG: return "die Datei würde zu groß werden";
        case EIO: return "Ein-/Ausgabefehler des Datenträgers";
        case kLineTooLongError:
            return "eine Zeile wäre länger, als das Programm sie lesen kann (mehr als " +
                   IntToStr(static_cast<long long>(kMaxLineBytes / (1024 * 1024))) + " MiB)";
        default: return "Systemfehler " + IntToStr(error) + " (" + std::strerror(error) + ")";
    }
}

std::string WriteErrorText(const std::string& path, int error) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) {
        const size_t slash = path.find_last_of('/');
        if (error != ENOENT || slash == std::string::npos || slash == 0) return SystemErrorText(error);
        return "der Ordner " + path.substr(0, slash) + " fehlt";
    }
    struct stat file = link;
    if (S_ISLNK(link.st_mode) && ::stat(path.c_str(), &file) != 0)
        return errno == ELOOP ? SystemErrorText(ELOOP)
                              : "die symbolische Verknüpfung " + FileNameOf(path) + " führt zu keiner Datei";
    // A save that followed the file's link once refuses a link that came since (TargetLink).
    if (S_ISLNK(link.st_mode) && error == ELOOP)
        return "an die Stelle der Datei " + path + " ist eine symbolische Verknüpfung getreten";
    if (const std::string kind = KindOf(file.st_mode); !kind.empty()) return FileNameOf(path) + " ist " + kind;
    if (error == EACCES && (file.st_mode & 0222) == 0) return "die Datei ist schreibgeschützt";
    return SystemErrorText(error);
}

std::string NoRegularFileText(const std::string& path, const std::string& shown) {
    struct stat file {};
    if (::stat(path.c_str(), &file) == 0) {
        const std::string kind = KindOf(file.st_mode);
        return kind.empty() ? std::string() : shown + " ist " + kind + " und keine Datei";
    }
    const int error = errno;
    struct stat link {};
    if (error == ENOENT && ::lstat(path.c_str(), &link) == 0)
        return "Die symbolische Verknüpfung " + shown + " führt zu keiner Datei";
    if (error == ENOENT) return "Die Datei " + shown + " gibt es nicht";
    return CannotOpenSentence(shown, SystemErrorText(error));
}

std::string CannotOpenText(const std::string& path, const std::string& shown, int error) {
    const std::string kind = NoRegularFileText(path, shown);
    return kind.empty() ? CannotOpenSentence(shown, SystemErrorText(error)) : kind;
}

std::string BadLineText(bool tooLong) {
    if (!tooLong) return "enthält Zeichen, die kein Text sind";
    return "ist zu lang (mehr als " + IntToStr(static_cast<long long>(kMaxLineBytes / (1024 * 1024))) + " MiB)";
}

std::string WithReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + ": " + reason;
}
