#pragma once
#include <optional>
#include <string>
#include <vector>

#include "foundation/files/TurnierRows.h"

class TMainForm;
class TSortGrid;
class TStrings;

// The tournament file (".tur"): every row of one tournament, scrambled line by line. Three
// key-shift header lines, then in the interleave scheme "TURNIER", the info block, "<TABLE>",
// the tournament's own row first and its other rows in XMasterGrid order, "</TABLE>" and
// "</DATEI>". A row line is the row's 31 cells, each followed by CR LF. Files of version "v4.001"
// (key-shift throughout) are read as well.

// One row line: the 31 cells of an XMasterGrid-shaped row, each followed by CR LF. A line break
// inside a cell is kept as a bare line feed, so that the row cannot fall apart into more cells.
std::string TurRowLine(const std::vector<std::string>& cells);
// The cells of a row line, split at its CR LF pairs.
std::vector<std::string> SplitTurRowLine(const std::string& line);

// Writes the current tournament, or with `all` every open one (the current one last), each to
// its own file. A tournament without a file, and every one with saveAs, asks for its file first;
// emptyExport writes the current tournament as an empty copy under a new name and keeps its own
// file. Every file, the tournament's own or chosen, passes RefusedChosenFile (ChosenFile.h) with
// its symbolic link followed once, and is then written by that name, never through a link that
// came since. A tournament's changed mark, file and status-bar line change only once its file is
// complete. A tournament's own file that another program saved since this one last read or wrote
// it (another version, FileVersion.h) is overwritten only when the user says so ("Die Datei …
// wurde seit dem Laden geändert. Überschreiben?"); a file deleted since is written again unasked.
// The question is asked without a lock; the look at the file and the rename that puts the new
// one in place are made under the file's save lock (SaveLock.h), which every program holds while
// it saves the file, so that no save falls between them. False when the user cancelled a file
// dialog, kept such a file, or a file could not be written (also when another program held the
// lock beyond all patience, and when a line would be longer than a load reads).
bool saveTurnier(TMainForm& form, bool all, bool saveAs, bool emptyExport);
// The timer's save: every open tournament that has a file and unsaved changes; one that never had
// a file asks for nothing and stays as it is. A failure is logged every time and shown once until
// a save succeeds; a file another program changed is never overwritten: that is logged every time
// and shown once for the file until it is saved or loaded again.
bool autoSaveTurniere(TMainForm& form);
// True when autosaving is due at this minute of the day for the current tournament's settings
// "AutoSave" and "AutoSave Min" (no autosave for an interval below 1 or not a number).
bool AutoSaveDue(const TMainForm& form, int minuteOfDay);
// True when such a minute came after lastMinute, up to and including minute (both counted on the
// clock from day zero): the timer looks back over the time since its last look, so that a minute
// it did not see (a long command, a sleeping machine) still gets its save. A lastMinute below 0
// or not before minute looks at minute alone.
bool AutoSaveDueSince(const TMainForm& form, long long lastMinute, long long minute);
// Before the tournaments go away: when any has unsaved changes, asks whether to save them all.
// False when they were to be saved and that failed or was cancelled (the caller then stays).
bool checkSaveTurnier(TMainForm& form);

// What a load checks of the rows beyond the file's own format (TurnierRows.h).
struct TurnierLoadChecks {
    // Without it, the games of a group are not counted.
    FewestGamesRule fewestGames = nullptr;
    // False only where the checks' own cost is weighed (a benchmark).
    bool rows = true;
};

// Reads a tournament file into XMasterGrid as tournament `number` and adds its selector entry.
// The whole file is read and checked before anything changes: a file that cannot be read, is not
// a tournament file, is damaged or cut short changes nothing and is reported by name. With names
// (participants activated in the preparation dialog) the default participant names take them.
// The tournament keeps the version of the bytes read, for its next save to see another's.
bool LoadFileToMaster(TMainForm& form, const std::string& file, int number, const TStrings* names,
                      const TurnierLoadChecks& checks = {});

// The number of the open tournament whose file this is (see SameFile: other spellings of the same
// file and links to it are found); 0 when none.
int OpenTurnierWithFile(const TMainForm& form, const std::string& file);
// The file name of a path (everything after the last "/").
std::string FileNameOf(const std::string& path);

// What the recovery copies (RecoveryCopy.h) need of the tournament file.

// One open tournament with unsaved changes, as its recovery copy holds it.
struct UnsavedTurnier {
    std::string name;          // "[designation] name"
    std::string file;          // its file; empty when it has none
    std::string restoredFrom;  // the recovery copy this run loaded in its place; empty when none
    // The rows its file would hold; its own row keeps the file, the version of that file the
    // changes were made on and the changed mark.
    std::vector<std::vector<std::string>> rows;
};
// The open tournaments with unsaved changes, the current one last.
std::vector<UnsavedTurnier> UnsavedTurniere(const TMainForm& form);
// Writes the rows as a tournament file, whole or not at all (a temporary file, synced and
// renamed); false, with error the system's error number of the step that failed, when not.
bool WriteTurnierRows(const std::string& path, const std::vector<std::vector<std::string>>& rows, int& error);
// Reads a recovery copy into XMasterGrid as tournament `number`, as LoadFileToMaster reads a file,
// but as the tournament of `file` (without it, of the file its row names; none for a tournament
// never saved), made on the version of that file its row names, with its changes unsaved and the
// copy noted as the one it came from. False, with the reason shown, when the copy is refused or
// that file is open already.
bool LoadRecoveryCopyToMaster(TMainForm& form, const std::string& copy, const std::optional<std::string>& file,
                              int number, const TStrings* names, const TurnierLoadChecks& checks = {});
