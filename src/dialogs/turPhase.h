#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"

// The kinds of tournament the preparation leads to (TurPhaseArt): 0 nothing prepared, then a
// Swiss system, a stored tournament form (a tournament file loaded as it is), a knock-out
// system or pool play.
inline constexpr int kTurPhaseKeine = 0;
inline constexpr int kTurPhaseSchweiz = 1;
inline constexpr int kTurPhaseGespeichert = 2;
inline constexpr int kTurPhaseKO = 3;
inline constexpr int kTurPhasePool = 4;

// The participants of a text as the user types them: one per line or separated by ";", blanks
// around each dropped, empty ones skipped.
std::vector<std::string> SplitTeilnehmer(const std::string& text);

// The preparation dialog: the participants who take part, in order, and the kind of tournament
// that is made or loaded with them next. The new tournament's or the loaded file's default
// participant names ("Mannschaft 1", ...) then take their names. The caller reads TurPhaseArt,
// Teilnehmer and TurFormDatei after OK and calls Reset once the preparation has been used.
class TfrmTurPhase : public TDialog {
public:
    TfrmTurPhase();
    std::string ClassName() const override { return "TfrmTurPhase"; }

    // The kind chosen by the last confirmation; kTurPhaseKeine while nothing is prepared.
    int TurPhaseArt = kTurPhaseKeine;
    // The activated participants, in the order their names replace the default names.
    TStringList Teilnehmer;
    // The stored tournament form to load (kind kTurPhaseGespeichert).
    std::string TurFormDatei;

    // Forgets the preparation: nothing prepared, no participants; the fields keep their text.
    void Reset();

    std::vector<DialogField> Fields() override;

    TRadioGroup RadioGroup1;  // the kind, items for the kinds 1 to 4
    TMemo Memo1;              // the participants, one per line
    TEdit Edit1;              // the tournament file of a stored form

protected:
    bool CheckOk() override;
    void AcceptOk() override;

private:
    int ChosenKind() const { return RadioGroup1.ItemIndex() + 1; }
    std::string FirstProblem() const;
    // The stored form's file as typed, ".tur" understood.
    std::string TurFormPfad() const;
};
