// Creating, first showing and closing the main window.
#include <filesystem>

#include "engine/NameLists.h"
#include "foundation/Accessors.h"
#include "foundation/Logs.h"
#include "foundation/ProgramFiles.h"
#include "foundation/Tables.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/TournamentFile.h"
#include "foundation/files/TournamentForms.h"
#include "mainwindow/main.h"
#include "platform/ProgramFolder.h"
#include "platform/Strings.h"

namespace {

// The user's forms file starts with two header lines; records are appended below them.
void CreateEigenFormFile(const std::string& path) {
    Dateihandling file;
    if (!file.Open(path, "W", false)) return;
    for (const std::string& line : FormFileHeader()) file.WriteLine(line);
    file.Close();
}

bool IsTournamentFile(const std::string& argument) {
    return argument.size() > 4 && UpperAscii(argument.substr(argument.size() - 4)) == ".TUR";
}

}  // namespace

TForm1::~TForm1() { Log("[F] Marovelkandis ordentlich beendet"); }

void TForm1::FormCreate() {
    Ran(__func__);
    CheckColumnNumbers(*this);
    RundenAnsage = true;
    const std::string eigenForm = ProgramFile(kEigenFormFile);
    std::error_code error;
    // A folder that cannot be examined is caught at start-up; here it only means no file.
    if (!std::filesystem::exists(eigenForm, error) && !error) CreateEigenFormFile(eigenForm);
    lngSetAll();
}

void TForm1::FormShow(const std::string& firstArgument, const std::function<void()>& loadCommand) {
    Ran(__func__);
    if (IsTournamentFile(firstArgument)) {
        ShowLoadDialog = false;
        OpenDialog1.Files.Add(firstArgument);
        Log("Datei direkt geladen: " + firstArgument);
        if (loadCommand) loadCommand();
        ShowLoadDialog = true;
    }
    // The stored time keepers, so that the duplicate check and a deletion see every one of them.
    loadZeitnehmerliste(*this);
}

void TForm1::Ende1Click(TObject*) {
    Ran(__func__);
    if (FormCloseQuery()) Closed = true;
}

bool TForm1::FormCloseQuery() {
    Ran(__func__);
    Log("[F] FormCloseQuery()");
    // Unsaved tournaments are offered for saving; a save that fails or is cancelled keeps the
    // window open, so that nothing is lost on the way out.
    return checkSaveTurnier(*this);
}
