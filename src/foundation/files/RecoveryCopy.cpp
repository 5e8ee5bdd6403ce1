#include "foundation/files/RecoveryCopy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "foundation/Columns.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/ProgramFiles.h"
#include "foundation/TurnierStore.h"
#include "foundation/files/TournamentFile.h"
#include "platform/FileOperations.h"
#include "platform/ProgramFolder.h"
#include "platform/UiHost.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kMark = ".sicherung-";
// A bound for the search of a free number: no folder holds that many copies of one file.
constexpr int kMaxCopies = 9999;

std::string CopyName(const std::string& base, int number) { return base + kMark + std::to_string(number); }

// The number of a copy's file name after its mark; 0 for anything else.
int NumberAfterMark(const std::string& fileName, size_t markAt) {
    const std::string digits = fileName.substr(markAt + std::strlen(kMark));
    if (digits.empty() || digits.size() > 4 || digits[0] == '0' ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoi(digits);
}

// The number of fileName as a copy of the file named baseName; 0 when it is none.
int CopyNumber(const std::string& fileName, const std::string& baseName) {
    const std::string prefix = baseName + kMark;
    if (fileName.size() <= prefix.size() || fileName.compare(0, prefix.size(), prefix) != 0) return 0;
    return NumberAfterMark(fileName, baseName.size());
}

// The first free name for a copy of base, made as an empty file so that no other writer takes
// it; O_EXCL also refuses a symbolic link in its place. Empty, with error set, when none can be.
std::string ReserveCopyName(const std::string& base, mode_t mode, int& error) {
    for (int number = 1; number <= kMaxCopies; ++number) {
        const std::string name = CopyName(base, number);
        const int fd = SystemFileOperations().Open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST) {
            error = errno;
            return {};
        }
    }
    error = EEXIST;
    return {};
}

bool IsEmptyFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0;
}

// A new copy of base holding the rows; empty, with why in problem, when it could not be written.
std::string WriteCopy(const std::string& base, const Rows& rows, mode_t mode, std::string& problem) {
    int error = 0;
    const std::string name = ReserveCopyName(base, mode, error);
    if (name.empty()) {
        problem = WriteErrorText(CopyName(base, 1), error);
        return {};
    }
    if (WriteTurnierRows(name, rows, error)) return name;
    problem = WriteErrorText(name, error);
    // The reserved name goes again while it is empty; a copy complete in its place stays.
    if (IsEmptyFile(name)) ::unlink(name.c_str());
    return {};
}

// A copy keeps a private tournament file private; one marked read-only still gets its copy,
// which its owner may write and remove.
mode_t CopyMode(const std::string& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? ((info.st_mode & 0066) | 0600) : 0666;
}

void RemoveCopy(const std::string& copy) {
    if (!IsRecoveryCopyName(FileNameOf(copy))) return;
    if (::unlink(copy.c_str()) == 0) Log("[A] Sicherungskopie entfernt: " + copy);
    else if (errno != ENOENT) ErrorLog("[X] Sicherungskopie " + copy + " nicht entfernt: " + SystemErrorText(errno));
}

// The copies of base in its folder, the newest first.
std::vector<std::string> CopiesOf(const std::string& base) {
    const std::string baseName = FileNameOf(base), folder = base.substr(0, base.size() - baseName.size());
    if (baseName.empty()) return {};
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    struct Found {
        std::string path;
        timespec modified;
        int number;
    };
    std::vector<Found> found;
    while (const dirent* entry = ::readdir(dir)) {
        const int number = CopyNumber(entry->d_name, baseName);
        if (number == 0) continue;
        const std::string path = folder + entry->d_name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) continue;
        found.push_back({path, info.st_mtim, number});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.modified.tv_sec != b.modified.tv_sec) return a.modified.tv_sec > b.modified.tv_sec;
        if (a.modified.tv_nsec != b.modified.tv_nsec) return a.modified.tv_nsec > b.modified.tv_nsec;
        return a.number > b.number;
    });
    std::vector<std::string> paths;
    for (const Found& copy : found) paths.push_back(copy.path);
    return paths;
}

RecoveryCopyResult WriteRecoveryCopy(const UnsavedTurnier& turnier) {
    RecoveryCopyResult result{turnier.name, turnier.file, {}, {}};
    std::string beside;
    if (!turnier.file.empty()) {
        result.copy = WriteCopy(turnier.file, turnier.rows, CopyMode(turnier.file), beside);
        if (!result.copy.empty()) return result;
    }
    std::string inProgramFolder;
    result.copy = WriteCopy(ProgramFile(kRecoveryCopyWithoutFile), turnier.rows, 0666, inProgramFolder);
    if (result.copy.empty())
        result.problem = beside.empty() ? inProgramFolder
                                        : "neben der Datei " + beside + ", im Programmordner " + inProgramFolder;
    return result;
}

}  // namespace

bool IsRecoveryCopyName(const std::string& fileName) {
    const size_t mark = fileName.rfind(kMark);
    return mark != std::string::npos && mark > 0 && NumberAfterMark(fileName, mark) > 0;
}

bool RecoveryCopyResult::BesideFile() const {
    return !file.empty() && CopyNumber(FileNameOf(copy), FileNameOf(file)) > 0 &&
           copy.compare(0, file.size(), file) == 0;
}

std::vector<RecoveryCopyResult> WriteRecoveryCopies(TMainForm& f) {
    std::vector<RecoveryCopyResult> results;
    for (const UnsavedTurnier& turnier : UnsavedTurniere(f)) {
        results.push_back(WriteRecoveryCopy(turnier));
        const RecoveryCopyResult& result = results.back();
        if (result.copy.empty()) {
            ErrorLog("[X] Keine Sicherungskopie von " + turnier.name + ": " + result.problem);
            continue;
        }
        Log("[A] Sicherungskopie von " + turnier.name + ": " + result.copy);
        // Its changes are in the new copy now.
        if (!turnier.restoredFrom.empty()) RemoveCopy(turnier.restoredFrom);
    }
    return results;
}

std::vector<std::string> RecoveryCopiesOf(const std::string& file) { return CopiesOf(file); }

std::vector<std::string> RecoveryCopiesInProgramFolder() { return CopiesOf(ProgramFile(kRecoveryCopyWithoutFile)); }

std::optional<std::string> OfferRecoveryCopy(const std::string& file) {
    const std::vector<std::string> copies = RecoveryCopiesOf(file);
    for (size_t i = 0; i < copies.size(); ++i) {
        const std::string otherwise = i + 1 == copies.size()
                                          ? "Bei 'Nein' wird die Datei geladen; die Sicherungskopie bleibt liegen."
                                          : "Bei 'Nein' folgt die nächste Sicherungskopie; diese bleibt liegen.";
        if (AskYesNo("Von " + FileNameOf(file) + " gibt es eine Sicherungskopie mit ungespeicherten Änderungen (" +
                     copies[i] + ")\r\n\r\nDie Sicherungskopie statt der Datei laden? " + otherwise) == mrYes)
            return copies[i];
    }
    return std::nullopt;
}

void RecoveryCopyServed(TMainForm& f, int number) {
    TSortGrid& grid = number == f.AktTurNr ? f.Turnier : f.XMasterGrid;
    const int row = number == f.AktTurNr ? 1 : MasterTurnierRow(f, number);
    if (row < 1 || grid.Cells(Turnier_Sicherungskopie, row).empty()) return;
    RemoveCopy(grid.Cells(Turnier_Sicherungskopie, row));
    grid.SetCells(Turnier_Sicherungskopie, row, "");
}
