#pragma once
#include <string>
#include <vector>

#include "platform/Dialog.h"

// One choice of the start question: the command it runs (or "beenden") and what it does.
struct StartChoice {
    std::string name;
    std::string caption;
    // A command that takes its arguments and its dialog's fields on the same line, as at the
    // prompt ("neu Name=Pokal Teilnehmer=8 ok").
    bool takesLine = true;
};

// The start question on a start without a tournament file: one button per choice, no fields.
class TfrmStart : public TDialog {
public:
    explicit TfrmStart(std::vector<StartChoice> choices);
    std::string ClassName() const override { return "TfrmStart"; }
    std::vector<DialogField> Fields() override { return {}; }
    std::vector<DialogAction> Actions() override;
    // A choice with more on its line is chosen with that line.
    bool TakeLine(const std::string& line, bool& closed) override;
    // The choice pressed; empty when the dialog was cancelled.
    std::string Chosen;
    // The line to run for it: the choice's name, or the whole line it was typed with.
    std::string Line;

private:
    std::vector<StartChoice> choices_;
};
