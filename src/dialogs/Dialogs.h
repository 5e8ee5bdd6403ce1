#pragma once

#include "dialogs/NeuTur.h"
#include "dialogs/newGroup.h"

class TMainForm;

// The modal dialogs of one main window, each made once and shown as often as needed.
struct Dialogs {
    TfrmNeuTur frmNeuTur;
    TfrmGruppe frmGruppe;
};

// The dialogs of this window; made on first use and destroyed with the window.
Dialogs& DialogsOf(TMainForm& form);
