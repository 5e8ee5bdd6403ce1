#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"

// "Turnierform exportieren": what the form to be stored holds, and the short description and
// description the user gives it. The caller fills the counts and reads the texts after OK.
class TfrmExport : public TDialog {
public:
    TfrmExport();
    std::string ClassName() const override { return "TfrmExport"; }

    std::vector<DialogField> Fields() override;

    TEdit Edit1;  // participants
    TEdit Edit2;  // rounds
    TEdit Edit3;  // games
    TEdit Edit4;  // short description
    TMemo Memo1;  // description
    TLabel Label5;  // the participant word of the current tournament
};
