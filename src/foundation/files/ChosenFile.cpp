#include "foundation/files/ChosenFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <vector>

#include "foundation/MainForm.h"
#include "foundation/ProgramFiles.h"
#include "foundation/TurnierStore.h"
#include "foundation/files/RecoveryCopy.h"
#include "foundation/files/Scrambling.h"
#include "foundation/files/TournamentFile.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/SaveLock.h"
#include "platform/Strings.h"

namespace {

constexpr const char* kChooseAnother = "\r\n\r\nBitte wählen Sie einen anderen Dateinamen.";

constexpr const char* kExecutableRole = "die ausführbare Datei";

struct OwnFile {
    std::string path;
    std::string role;
};

// The program's own files where they are now: those of the program folder, the running program
// and the settings store.
std::vector<OwnFile> OwnFiles() {
    std::vector<OwnFile> files;
    for (const ProgramOwnFile& file : kProgramOwnFiles) files.push_back({ProgramFile(file.name), file.role});
    if (std::string program = ProgramExecutable(); !program.empty()) files.push_back({std::move(program), kExecutableRole});
    if (std::string store = registry::StorePath(); !store.empty())
        files.push_back({std::move(store), "der Einstellungsspeicher"});
    return files;
}

// What a file of this name is to any program folder: its lists, forms, logs and the program
// itself keep their names in every folder (a second program folder's), and a lock file and a
// recovery copy are one by their names. Names are compared without regard to case, as some file systems compare them.
std::optional<std::string> OwnNameRole(const std::string& path) {
    const std::string name = FileNameOf(path);
    for (const ProgramOwnFile& file : kProgramOwnFiles)
        if (SameText(name, file.name)) return std::string(file.role);
    if (const std::string program = ProgramExecutable(); !program.empty() && SameText(name, FileNameOf(program)))
        return std::string(kExecutableRole);
    if (IsSaveLockFileName(name)) return std::string("eine Sperrdatei");
    // A recovery copy may hold the only copy of a tournament's results.
    if (IsRecoveryCopyName(name)) return std::string("eine Sicherungskopie");
    return std::nullopt;
}

// The file is one of the program's own, or has the name of one, as it is named (path) or as the
// file its link leads to is.
std::optional<std::string> OwnFileRole(const std::string& path, const std::string& file) {
    for (const std::string& name : {path, file})
        if (std::optional<std::string> role = OwnNameRole(name)) return role;
    for (const OwnFile& own : OwnFiles())
        if (SameFile(file, own.path)) return own.role;
    return std::nullopt;
}

bool NamedAsTurnierFile(const std::string& path) {
    const std::string name = FileNameOf(path);
    return name.size() >= 4 && UpperAscii(name.substr(name.size() - 4)) == ".TUR";
}

// The first bytes of a regular file; empty for anything else.
std::string FileStart(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat info {};
    std::string start(256, '\0');
    const ssize_t read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? ::pread(fd, start.data(), start.size(), 0) : -1;
    ::close(fd);
    start.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return start;
}

// A tournament file under any name: its second line says so (this generation or the one before).
bool HasTurnierHeader(const std::string& path) {
    const std::string start = FileStart(path);
    const size_t first = start.find('\n');
    if (first == std::string::npos) return false;
    const size_t second = start.find('\n', first + 1);
    int keyPosition = 1;
    scrambling::KeyShiftUnscramble(std::string_view(start).substr(0, first), keyPosition, scrambling::Code11::AsCode220);
    const std::string magic = scrambling::KeyShiftUnscramble(
        std::string_view(start).substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1),
        keyPosition, scrambling::Code11::AsCode220);
    return magic == "MAROVELKA4" || magic == "MAROVELKA3";
}

bool IsTurnierFile(const std::string& path, const std::string& file) {
    return NamedAsTurnierFile(path) || NamedAsTurnierFile(file) || HasTurnierHeader(file);
}

std::string OpenTurnierText(const TMainForm& f, int number) {
    return number == f.AktTurNr ? TurnierSelectorText(f.Turnier, 1)
                                : TurnierSelectorText(f.XMasterGrid, MasterTurnierRow(f, number));
}

}  // namespace

std::string RefusedChosenFile(const TMainForm& f, const std::string& typed, const std::string& path,
                              const std::string& file, ChosenContent content, int own) {
    if (!NamesAFile(typed))
        return "„" + typed + "“ ist kein Dateiname: es fehlt der Name der Datei.\r\n\r\nBitte geben Sie einen Dateinamen an.";
    if (const std::optional<std::string> role = OwnFileRole(path, file))
        return "Die Datei " + path + " ist " + *role + " des Programms und wird nicht überschrieben." + kChooseAnother;
    if (const int owner = OpenTurnierWithFile(f, file); owner != 0 && owner != own)
        return "Die Datei " + path + " gehört schon zum geöffneten Turnier " + OpenTurnierText(f, owner) +
               " und wird nicht überschrieben." + kChooseAnother;
    if (content != ChosenContent::Turnier && IsTurnierFile(path, file))
        return "Die Datei " + path + " ist eine Turnierdatei und wird nicht mit Ergebnissen überschrieben." + kChooseAnother;
    return {};
}
