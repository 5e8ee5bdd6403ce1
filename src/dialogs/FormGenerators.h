#pragma once
#include <string>
#include <vector>

// Tournament forms written in the notation: the knock-out, Swiss and pool-play forms the new-
// tournament wizard makes for any participant count, and the catalogue shipped as "TurFormen.dat".

// One group of a round as the notation writes it.
struct FormGroup {
    std::string id, name, system;
    std::vector<std::string> items;
};

// Writes a form round by round and numbers the games the way round creation will: a round's
// games follow the earlier rounds', and the groups of a round take turns, one game each.
class FormText {
public:
    // Appends a round; gives, group by group, the numbers its games will have. The numbers hold
    // for rounds whose pairs never share a participant (pairs in list order); for others only
    // the round's total count is sure.
    std::vector<std::vector<int>> AddRound(const std::string& name, const std::vector<FormGroup>& groups);
    void SetPlacing(const std::vector<std::string>& items);
    const std::string& Text() const { return text_; }
    int Rounds() const { return rounds_; }

private:
    std::string text_;
    int games_ = 0;
    int rounds_ = 0;
};

// Group ids in the order groups get them: A .. Z, then AA, AB, ... (n from 0).
std::string LetterId(int n);

// Games a group of n participants plays under a system code (with the shipped pairing table).
int GamesOfSystem(const std::string& system, int n);

// The forms for a participant count; the empty text where the kind has no form for it.
// Knock-out of n (2 .. 256), the best seeds getting the byes, with a game for third place once
// there are semi-finals, and its final placing.
std::string KnockOutForm(int n);
// Swiss system of n players (2 .. 256) over the given rounds (1 .. n - 1); the final placing is
// left to the standings of the last round.
std::string SwissForm(int n, int rounds);
// Pool play of n (a multiple of 8 up to 256): pools of four play round robin, the first two of
// each go on into a knock-out; the pools' third and fourth places close the final placing.
std::string PoolForm(int n);

// What kind of form a catalogue entry is, told by the start of its short description.
enum class FormKind { Groups, Swiss, KnockOut, Pool };
FormKind KindOfShortText(const std::string& shortText);

// One record of a forms file: "count|short|form" and "|description".
struct FormRecord {
    int count = 0;
    std::string shortText, form, description;
    int rounds = 0;
};
// The shipped catalogue.
std::vector<FormRecord> FormCatalogue();
// The lines of a forms file holding these records, with its two header lines and end marker.
std::vector<std::string> FormFileLines(const std::vector<FormRecord>& records);
// A forms file as read: the records it holds that read as one, and whether that is all of it.
// Reading stops at the end marker, at a line that is not text (a binary or UTF-16 file), at a
// line beyond the sanity limit, at a read error and after more lines than any catalogue holds.
struct FormFile {
    std::vector<FormRecord> records;
    bool opened = false;    // false for a missing file and one that cannot be read at all
    bool complete = false;  // read to the end of the file or its end marker; true when missing
    bool endMarker = false; // reading stopped at "##ENDE##"
    int badLine = 0;        // the line that is not text, 0 when there is none
    bool badLineTooLong = false;  // that line is too long rather than not text
};
FormFile ReadFormFile(const std::string& path);
// Why a forms file was not read completely, as a German sentence naming it; empty when it was.
std::string FormFileProblem(const std::string& path, const FormFile& file);
// The records of a forms file (shipped or the user's); a missing or damaged file gives what it
// holds that reads as a record.
std::vector<FormRecord> ReadFormRecords(const std::string& path);
// Rounds of a form: the round starts before its final placing.
int CountRounds(const std::string& form);
