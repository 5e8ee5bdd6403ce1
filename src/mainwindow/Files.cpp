// Handlers of the open tournaments, their files and the exchange files.
#include "dialogs/Dialogs.h"
#include "engine/NeuesTurnier.h"
#include "engine/ResultsExchange.h"
#include "engine/TurnierStart.h"
#include "engine/TurnierWechsel.h"
#include "engine/TurnierformExport.h"
#include "foundation/Busy.h"
#include "foundation/Logs.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Texts.h"
#include "foundation/files/TournamentFile.h"
#include "mainwindow/main.h"
#include "platform/Clock.h"

// Both plans show the current tournament; an open tool area gives way to them first.
void TForm1::ShowPlans() {
    if (!ScrollBox1.Visible && ToolAreaOpen()) {
        showWerkzeug(0);
        IAeverButton22.Visible = false;
        CloseToolArea();
        return;
    }
    DoPlan(XPlan1, 0, 0, nullptr);
    DoPlan(XPlan2, 0, 0, nullptr);
}

void TForm1::XComboBox1Change(TObject*) {
    Ran(__func__);
    if (!turnierWechseln(*this)) return;
    setupEndPlatzierung(*this);
    ShowPlans();
}

void TForm1::SpeedButton2Click(TObject*) {
    Ran(__func__);
    const int before = AnzTurniere;
    if (turniereLaden(*this) == 0) return;
    setupEndPlatzierung(*this);
    checkStartTur(*this);
    // Without the tool button the graphic view takes the place of the trees; a terminal has none.
    if (!IAeverButton11.Enabled && before > 1) Panel4.Visible = false;
    ShowPlans();
}

void TForm1::AktuellesTurnierspeichern1Click(TObject*) { Ran(__func__); saveTurnier(*this, false, false, false); }
void TForm1::AktuellesTurnierspeichernunter1Click(TObject*) { Ran(__func__); saveTurnier(*this, false, true, false); }
void TForm1::IAeverButton6Click(TObject*) {
    Ran(__func__);
    AlleGespeichert = saveTurnier(*this, true, false, false);
}

void TForm1::AktuellesTurnierentfernen1Click(TObject*) {
    Ran(__func__);
    if (!aktuellesTurnierEntfernen(*this) || AktTurNr < 1) return;
    setupEndPlatzierung(*this);
    ShowPlans();
}

void TForm1::TurnierzumTausch1Click(TObject*) {
    Ran(__func__);
    Log("[F] Leeres Turnier zum Tausch exportieren ");
    if (saveTurnier(*this, false, true, true)) ShowMsg(1, lngText(381));
}

void TForm1::Turnierform1Click(TObject*) { Ran(__func__); turnierformExportieren(*this); }
void TForm1::Spielergebnisse1Click(TObject*) { Ran(__func__); ergebnisseExportieren(*this); }
void TForm1::ErgebnisseExportierenNach(const std::string& path) { ergebnisseExportieren(*this, path); }

void TForm1::Ergebnisse1Click(TObject*) {
    Ran(__func__);
    OpenDialog1.Title = "Datei importieren";
    OpenDialog1.Filter = "Exportdatei (*.exp)|*.exp|";
    OpenDialog1.FileName.clear();
    OpenDialog1.InitialDir = TurFileDir;
    ErgebnisImportAbgelehnt = false;
    ErgebnisseUebernommen = ErgebnisseZurueckgehalten = 0;
    if (!OpenDialog1.Execute()) return;
    const std::optional<ErgebnisImport> done = ergebnisseImportieren(*this, OpenDialog1.FileName);
    ErgebnisImportAbgelehnt = !done;
    if (!done) return;
    ErgebnisseUebernommen = done->taken;
    ErgebnisseZurueckgehalten = done->heldBack;
}

void TForm1::Timer1Timer(TObject*) {
    Ran(__func__);
    // Never while an operation is half-way through the tables; the next tick tries again.
    if (IsBusy(*this)) return;
    const long long minute = datetime::ToMilliseconds(Now()) / 60000;
    if (minute == AutoSaveMinute) return;
    const long long last = AutoSaveMinute;
    AutoSaveMinute = minute;
    if (AutoSaveDueSince(*this, last, minute)) autoSaveTurniere(*this);
}

void TForm1::NeuesTurnierhinzufuegen1Click(TObject*) { Ran(__func__); NeuesTurnier(false); }

void TForm1::NeuesTurnier(bool first) {
    const NeuesTurnierErgebnis made = newTurnier(*this, first);
    if (made == NeuesTurnierErgebnis::Abgebrochen) return;
    // The new tournament is shown in the plans; one without rounds opens the round page instead.
    if (ToolAreaOpen()) CloseToolArea();
    if (made == NeuesTurnierErgebnis::OhneRunden) showWerkzeug(29);
}

void TForm1::Vorbereitung1Click(TObject*) {
    Ran(__func__);
    TfrmTurPhase& phase = DialogsOf(*this).frmTurPhase;
    if (phase.ShowModal() != mrOk) return;
    if (phase.TurPhaseArt == kTurPhaseGespeichert) SpeedButton2Click(nullptr);
    else NeuesTurnier(false);
    // A preparation serves the one tournament it was made for.
    phase.Reset();
}

void TForm1::NeuerMarovelkandis1Click(TObject*) {
    Ran(__func__);
    if (alleTurniereSchliessen(*this)) showStartDialog(true);
}

void TForm1::showStartDialog(bool) {
    if (StartDialog) StartDialog();
}

void TForm1::BindFiles() {
    NeuesTurnierhinzufuegen1.OnClick = [this](TObject* s) { NeuesTurnierhinzufuegen1Click(s); };
    NeuerMarovelkandis1.OnClick = [this](TObject* s) { NeuerMarovelkandis1Click(s); };
    XComboBox1.OnChange = [this](TObject* s) { XComboBox1Change(s); };
    SpeedButton2.OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    Turnierladen1.OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    AktuellesTurnierspeichern1.OnClick = [this](TObject* s) { AktuellesTurnierspeichern1Click(s); };
    AktuellesTurnierspeichernunter1.OnClick = [this](TObject* s) { AktuellesTurnierspeichernunter1Click(s); };
    IAeverButton6.OnClick = [this](TObject* s) { IAeverButton6Click(s); };
    AlleTurnierespeichern1.OnClick = [this](TObject* s) { IAeverButton6Click(s); };
    AktuellesTurnierentfernen1.OnClick = [this](TObject* s) { AktuellesTurnierentfernen1Click(s); };
    TurnierzumTausch1.OnClick = [this](TObject* s) { TurnierzumTausch1Click(s); };
    Turnierform1.OnClick = [this](TObject* s) { Turnierform1Click(s); };
    Spielergebnisse1.OnClick = [this](TObject* s) { Spielergebnisse1Click(s); };
    Ergebnisse1.OnClick = [this](TObject* s) { Ergebnisse1Click(s); };
    Vorbereitung1.SetCaption("Vorbereitung");
    Vorbereitung1.OnClick = [this](TObject* s) { Vorbereitung1Click(s); };
}
