#pragma once
#include <array>
#include <string>
#include <vector>

#include "dialogs/ResultChecks.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Strings.h"

class TMainForm;

// The result dialog: the scores of one game, the winner they give (or the one the user chooses)
// and the points the group awards. It writes only into Zeile; the caller stores the row.
class TfrmErgebnis : public TDialog {
public:
    TfrmErgebnis();
    std::string ClassName() const override { return "TfrmErgebnis"; }

    // Set by the caller before showing.
    const TMainForm* Form = nullptr;  // the window whose participant names are shown
    TStringList Zeile;                // the game's Spielplan row: item c is column c
    int ZeileNr = 0;
    bool EigenePunkte = false;        // the group awards P1 per win and P2 per draw
    double P1 = 0, P2 = 0, P3 = 0, P4 = 0;  // per win, per draw, per set, at level balls
    TButton Button3;                  // "Ergebnis löschen": enabled exactly when the game has a result
    // When not empty, why the game takes no result now: "Übernehmen" and "Kein Ergebnis" are
    // refused with it, and a result it already has can only be cleared.
    std::string NurLoeschen;

    // Read back after closing.
    bool Uebernommen = false;  // a result was taken ("Übernehmen" or "Kein Ergebnis")
    bool Geloescht = false;    // the result was cleared

    // The controls the user fills.
    TLabel Label1;        // the tournament's word for its participants ("Mannschaften", "Spieler")
    TLabel Label2;        // the game and its participants
    TComboBox ComboBox1;  // the winner: decided by the scores, or one of the two participants
    TEdit Edit1, Edit2;   // points of the first and the second participant
    TEdit Edit3, Edit4;   // sets (goals)
    TEdit Edit5, Edit6;   // balls
    TEdit Edit7;          // set results, e.g. "25:20, 18:25, 15:10"
    TButton Button1;      // "Übernehmen"
    TButton Button2;      // "Kein Ergebnis"

    std::vector<DialogField> Fields() override;
    std::vector<DialogAction> Actions() override;

protected:
    void FormShow() override;

private:
    // False, with the reason shown, when the game takes no result now (NurLoeschen).
    bool TakesResult() const;
    bool Uebernehmen();
    bool KeinErgebnis();
    bool Loeschen();
    // How the group awards points (set by the caller in EigenePunkte and P1 to P4).
    PointsAward Award() const { return {EigenePunkte, P1, P2, P3, P4}; }
    // Points follow from the outcome when the group awards them.
    bool PointsAwarded() const { return Award().Awarded(); }
    // How the group awards them, for a user who would type them.
    std::string AwardedPoints() const;
    // What the tournament's scores count.
    ScoreRules Rules() const;
    std::string ParticipantName(int column) const;
    // The label of scoring value k (1 to 3) of participant side (1 or 2).
    std::string ScoreLabel(int k, int side) const;
    // The six score fields: points, sets, balls, each of the first and the second participant.
    std::array<TEdit*, 6> ScoreEdits() { return {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6}; }
    void Write(int column, const std::string& text);
    // Sets and balls shown as the sums of the shown set results follow set results typed anew.
    void ForgetSumsOfChangedSetResults(std::array<Score, 6>& typed, const std::string& setResults) const;

    // What the dialog showed: the set results and the six scores.
    std::string shownSetResults_;
    std::array<std::string, 6> shownScores_;
};
