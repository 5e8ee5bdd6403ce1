#pragma once

#include "dialogs/TurFormExport.h"
#include "dialogs/frmImport.h"
#include "dialogs/NeuTur.h"
#include "dialogs/newGroup.h"
#include "dialogs/Ergebnis.h"
#include "dialogs/konflikt.h"
#include "dialogs/EinzelSpiel.h"
#include "dialogs/optionen.h"
#include "dialogs/turPhase.h"

class TMainForm;

// The modal dialogs of one main window, each made once and shown as often as needed.
struct Dialogs {
    TfrmExport frmExport;
    TImport Import;
    TfrmNeuTur frmNeuTur;
    TfrmGruppe frmGruppe;
    TfrmErgebnis frmErgebnis;
    TfrmKonflikt frmKonflikt;
    TfrmEinzelSpiel frmEinzelSpiel;
    TfrmOptionen frmOptionen;
    TfrmTurPhase frmTurPhase;
};

// The dialogs of this window; made on first use and destroyed with the window.
Dialogs& DialogsOf(TMainForm& form);
