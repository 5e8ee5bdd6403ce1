#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"

class TMainForm;

// The tournament options, as far as the round-editing page uses them: moving the games of a
// group or round in time, or changing how long they last.
class TfrmOptionen : public TDialog {
public:
    TfrmOptionen();
    std::string ClassName() const override { return "TfrmOptionen"; }

    TMainForm* Form = nullptr;         // the tables whose games change
    TRadioButton Verschieben;          // "Alle Zeiten verschieben um"
    TEdit Verschiebung;                // minutes, -120 .. 120
    TRadioButton DauerAendern;         // "Spieldauer verändern um"
    TEdit Dauer;                       // minutes, -120 .. 120

    // Moves the games of group `group` (> 0) or of round `round` (> 0) by the minutes of the
    // shift field, the day following across midnight, or changes their length by the minutes of
    // the duration field, as the chosen option says. Games without times stay as they are.
    // Returns the German message why nothing was changed, or the empty text.
    std::string SpielzeitAendern(int group, int round);

    std::vector<DialogField> Fields() override;
};

// A minute count as the round-editing page takes it: a whole number from -120 to 120.
bool MinutenGueltig(const std::string& text);
