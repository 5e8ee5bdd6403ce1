#include "engine/SpielplanKlick.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/Dialogs.h"
#include "dialogs/ResultChecks.h"
#include "engine/Autodruck.h"
#include "engine/CellNumbers.h"
#include "engine/Konflikt.h"
#include "engine/Gruppenstatus.h"
#include "engine/Platzierung.h"
#include "engine/Schiris.h"
#include "engine/SchweizRunde.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "output/beam.h"
#include "platform/Random.h"

namespace {

// Points, sets and balls of the first participant and of the second, in column order.
using Scores = std::array<double, 6>;

Scores ReadScores(const TSortGrid& plan, int row) {
    Scores scores{};
    for (int i = 0; i < 6; ++i) scores[static_cast<size_t>(i)] = CellNumber(plan, Spielplan_PPkt + i, row);
    return scores;
}

// Digits as FloatToStr writes a whole number of at most nine of them: no leading zero.
bool WrittenAsWholeNumber(const std::string& text) {
    int value = 0;
    return cell_numbers::PlainWholeNumber(text, value) && (text.size() == 1 || text[0] != '0');
}

// The game row chosen: > 0 the row, 0 a game number without a row, -1 nothing chosen.
int ChosenGameRow(const TMainForm& form, const TStringGrid* planGrid, int gameNo) {
    std::string number;
    if (!planGrid) {
        if (gameNo <= 0) return -1;
        number = IntToStr(gameNo);
    } else {
        const int row = planGrid->Row();
        if (planGrid->Cells(0, row) != ">>" || planGrid->Cells(1, row).empty()) return -1;
        number = planGrid->Cells(1, row);
    }
    return FindRow(form.Spielplan, Spielplan_SpNr, number);
}

// "Gruppe %s (%s) ist fertig" with the group's id and name.
std::string GroupDoneText(const std::string& id, const std::string& name) {
    std::string text = lngText(73);
    for (const std::string& value : {id, name})
        if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

class ResultEntry {
public:
    ResultEntry(TMainForm& form, int row, int gameNo, bool automatic, bool imported, std::string onlyClearing)
        : form_(form), r_(row), gameNo_(gameNo), automatic_(automatic), imported_(imported),
          onlyClearing_(std::move(onlyClearing)), dialog_(DialogsOf(form).frmErgebnis), ranking_(form) {}

    void Run() {
        Prepare();
        if (!Obtain()) return;
        // A cancelled dialog changed nothing; a play-through puts every table back afterwards.
        if (!automatic_) setTurChanged(form_, true);
        const std::array<std::uint64_t, 3> progressRead = ProgressSources();
        const std::uint64_t statesRead = form_.Gruppe.ColumnChanges(Gruppe_State);
        const bool hadWinner = HasWinner();
        StoreRow();
        // The game's group: its values or, through the winner, its head-to-head may have changed.
        std::set<int> changed{g_};
        std::map<int, std::vector<int>> valuesChanged;  // by group, the rows whose totals alone changed
        AddToStandings(changed, valuesChanged);
        const GroupProgress progress = Progress(progressRead, hadWinner);
        for (int rebuilt : UpdateStates(progress, changed)) valuesChanged.erase(rebuilt);
        const bool complete = progress.Complete();
        const int cg = complete ? g_ : 0;
        ranking_.Rank(cg, false, changed, valuesChanged);
        bool resolved = false;
        if (complete) resolved = FinishGroup();
        std::vector<std::string> opened;
        if (taken_ && (resolved || Get(form_.Gruppe, Gruppe_System, g_, true) == "SV")) {
            const LaterGroups later = OpenLaterGroups(form_);
            opened = later.opened;
            // Nothing the ranking reads has changed since it ran: the order stands.
            if (!later.changedStandings.empty()) ranking_.Rank(cg + 1, false, later.changedStandings);
        }
        ranking_.Finish();
        // From its first result on, a group keeps the names of its slots: the locks follow the
        // states, so they change only where a state did.
        if (form_.Gruppe.ColumnChanges(Gruppe_State) != statesRead) updatePlatzSperren(form_);
        if (automatic_) return;
        if (accepted_) SendGroupsToProjector();
        form_.DoPlan(form_.XPlan1, 0, 0, nullptr);
        form_.DoPlan(form_.XPlan2, 0, 0, nullptr);
        if (form_.ScrollBox1.Visible) form_.doGrafik(0);
        if (complete) druckeAutomatisch(form_, g_, opened);
    }

private:
    void Prepare() {
        const TSortGrid& plan = form_.Spielplan;
        dialog_.Form = &form_;
        plan.RowTo(r_, dialog_.Zeile);
        dialog_.ZeileNr = r_;
        hadResult_ = SpielHatErgebnis(form_, r_);
        // Values of a game not played count nowhere, as the standings are rebuilt.
        old_ = hadResult_ ? ReadScores(plan, r_) : Scores{};
        g_ = IntGet(plan, Spielplan_GrNr, r_, true);
        const PointsAward award = AwardOfGroup(form_, g_);
        dialog_.EigenePunkte = award.perResult;
        dialog_.P1 = award.win;
        dialog_.P2 = award.draw;
        dialog_.P3 = award.perSet;
        dialog_.P4 = award.levelBalls;
        dialog_.Button3.Enabled = hadResult_;
        dialog_.NurLoeschen = onlyClearing_;
    }

    // False when the user cancelled: nothing changes then.
    bool Obtain() {
        if (imported_) {
            // The row already holds the imported values, as the result dialog would have stored
            // them: they count in full.
            hadResult_ = false;
            old_ = Scores{};
            taken_ = true;
        } else if (!automatic_) {
            accepted_ = dialog_.ShowModal() == mrOk;
            if (!accepted_) return false;
            taken_ = dialog_.Uebernommen;
            cleared_ = dialog_.Geloescht;
        } else {
            MakeUpResult();
            taken_ = true;
        }
        dialog_.Uebernommen = taken_;
        dialog_.Geloescht = cleared_;
        return true;
    }

    // A play-through: a winner alone without scoring names, else points 0..7 apart.
    void MakeUpResult() {
        TStringList& row = dialog_.Zeile;
        const std::string t1 = ListGet(row, Spielplan_T1), t2 = ListGet(row, Spielplan_T2);
        if (form_.Wertung1.empty() && form_.Wertung2.empty() && form_.Wertung3.empty()) {
            ListPut(row, Spielplan_Sieger, prng::Rand() % 2 == 1 ? t2 : t1);
            return;
        }
        int a = 0, b = 0;
        do {
            a = prng::Rand() % 8;
            b = prng::Rand() % 8;
        } while (a == b);
        ListPut(row, Spielplan_Sieger, a < b ? t2 : t1);
        ListPut(row, Spielplan_PPkt, IntToStr(a));
        ListPut(row, Spielplan_MPkt, IntToStr(b));
    }

    void StoreRow() {
        TSortGrid& plan = form_.Spielplan;
        const TStringList& row = dialog_.Zeile;
        for (int c = 0; c < row.Count(); ++c)
            if (row[c] != plan.Cells(c, r_)) Put(plan, c, r_, row[c], true);
    }

    // The change counts of what a group's progress is counted from: which games it has, which
    // rows are games, which have a winner.
    std::array<std::uint64_t, 3> ProgressSources() const {
        const TSortGrid& plan = form_.Spielplan;
        return {plan.ColumnContentChanges(Spielplan_GrNr), plan.ColumnContentChanges(Spielplan_SpNr),
                plan.ColumnContentChanges(Spielplan_Sieger)};
    }

    bool HasWinner() const { return !form_.Spielplan.Cells(Spielplan_Sieger, r_).empty(); }

    // The group's progress; while nothing it is counted from changed since the last count but
    // this game's winner, that count with the winner's change, without reading the group's games.
    GroupProgress Progress(const std::array<std::uint64_t, 3>& readBefore, bool hadWinner) {
        TMainForm::ProgressMemo& memo = form_.ProgressCounted;
        const std::array<std::uint64_t, 3> now = ProgressSources();
        GroupProgress progress;
        if (memo.group == g_ && memo.read == readBefore && now[0] == readBefore[0] && now[1] == readBefore[1] &&
            !form_.Spielplan.Cells(Spielplan_SpNr, r_).empty()) {
            progress.games = memo.games;
            progress.decided = memo.decided + static_cast<int>(HasWinner()) - static_cast<int>(hadWinner);
        } else {
            progress = CountProgress(form_, g_);
        }
        memo = {g_, progress.games, progress.decided, now};
        return progress;
    }

    // Both participants' standings rows take the difference between the new and the old scores;
    // their groups go into changed, the rows into valuesChanged.
    void AddToStandings(std::set<int>& changed, std::map<int, std::vector<int>>& valuesChanged) {
        const TSortGrid& plan = form_.Spielplan;
        TSortGrid& platz = form_.Platz;
        const std::string t1 = Get(plan, Spielplan_T1, r_, true), t2 = Get(plan, Spielplan_T2, r_, true);
        const int pA = t1.empty() ? 0 : FindRow(platz, Platz_TeamNr, t1);
        const int pB = t2.empty() ? 0 : FindRow(platz, Platz_TeamNr, t2);
        if (pA < 1 || pB < 1) {
            ErrorLog("doSpielplanKlick(): Ergbnis in XPlatz eingeben: t1 (" + IntToStr(pA) + ") oder t2 (" +
                     IntToStr(pB) + ") kleiner = 0 Fehler!");
            return;
        }
        const Scores now = ReadScores(plan, r_);
        for (int i = 0; i < 6; ++i) {
            const size_t own = static_cast<size_t>(i), other = static_cast<size_t>(i ^ 1);
            Add(pA, Platz_PPkt + i, now[own] - old_[own]);
            Add(pB, Platz_PPkt + i, now[other] - old_[other]);
        }
        for (int p : {pA, pB}) {
            const int group = IntGet(platz, Platz_GrNr, p, true);
            changed.insert(group);
            std::vector<int>& rows = valuesChanged[group];
            if (std::find(rows.begin(), rows.end(), p) == rows.end()) rows.push_back(p);
            const double games = CellNumber(platz, Platz_AnzSpiele, p);
            if (taken_ && !hadResult_) Put(platz, Platz_AnzSpiele, p, FloatToStr(games + 1), true);
            if (!taken_ && cleared_ && games > 0) Put(platz, Platz_AnzSpiele, p, FloatToStr(games - 1), true);
        }
    }

    void Add(int row, int column, double delta) {
        TSortGrid& platz = form_.Platz;
        // Nothing added to a whole number written as it would be written leaves the cell as it is
        // (most results score neither sets nor balls).
        if (delta == 0 && WrittenAsWholeNumber(platz.Cells(column, row))) return;
        Put(platz, column, row, FloatToStr(CellNumber(platz, column, row) + delta), true);
    }

    // Groups whose standings were rebuilt go into changed; returns them.
    std::set<int> UpdateStates(const GroupProgress& progress, std::set<int>& changed) {
        if (taken_) {
            const TSortGrid& plan = form_.Spielplan;
            MarkResultTaken(form_, g_, IntGet(plan, Spielplan_T1, r_, true), IntGet(plan, Spielplan_T2, r_, true));
            return {};
        }
        const std::set<int> rebuilt = MarkResultRemoved(form_, g_, progress);
        changed.insert(rebuilt.begin(), rebuilt.end());
        return rebuilt;
    }

    // The group has just been completed; true when its placeholders were resolved.
    bool FinishGroup() {
        TSortGrid& gruppe = form_.Gruppe;
        Log("[A] Gruppe " + Get(gruppe, Gruppe_Bez, g_, true) + " fertig");
        Put(gruppe, Gruppe_State, g_, "Done", true);
        if (!automatic_) ShowMsg(1, GroupDoneText(Get(gruppe, Gruppe_Bez, g_, true), Get(gruppe, Gruppe_Name, g_, true)));
        if (Get(form_.Turnier, Turnier_System, 1, true) == "Schweiz" && !AllGamesDecided(form_)) {
            PairNextSwissRound();
            return false;
        }
        gruppeAbschliessen(form_, g_, gameNo_, ConflictDialog(), ranking_);
        return true;
    }

    Konfliktdialog ConflictDialog() const {
        if (form_.KonfliktTeams.Count() == 0 || automatic_) return Konfliktdialog::Keiner;
        return imported_ ? Konfliktdialog::ZeigenBeimImport : Konfliktdialog::Zeigen;
    }

    // The next Swiss round is paired and gets its referees as the tournament chose them; one
    // referee per round ("Aus der Runde") counts as one from the own group here.
    void PairNextSwissRound() {
        auswertSchweiz(form_, g_, automatic_);
        int mode = ToInt(GetSetting(form_, "SchiriAuswahl", "0"));
        if (mode == 1) mode = 0;
        // The count first: typing into it chooses neutral referees, the mode then chooses again.
        form_.umNeutral.SetText(GetSetting(form_, "SchiriAusAnz", "2"));
        form_.RadioGroup2.SetItemIndex(mode);
        generateSchiris(form_, 0, g_ + 1, form_.RadioGroup2, ToInt(form_.umNeutral.Text()), g_);
    }

    void SendGroupsToProjector() {
        const TSortGrid& gruppe = form_.Gruppe;
        for (int h = 1; h < gruppe.RowCount(); ++h) {
            const std::string state = Get(gruppe, Gruppe_State, h, true);
            if (state == "Open" || state == "Edit" || state == "Done") sendBeamerGruppe(form_.Beamer, h, true);
        }
    }

    TMainForm& form_;
    const int r_;
    const int gameNo_;
    const bool automatic_, imported_;
    const std::string onlyClearing_;  // when not empty, the result may only be cleared, for this reason
    TfrmErgebnis& dialog_;
    Scores old_{};
    bool hadResult_ = false;
    int g_ = 0;
    bool accepted_ = false;  // the dialog closed with a change
    bool taken_ = false;     // a result was taken (also "Kein Ergebnis")
    bool cleared_ = false;   // the result was cleared
    StandingsRanking ranking_;
};

}  // namespace

void doSpielplanKlick(TMainForm& form, TStringGrid* planGrid, int gameNo, bool automatic, bool imported) {
    Log("[F] doSpielplanKlick(" + (planGrid ? planGrid->Name : std::string("NULL")) + "," + IntToStr(gameNo) +
        "): Ergebnis eingeben");
    const int row = ChosenGameRow(form, planGrid, gameNo);
    if (row < 0) return;
    if (row == 0) {
        ErrorLog("[X] doSpielplanKlick: posY(0) => Spielnummer nicht zulaessig");
        return;
    }
    // Its result would go to whoever takes the placeholder's place later. A result stored before
    // games like this were refused can still be cleared, and only that.
    std::string refusal;
    if (const std::string open = OffeneTeilnehmer(form, row); !open.empty()) {
        refusal = "Spiel " + Get(form.Spielplan, Spielplan_SpNr, row, true) + " nimmt kein Ergebnis an: " + open + ".";
        Log("[A] doSpielplanKlick: " + refusal);
        if (automatic || imported) return;
        if (!SpielHatErgebnis(form, row)) {
            ShowMsg(3, refusal);
            return;
        }
        refusal += " Sein Ergebnis von früher lässt sich nur löschen.";
    }
    ResultEntry(form, row, gameNo, automatic, imported, refusal).Run();
}
