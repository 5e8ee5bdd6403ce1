// Any text as a tournament form, built into an empty tournament: it is either refused with a
// message and leaves the tables as they were, or it gives a tournament whose numbers hold
// together: group, participant and game numbers equal to their rows, every game between two
// different participants of its group, lookup lists parallel to the participant rows.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/Dialogs.h"
#include "engine/RundeAnlegen.h"
#include "engine/Turnierform.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "mainwindow/main.h"
#include "platform/UiHost.h"

namespace {

TForm1* form = nullptr;
ScriptedUiHost* ui = nullptr;

void Require(bool condition) {
    if (!condition) std::abort();
}

void EmptyTournament(TForm1& f) {
    for (TSortGrid* table : {&f.Gruppe, &f.Teams, &f.Spielplan, &f.Platz, &f.Ein}) ClearGrid(*table);
    for (TListBox* list : {&f.XAGruppBez, &f.XAGruppName, &f.XATeams, &f.XATeamsTur, &f.XAFelder, &f.XARunden}) {
        list->Items.Clear();
        list->Items.Add("");
    }
    ClearListGrid(f.Gruppen);
    ClearListGrid(f.TPlatz);
    f.AktTurNr = 1;
    f.AnzRunden = 0;
    f.Edit5.SetText("1");
    f.Edit10.SetText("10:00");
    f.Edit11.SetText("1-3");
}

bool Untouched(const TForm1& f) {
    for (const TSortGrid* table : {&f.Gruppe, &f.Teams, &f.Spielplan, &f.Platz})
        if (table->RowCount() != 2 || !table->Cells(0, 1).empty()) return false;
    return f.AnzRunden == 0 && f.XATeams.Items.Count() == 1 && f.Edit10.Text() == "10:00";
}

void CheckTournament(const TForm1& f) {
    const TSortGrid& gruppe = f.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row) Require(IntGet(gruppe, Gruppe_Nr, row, true) == row);
    const TSortGrid& teams = f.Teams;
    Require(f.XATeams.Items.Count() == teams.RowCount() && f.XATeamsTur.Items.Count() == teams.RowCount());
    for (int row = 1; row < teams.RowCount(); ++row) Require(IntGet(teams, Teams_Nr, row, true) == row);
    const TSortGrid& plan = f.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        if (plan.Cells(0, row).empty()) continue;
        Require(IntGet(plan, Spielplan_SpNr, row, true) == row);
        const int group = IntGet(plan, Spielplan_GrNr, row, true);
        const int t1 = IntGet(plan, Spielplan_T1, row, true), t2 = IntGet(plan, Spielplan_T2, row, true);
        Require(t1 != t2 && t1 > 0 && t2 > 0 && t1 < teams.RowCount() && t2 < teams.RowCount());
        Require(IntGet(teams, Teams_InGr, t1, true) == group && IntGet(teams, Teams_InGr, t2, true) == group);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static std::string home = "/tmp/marovelka-fuzz-XXXXXX";
    if (!mkdtemp(home.data())) std::abort();
    setenv("MAROVELKA_HOME", (home + "/").c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    ui = new ScriptedUiHost;
    SetUiHost(ui);
    form = new TForm1;
    form->FormCreate();
    DialogsOf(*form).frmNeuTur.Feld1.SetText("8");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte chooses how a form without placing list gets one.
    DialogsOf(*form).frmNeuTur.RadioGroup4.SetItemIndex(data[0] % 6);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    EmptyTournament(*form);
    ui->boxes.clear();
    if (buildTurnierform(*form, text)) {
        CheckTournament(*form);
    } else {
        Require(Untouched(*form) && ui->boxes.size() == 1);
    }
    return 0;
}
