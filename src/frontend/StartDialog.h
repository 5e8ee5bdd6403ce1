#pragma once
#include <string>
#include <vector>

#include "platform/Dialog.h"

// The start question on a start without a tournament file: one button per choice (the name of
// the command it runs, or "beenden"), no fields.
class TfrmStart : public TDialog {
public:
    explicit TfrmStart(std::vector<std::string> choices);
    std::string ClassName() const override { return "TfrmStart"; }
    std::vector<DialogField> Fields() override { return {}; }
    std::vector<DialogAction> Actions() override;
    // The choice pressed; empty when the dialog was cancelled.
    std::string Chosen;

private:
    std::vector<std::string> choices_;
};
