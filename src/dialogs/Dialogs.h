#pragma once

#include "dialogs/TurFormExport.h"
#include "dialogs/frmImport.h"

class TMainForm;

// The modal dialogs of one main window, each made once and shown as often as needed.
struct Dialogs {
    TfrmExport frmExport;
    TImport Import;
};

// The dialogs of this window; made on first use and destroyed with the window.
Dialogs& DialogsOf(TMainForm& form);
