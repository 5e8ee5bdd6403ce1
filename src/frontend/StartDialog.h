#pragma once
#include <string>
#include <vector>

#include "platform/Dialog.h"

// One choice of the start question: the command it runs (or "beenden") and what it does.
struct StartChoice {
    std::string name;
    std::string caption;
};

// The start question on a start without a tournament file: one button per choice, no fields.
class TfrmStart : public TDialog {
public:
    explicit TfrmStart(std::vector<StartChoice> choices);
    std::string ClassName() const override { return "TfrmStart"; }
    std::vector<DialogField> Fields() override { return {}; }
    std::vector<DialogAction> Actions() override;
    // The choice pressed; empty when the dialog was cancelled.
    std::string Chosen;

private:
    std::vector<StartChoice> choices_;
};
