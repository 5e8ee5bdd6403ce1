#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Strings.h"

class TMainForm;

// The settings of one game: field, start, end and day, its two participants, the referee and
// the time keeper. The dialog only presets and checks its controls; the caller writes the game.
class TfrmEinzelSpiel : public TDialog {
public:
    TfrmEinzelSpiel();
    std::string ClassName() const override { return "TfrmEinzelSpiel"; }

    // Set by the caller before showing.
    const TMainForm* Form = nullptr;  // the tables: participants, neutral referees
    TStringList Zeile;                // the game's Spielplan row: item c is column c
    std::string GruppeBez, GruppeName, SchiriText;
    bool Spielbereit = false;         // the game can take its result now
    TStringList RundenGruppen;        // numbers of the groups of the game's round
    TComboBox ComboBox3;              // the fields, one selected

    // Filled when shown: the participants and referees offered, each list in the order of the
    // items of its combo boxes.
    TStringList TeamCodes, SchiriCodes;
    TLabel Label1;                    // the game and its group
    TLabel Label4;                    // the tournament's word for a participant ("Mannschaft", "Spieler")
    TComboBox ComboBox1, ComboBox2;   // first and second participant
    TComboBox ComboBox4;              // referee
    TComboBox ComboBox5;              // time keeper; item 0 is none; visible when there are time keepers
    TEdit Edit2, Edit3, Edit4;        // start "hh:mm", end "hh:mm", day

    // A game with a result keeps its participants: the result belongs to them.
    bool TeamsLocked() const;

    std::vector<DialogField> Fields() override;

protected:
    void FormShow() override;
    bool CheckOk() override;

private:
    void OfferTeams();
    void OfferReferees();
    void OfferTimeKeepers();
    std::string ParticipantName(const std::string& number) const;
};
