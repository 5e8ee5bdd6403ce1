#pragma once
#include <string>

class TMainForm;

// What a file the user chose is to receive.
enum class ChosenContent { Turnier, Ergebnisse };

// The one check every file the user chooses to write passes before anything is written (save
// and save-as of a tournament, its empty copy, the results export): why that file must not be
// written, as one German message naming it, or empty when it may. `typed` is the name as the user
// gave it, `path` the file it means (as the message names it), `file` that file with its symbolic
// link followed once (FollowLink): the file the check looks at and the save then writes, never
// following a link again (TargetLink::AsChecked), so that a link swapped in between cannot lead
// the save to a file nobody checked. Refused are:
// - a name that names no file ("sub/", "/", ".."): a file written there would have no name;
// - the program's own files (ProgramFiles.h), in the program folder and by their names in any
//   other folder (another program folder's lists and forms), the running program's executable,
//   the lock file a save holds beside a file (SaveLock.h), a recovery copy (RecoveryCopy.h)
//   and the settings store;
// - the file of an open tournament other than tournament number `own` (0: every open one's);
// - for results, every tournament file: one named ".tur" and one whose header says it is one.
// Spellings of a path and symbolic links that lead to the same file count as that file.
std::string RefusedChosenFile(const TMainForm& form, const std::string& typed, const std::string& path,
                              const std::string& file, ChosenContent content, int own);
