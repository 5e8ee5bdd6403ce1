#pragma once

#include "dialogs/Ergebnis.h"
#include "dialogs/konflikt.h"

class TMainForm;

// The modal dialogs of one main window, each made once and shown as often as needed.
struct Dialogs {
    TfrmErgebnis frmErgebnis;
    TfrmKonflikt frmKonflikt;
};

// The dialogs of this window; made on first use and destroyed with the window.
Dialogs& DialogsOf(TMainForm& form);
