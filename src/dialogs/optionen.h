#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"

class TMainForm;

// The tournament options as the current tournament's settings hold them, each as the text its
// readers take: flags "true" or "false", the ranking mode "1" to "7" ("7" ranks by the football
// rules), the autosave interval in minutes, the names of the three scoring values.
struct TurnierOptionen {
    std::string autoSave, autoSaveMin;
    std::array<std::string, 3> wertungen;
    std::string aWertung;
    std::string minusPunkte, fussPunkte, direktVergleich, direktVergleichNeu;
    bool operator==(const TurnierOptionen&) const = default;
    // Whether the standings come out in another order by these rules than by those.
    bool RanksOtherwiseThan(const TurnierOptionen& other) const;
};

// The options of the current tournament, as its readers see them.
TurnierOptionen LeseTurnierOptionen(const TMainForm& form);

// The tournament options: saving on the clock, the names of the three scoring values, how results
// show and the standings are ranked; besides, moving the games of a group or round in time, or
// changing how long they last, for the round-editing page.
class TfrmOptionen : public TDialog {
public:
    TfrmOptionen();
    std::string ClassName() const override { return "TfrmOptionen"; }

    TMainForm* Form = nullptr;         // the tournament whose options and games change
    TRadioButton Verschieben;          // "Alle Zeiten verschieben um"
    TEdit Verschiebung;                // minutes, -120 .. 120
    TRadioButton DauerAendern;         // "Spieldauer verändern um"
    TEdit Dauer;                       // minutes, -120 .. 120

    // The tournament's options, preset from its settings when shown.
    TCheckBox AutoSave;
    TEdit AutoSaveMin;
    std::array<TEdit, 3> Wertungen;    // names of the scoring values, e.g. "Punkte", "Tore", ""
    TComboBox Tabellenwertung;         // the ranking mode: item k - 1 is mode k
    TCheckBox DirektVergleich;         // "Punkte, Torverhältnis dann direkter Vergleich"
    TCheckBox DirektVergleichNeu;      // "Punkte, dann direkter Vergleich"
    TCheckBox MinusPunkte;             // points and sets lost are not shown in the standings
    TCheckBox FussPunkte;

    // Read back after OK: whether an option changed, and whether one the ranking reads did.
    bool Geaendert = false;
    bool WertungGeaendert = false;

    // Moves the games of group `group` (> 0) or of round `round` (> 0) by the minutes of the
    // shift field, the day following across midnight, or changes their length by the minutes of
    // the duration field, as the chosen option says. Games without times stay as they are.
    // Returns the German message why nothing was changed, or the empty text.
    std::string SpielzeitAendern(int group, int round);

    std::vector<DialogField> Fields() override;

protected:
    void FormShow() override;
    bool CheckOk() override;
    void AcceptOk() override;

private:
    TurnierOptionen shown_;
    TurnierOptionen Chosen() const;
    void Show(const TurnierOptionen& options);
    // The first problem of the chosen options as a German message, or the empty text.
    std::string Problem(const TurnierOptionen& chosen) const;
    // Writes what differs from what was shown; the tournament's cached copies follow.
    void Write(TurnierOptionen chosen);
};

// A minute count as the round-editing page takes it: a whole number from -120 to 120.
bool MinutenGueltig(const std::string& text);
