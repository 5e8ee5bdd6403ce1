#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/Grids.h"

class TMainForm;

// Checks of a group's id and name, as the group dialog makes them and renaming repeats them;
// each gives the German message of the first problem, or the empty text.
// The id: not empty, none of the notation's characters, at most four characters.
std::string GroupIdProblem(const std::string& id);
// The name: not empty, none of the notation's characters.
std::string GroupNameProblem(const std::string& name);
// True when another group holds the id (letters compared regardless of case, as the lookup of
// ids does): a group of the tournament or a row of the list. The group's own former id, when
// given, may be kept.
bool GroupIdTaken(const TMainForm& form, const TStringGrid* list, const std::string& id, const std::string& ownId);
// The message for an id already taken.
std::string GroupIdTakenText();

// The group dialog: one group of the round being prepared, or the final placing. The caller sets
// the mode bytes and the references, calls one of the Prepare operations, shows it, and after OK
// reads Edit1, ComboBox1, Edit3, Label15, RadioGroup1 and umNumberEdit1.
class TfrmGruppe : public TDialog {
public:
    TfrmGruppe();
    std::string ClassName() const override { return "TfrmGruppe"; }

    uint8_t Bearbeiten = 0;     // 0 a new group, 1 an edited one
    uint8_t EndplatzModus = 0;  // 0 a group, 1 the final placing
    TStringGrid* Gruppen = nullptr;   // the caller's list of the round's groups
    TLabel* Label20 = nullptr;        // the caller's participant count
    const TMainForm* Main = nullptr;  // the tables: groups and games of the tournament

    // A new group of the round: the next free letter as id, everything else empty.
    void PrepareNewGroup(const std::string& round, const std::string& roundName);
    // A group of the list with its id, name and participant codes.
    void PrepareEditGroup(const std::string& round, const std::string& roundName, const std::string& id,
                          const std::string& name, const std::string& codes);
    // The final placing given as items each ended by ";".
    void PrepareEndplatzierung(const std::string& list);

    // The game system code of RadioGroup1: "JGJ", "SV", "JGJ2", "A" + games; empty for no item.
    std::string SystemCode() const;

    std::vector<DialogField> Fields() override;
    std::vector<DialogAction> Actions() override;

    TPanel Panel2;         // heading
    TButton IAeverButton2;  // confirm
    TEdit Edit1;           // id
    TEdit Edit2, Edit4;    // round number and name, shown
    TComboBox ComboBox1;   // name
    TEdit Edit3;           // participant codes, ";" between them
    TLabel Label15;        // participant count
    TRadioGroup RadioGroup1;
    TEdit umNumberEdit1;   // games of "Anzahl Spiele:"
    TListBox ListBox1;     // the participants as shown
    TListBox ListBox2;     // the candidates as shown

protected:
    bool CheckOk() override;

private:
    void Reset(const std::string& round, const std::string& roundName);
    void SetCodes(const std::string& codes);
    bool AddCandidate(const std::string& choice);
    void BuildCandidates(bool laterRound);
    void AddCandidateCode(const std::string& code);
    std::string ParticipantProblem() const;
    std::string ProposedId() const;
    std::vector<std::string> ListedIds() const;

    std::string ownId_;
    std::vector<std::string> candidateCodes_;
};
