#include "engine/NeuesTurnier.h"

#include <string>

#include "dialogs/Dialogs.h"
#include "engine/RundeAnlegen.h"
#include "engine/Spielzeiten.h"
#include "engine/Turnierform.h"
#include "engine/TurnierStart.h"
#include "engine/TurnierWechsel.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "foundation/TurnierStore.h"
#include "foundation/WindowHelpers.h"
#include "foundation/files/TournamentFile.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr int kMaxTurniere = 20;

// The wizard's inputs only the engine can judge: the field list and the chosen form, which must
// build on an empty tournament.
std::string EngineProblem(TMainForm& form, const TfrmNeuTur& wizard) {
    if (!parseFeldListe(form, wizard.Feld2.Text())) return lngText(65);
    const std::string structure = wizard.GetStructure();
    if (structure.empty()) return {};
    const std::string problem = TurnierformProblem(structure + "!");
    return problem.empty() ? problem : "Die Turnierform kann nicht angelegt werden. " + problem;
}

// A preparation for a Swiss, knock-out or pool tournament chooses that system in the wizard and
// proposes one participant per prepared name; the user may still change both.
void PresetFromPreparation(const TfrmTurPhase& phase, TfrmNeuTur& wizard) {
    int system = -1;
    if (phase.TurPhaseArt == kTurPhaseSchweiz) system = 1;
    if (phase.TurPhaseArt == kTurPhaseKO) system = 2;
    if (phase.TurPhaseArt == kTurPhasePool) system = 3;
    if (system < 0) return;
    wizard.RadioGroup4.SetItemIndex(system);
    wizard.SystemChosen();
    if (phase.Teilnehmer.Count() > 0) wizard.Feld1.SetText(IntToStr(phase.Teilnehmer.Count()));
}

// Prepared participants take the places of the default participant names, in the table and in
// the lookup list of assigned names.
void GivePreparedNames(TMainForm& form, const TStrings& names) {
    for (int r = 1; r < form.Teams.RowCount(); ++r) {
        const int k = DefaultParticipantNumber(form.Teams.Cells(Teams_Name, r));
        if (k >= 1 && k <= names.Count()) Put(form.Teams, Teams_Name_Tur, r, names[k - 1], true);
    }
    for (int i = 0; i < form.XATeams.Items.Count() && i < form.XATeamsTur.Items.Count(); ++i) {
        const int k = DefaultParticipantNumber(form.XATeams.Items[i]);
        if (k >= 1 && k <= names.Count()) ListPut(form.XATeamsTur, i, names[k - 1]);
    }
}

bool AskWizard(TMainForm& form, bool first) {
    TfrmNeuTur& wizard = DialogsOf(form).frmNeuTur;
    PresetFromPreparation(DialogsOf(form).frmTurPhase, wizard);
    if (first) form.XComboBox1.Items.Clear();
    wizard.SetCancelVisible(!first);
    wizard.ComboBox1.Items.Assign(form.XComboBox1.Items);
    wizard.SetStartValues("Tur" + IntToStr(first ? 1 : form.AnzTurniere + 1), ProgramFolder());
    wizard.EngineCheck = [&form, &wizard] { return EngineProblem(form, wizard); };
    CenterControl(&wizard, &form);
    const bool confirmed = wizard.ShowModal() == mrOk;
    wizard.EngineCheck = nullptr;
    return confirmed;
}

void ParkAndNumber(TMainForm& form, bool first) {
    if (first) {
        ClearAll(form, true);
        form.AktTurNr = 1;
        form.AnzTurniere = 1;
    } else {
        if (form.AnzTurniere > 0 && form.AktTurNr > 0) {
            TurToMaster(form, form.AktTurNr);
            ClearAll(form, false);
        }
        form.AnzTurniere += 1;
        form.AktTurNr = form.AnzTurniere;
    }
    form.AnzRunden = 0;
}

void ParticipantWords(TMainForm& form, const TfrmNeuTur& wizard) {
    const bool teams = wizard.RadioButton10.Checked();
    form.TeamTyp = lngText(teams ? 2 : 16);
    form.TeamTyps = lngText(teams ? 6 : 16);
    SetSetting(form, "TeamTyp", form.TeamTyp);
    SetSetting(form, "TeamTyps", form.TeamTyps);
}

void ColumnSettings(TMainForm& form, bool referees) {
    for (const char* on : {"Spalte Spielnummer", "Spalte Datum", "Spalte Feld", "Spalte Uhrzeit", "Spalte Gruppe"})
        SetSetting(form, on, "On");
    SetSetting(form, "Spalte Punkte", "Off");
    SetSetting(form, "Spalte Ergebnis", "Off");
    SetSetting(form, "Spalte Schiri", referees ? "On" : "Off");
}

void Referees(TMainForm& form, const TfrmNeuTur& wizard) {
    const int choice = wizard.RadioGroup7.ItemIndex();
    const std::string count = wizard.umNumberEdit1.Text();
    SetSetting(form, "SchiriAuswahl", IntToStr(choice));
    SetSetting(form, "SchiriAusAnz", count);
    // The counts first: typing into one chooses neutral referees, the choice then sets the mode.
    form.umNeutral2.SetText(count);
    form.umNeutral.SetText(count);
    form.RadioGroup1.SetItemIndex(choice);
    form.RadioGroup2.SetItemIndex(choice);
}

// Scoring and timing of the rounds: the round page takes them as its defaults.
void RoundDefaults(TMainForm& form, const TfrmNeuTur& wizard) {
    form.RadioButton1.SetChecked(wizard.RadioButton6.Checked());
    form.RadioButton2.SetChecked(wizard.RadioButton7.Checked());
    form.RadioButton3.SetChecked(wizard.RadioButton8.Checked());
    form.CheckBox6.SetChecked(wizard.CheckBox1.Checked());
    form.umEdit1.SetText(wizard.Edit13.Text());
    form.umEdit2.SetText(wizard.Edit15.Text());
    form.umEdit3.SetText(wizard.Edit14.Text());
    form.umEdit4.SetText(wizard.Edit16.Text());
    if (wizard.CheckBox24.Checked()) SetSetting(form, "Reihenfolge", "Zufall");
    const bool timed = wizard.RadioButton4.Checked();
    SetSettingReg(form, "ZeitSpiele", timed ? "true" : "false");
    form.XZeitSpiele.SetChecked(timed);
    form.CheckBox1.SetChecked(timed);
    if (timed) {
        form.Edit12.SetText(wizard.Feld5.Text());
        form.Edit13.SetText(wizard.Feld6.Text());
        SetSetting(form, "Rundenpause", wizard.Feld9.Text());
    } else {
        SetSetting(form, "Spalte Uhrzeit", "Off");
    }
}

const char* SystemName(int choice) {
    switch (choice) {
        case 0:
            return "GruppenSpiele";
        case 1:
            return "Schweiz";
        case 2:
            return "KO";
        case 3:
            return "Pool";
        default:
            return "";
    }
}

void TournamentRow(TMainForm& form, const TfrmNeuTur& wizard) {
    TSortGrid& t = form.Turnier;
    const std::string name = wizard.Edit1.Text();
    Put(t, 0, 1, form.AktTurNr, true);
    Put(t, 1, 1, TabelleTurnier, true);
    Put(t, 2, 1, "", true);
    Put(t, Turnier_Name, 1, name, true);
    Put(t, Turnier_AnzMann, 1, wizard.Feld1.Text(), true);
    Put(t, Turnier_Datum, 1, wizard.FirstDay(), true);
    Put(t, Turnier_Score, 1, form.Wertung1, true);
    Put(t, Turnier_Score2, 1, form.Wertung2, true);
    Put(t, Turnier_Score3, 1, form.Wertung3, true);
    form.Beamer.Clear();
    form.Beamer.SetDirectory("");
    form.Beamer.SetTurnierBezeichnung(name);

    const std::string kind = wizard.ScoringKind();
    Put(t, Turnier_Sportart, 1, kind, true);
    form.AktWertung = 1;
    if (kind.rfind("Fussball", 0) == 0) {
        SetSettingReg(form, "FussPunkte", "true");
        form.AktWertung = 7;
    }
    Put(t, Turnier_Bez, 1, wizard.Feld3.Text(), true);
    SetSetting(form, "AWertung", IntToStr(form.AktWertung));
    form.setStatusText(1, lngText(354));
    form.setStatusText(2, kind);

    const int system = wizard.RadioGroup4.ItemIndex();
    Put(t, Turnier_System, 1, SystemName(system), true);
    if (system == 1) {
        Put(t, Turnier_Runden, 1, wizard.Feld4.Text(), true);
        SetSetting(form, "Beamer_ShowNext", "0");
    }
}

void SelectNewTournament(TMainForm& form, const TfrmNeuTur& wizard) {
    const std::string entry = TurnierSelectorText(form.Turnier, 1);
    form.XComboBox1.Items.Add(entry);
    form.XComboBox1.SetItemIndex(form.XComboBox1.Items.Count() - 1);
    form.Label39.SetCaption(entry);
    form.Label20.SetCaption(wizard.Feld1.Text());
    form.Edit5.SetText("1");
    form.Edit10.SetText(wizard.Feld8.Text());
    form.Edit11.SetText(wizard.Feld2.Text());
    SetSetting(form, "AktUhrzeit", wizard.Feld8.Text());
}

}  // namespace

NeuesTurnierErgebnis newTurnier(TMainForm& form, bool first) {
    Log("[F] newTurnier(" + BoolToStr(first) + ")");
    if (RefuseWhileBusy(form)) return NeuesTurnierErgebnis::Abgebrochen;
    if (form.AnzTurniere >= kMaxTurniere) {
        ShowMsg(1, lngText(69));
        return NeuesTurnierErgebnis::Abgebrochen;
    }
    if (!AskWizard(form, first)) return NeuesTurnierErgebnis::Abgebrochen;
    const TfrmNeuTur& wizard = DialogsOf(form).frmNeuTur;
    BusyScope busy(form, "Neues Turnier anlegen");
    ParkAndNumber(form, first);
    SetWaitCursor(true);
    form.showMenuEmpty(false, false);
    LoadTurSettings(form);
    AlgSet(form);
    const std::string structure = wizard.GetStructure() + "!";
    ParticipantWords(form, wizard);
    // AlgSet above showed the words of the empty tables.
    ShowParticipantWords(form);
    form.Wertung1 = wizard.Label3.Caption();
    form.Wertung2 = wizard.Label4.Caption();
    form.Wertung3 = wizard.Label5.Caption();
    setTurChanged(form, true);
    const bool referees = wizard.RadioGroup7.ItemIndex() != 4;
    ColumnSettings(form, referees);
    Referees(form, wizard);
    RoundDefaults(form, wizard);
    TournamentRow(form, wizard);
    SelectNewTournament(form, wizard);
    const bool withRounds = structure.size() > 1 && buildTurnierform(form, structure);
    SetSetting(form, "Spalte Ergebnis", "Off");
    SetSetting(form, "Spalte Punkte", "Off");
    if (!referees) SetSetting(form, "Spalte Schiri", "Off");
    const TfrmTurPhase& phase = DialogsOf(form).frmTurPhase;
    if (phase.TurPhaseArt != kTurPhaseKeine) GivePreparedNames(form, phase.Teilnehmer);
    setupEndPlatzierung(form);
    checkStartTur(form);
    form.DoPlan(form.XPlan1, 0, 0, nullptr);
    form.DoPlan(form.XPlan2, 0, 0, nullptr);
    SetWaitCursor(false);
    return withRounds ? NeuesTurnierErgebnis::MitRunden : NeuesTurnierErgebnis::OhneRunden;
}

bool alleTurniereSchliessen(TMainForm& form) {
    Log("[F] NeuerMarovelkandis1Click()");
    if (RefuseWhileBusy(form)) return false;
    if (form.AnzTurniere > 0 && AskYesNo(lngText(68)) != mrYes) return false;
    if (!checkSaveTurnier(form)) return false;
    form.AnzRunden = 0;
    form.AnzTurniere = 0;
    form.AktTurNr = 0;
    form.InitAll();
    ClearAll(form, true);
    for (int panel = 1; panel <= 3; ++panel) form.setStatusText(panel, "");
    form.showMenuEmpty(true, false);
    return true;
}
