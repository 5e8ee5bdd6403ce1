#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dialogs/FormGenerators.h"
#include "platform/Dialog.h"
#include "platform/Grids.h"

// The German message when a Swiss tournament of `players` participants (teams or players)
// cannot be played over `rounds` rounds (every round pairs participants who have not met, so
// there are at most players - 1); the empty text when it can.
std::string SwissRoundLimitProblem(int rounds, int players, bool teams);
// The German message when an odd number of participants is to play a Swiss tournament: every
// round pairs them all, so one would be left without an opponent and no round could be paired.
// It proposes the participant "spielfrei", whose games take their results as every other game
// does (nothing decides them on their own). `counted` names the participants
// after "bei 27" ("Mannschaften", "Spielern", "Teilnehmern"). The empty text for an even number.
std::string SwissOddCountProblem(int participants, const std::string& counted);

// The new-tournament wizard: the tournament (name, short designation, participants, first day),
// its scoring, its timing, its referees and its system with the form to build. The caller sets
// the start values, shows it, and after OK reads its controls and GetStructure().
class TfrmNeuTur : public TDialog {
public:
    TfrmNeuTur();
    std::string ClassName() const override { return "TfrmNeuTur"; }

    void SetCancelVisible(bool visible) { cancelVisible_ = visible; }
    // The proposed short designation, and the folder holding "TurFormen.dat" and "EigenForm.dat".
    void SetStartValues(const std::string& shortDesignation, const std::string& folder);
    // The form of the chosen row of the system grid; the empty text when there is none.
    std::string GetStructure() const;
    // The tournament's scoring kind: the sport, "Spiel auf " + points, "Spiel mit Punkten" or
    // "Nur Sieger/Verlierer".
    std::string ScoringKind() const;
    // The first day as the tables keep it, "dd.mm.yyyy"; the empty text when the field holds no
    // day (a time after it neither: the start time has its own field).
    std::string FirstDay() const;

    // The system of RadioGroup4 was chosen: the Swiss system presets the carry-over of results
    // (CheckBox1), without which its standings would hold one round each; choosing another
    // system again takes back what the preset set.
    void SystemChosen();

    // Checks only the tournament engine can make (the field list, the chosen form); set by the
    // caller. Gives the first problem's German message, or the empty text.
    std::function<std::string()> EngineCheck;

    std::vector<DialogField> Fields() override;
    std::vector<DialogAction> Actions() override;

    // The tournament.
    TEdit Edit1;            // name
    TEdit Feld3;            // short designation
    TEdit Feld1;            // participants
    TEdit DateTimePicker1;  // first day, "dd.mm.yyyy"
    TRadioButton RadioButton10, RadioButton11;  // teams, players
    TComboBox ComboBox1;    // the open tournaments
    // Scoring.
    TRadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton5;  // sport, play to, points, winner only
    TComboBox ComboBox2;    // sport
    TComboBox ComboBox3;    // points to play to
    TLabel Label3, Label4, Label5;  // names of the three scoring values
    TRadioButton RadioButton6, RadioButton7, RadioButton8;  // points per win, per set, self-defined
    TEdit Edit13, Edit15, Edit14, Edit16;  // per win, draw, set, equal balls
    TCheckBox CheckBox1;    // results carried over
    // Timing.
    TRadioButton RadioButton4;  // timed games
    TEdit Feld8, Feld5, Feld6, Feld9, Feld2;  // start, game length, pause, pause between rounds, fields
    TCheckBox CheckBox24;   // random order
    // Referees.
    TRadioGroup RadioGroup7;
    TEdit umNumberEdit1;    // number of neutral referees
    // System.
    TRadioGroup RadioGroup4;
    TEdit Feld4;            // Swiss rounds
    TStringGrid StringGrid1;  // the forms offered: number, participants, short, rounds, description, form

protected:
    void FormShow() override;
    bool CheckOk() override;
    void AcceptOk() override;

private:
    std::vector<FormRecord> Offered() const;
    const FormRecord* Chosen(const std::vector<FormRecord>& rows) const;
    void FillSystemGrid();
    bool Choose(const std::string& choice);
    void SetScoringNames();
    // The sport, the target and the scoring option the user confirmed last ("Combo2", "Combo3",
    // "Radio" in the program settings).
    void PresetLastScoring();
    void RememberScoring();
    std::string FirstProblem() const;

    bool cancelVisible_ = true;
    std::vector<FormRecord> shipped_, own_;
    std::string shippedProblem_;  // why the shipped forms were not all read; empty when they were
    std::string ownProblem_;  // why the exported forms were not all read; empty when they were
    std::string chosen_;      // short text of the chosen form
    bool carryOverPreset_ = false;  // CheckBox1 was checked by choosing the Swiss system
};
