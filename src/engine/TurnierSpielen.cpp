#include "engine/TurnierSpielen.h"

#include <string>
#include <utility>
#include <vector>

#include "engine/Gruppenstatus.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"
#include "foundation/SortGrid.h"
#include "foundation/TableSnapshot.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"
#include "platform/Random.h"
#include "platform/Window.h"

namespace {

constexpr TColor kBlau = 0xFF0000, kRot = 0x0000FF, kGruen = 0x008000, kSchwarz = 0;
const std::string kPlus(50, '+');

bool IsDataRow(const TStringGrid& table, int row) { return !table.Cells(0, row).empty(); }

// Begun: a group has been opened, or a game has a result. The play-through would overwrite it.
bool Begun(const TMainForm& form) {
    const TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row) {
        const std::string& state = gruppe.Cells(Gruppe_State, row);
        if (IsDataRow(gruppe, row) && !state.empty() && state != "None") return true;
    }
    const TSortGrid& plan = form.Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row)
        if (IsDataRow(plan, row) && SpielHatErgebnis(form, row)) return true;
    return false;
}

class PlayThrough {
public:
    explicit PlayThrough(TMainForm& form) : form_(form), report_(form.RichEdit3) {}

    // The report and the error text; the tables are left as the made-up results made them.
    std::string Run() {
        sortGrid(form_.Spielplan, Spielplan_SpNr, true);
        NameUnnamedSlots();
        PlayGroups();
        if (err_.empty()) CheckFinalPlacing();
        return err_;
    }
    void ReportReferees() {
        Add("", kBlau, 10);
        Add(kPlus, kBlau, 10);
        Add("Schiedsrichter", kRot, 11);
        Add(kPlus, kBlau, 10);
        Add(" Name            Anzahl Einsaetze ", kBlau, 10);
        Add(" " + std::string(49, '-'), kBlau, 10);
        for (const auto& [name, count] : referees_) Add("  " + PadRight(name, 25, U' ') + " " + IntToStr(count), kGruen, 8);
    }

private:
    void Add(const std::string& text, TColor color, int size) { RichEditAdd(report_, text, color, size); }

    // Slots of the first round that have no participant yet play under their slot's text.
    void NameUnnamedSlots() {
        TSortGrid& teams = form_.Teams;
        for (int row = 1; row < teams.RowCount(); ++row) {
            if (!IsDataRow(teams, row)) continue;
            bool empty = true;
            for (int column : {Teams_Pos, Teams_GrNr, Teams_SV, Teams_Name_Tur}) empty = empty && teams.Cells(column, row).empty();
            if (!empty) continue;
            Put(teams, Teams_Name_Tur, row, teams.Cells(Teams_Name, row), true);
            ListPut(form_.XATeamsTur, row, teams.Cells(Teams_Name, row));
        }
    }

    void PlayGroups() {
        const TSortGrid& gruppe = form_.Gruppe;
        std::string round;
        for (int h = 1; h < gruppe.RowCount() && err_.empty(); ++h) {
            if (!IsDataRow(gruppe, h)) continue;
            if (h == 1 || gruppe.Cells(Gruppe_RNr, h) != round) {
                round = gruppe.Cells(Gruppe_RNr, h);
                Add("", kBlau, 10);
                Add(kPlus, kBlau, 10);
                Add(lngText(4) + round, kRot, 11);
                Add(kPlus, kBlau, 10);
            }
            Add(lngText(3) + " " + gruppe.Cells(Gruppe_Bez, h) + " (" + gruppe.Cells(Gruppe_Name, h) + ")", kRot, 10);
            Add(std::string(50, '-'), kRot, 10);
            Add(">> " + lngText(17), kGruen, 10);
            PlayGames(gruppe.Cells(Gruppe_Nr, h));
            if (err_.empty()) ReportTable(gruppe.Cells(Gruppe_Nr, h));
        }
    }

    // The participant's name; empty, with the error, for a placeholder the results left open.
    std::string NameOf(const std::string& team) {
        const TSortGrid& teams = form_.Teams;
        const int row = ToInt(team);
        const std::string name = row >= 1 ? Get(teams, Teams_Name_Tur, row, true) : std::string();
        if (name.empty() && err_.empty())
            err_ = "Platzhalter '" + (row >= 1 ? Get(teams, Teams_Name, row, true) : team) + "' kann nicht zugeordnet werden";
        return name;
    }

    void PlayGames(const std::string& group) {
        const TSortGrid& plan = form_.Spielplan;
        for (int s = 1; s < plan.RowCount(); ++s) {
            if (!IsDataRow(plan, s) || plan.Cells(Spielplan_GrNr, s) != group) continue;
            ProcessMessages();
            doSpielplanKlick(form_, nullptr, IntGet(plan, Spielplan_SpNr, s, true), true, false);
            const std::string first = NameOf(plan.Cells(Spielplan_T1, s));
            const std::string second = err_.empty() ? NameOf(plan.Cells(Spielplan_T2, s)) : std::string();
            if (!err_.empty()) return;
            Add("  " + lngText(9) + " " + plan.Cells(Spielplan_SpNr, s) + " - " + first + " : " + second + " (" +
                    plan.Cells(Spielplan_PPkt, s) + ":" + plan.Cells(Spielplan_MPkt, s) + ")",
                kSchwarz, 8);
            CountReferee(form_.getSchiriName(s));
        }
    }

    void CountReferee(const std::string& name) {
        for (auto& [known, count] : referees_)
            if (known == name) {
                ++count;
                return;
            }
        referees_.emplace_back(name, 1);
    }

    void ReportTable(const std::string& group) {
        Add(">> " + lngText(18), kGruen, 10);
        const TSortGrid& platz = form_.Platz;
        int place = 0;
        for (int p = 1; p < platz.RowCount(); ++p)
            if (IsDataRow(platz, p) && platz.Cells(Platz_GrNr, p) == group)
                Add("  " + IntToStr(++place) + ". " + platz.Cells(Platz_Team, p) + " (" + platz.Cells(Platz_PPkt, p) + ":" +
                        platz.Cells(Platz_MPkt, p) + ")",
                    kGruen, 8);
    }

    void CheckFinalPlacing() {
        Add("", kBlau, 10);
        Add(kPlus, kBlau, 10);
        Add(lngText(29), kRot, 11);
        Add(kPlus, kBlau, 10);
        const TSortGrid& teams = form_.Teams;
        bool anyPlace = false;
        for (int row = 1; row < teams.RowCount(); ++row) {
            if (!IsDataRow(teams, row) || teams.Cells(Teams_Platz, row).empty()) continue;
            anyPlace = true;
            Add("  " + teams.Cells(Teams_Platz, row) + ". " + teams.Cells(Teams_Name_Tur, row), kGruen, 8);
            if (teams.Cells(Teams_Name_Tur, row).empty()) {
                err_ = "Platzierung '" + teams.Cells(Teams_Name, row) + "' konnte nicht zugeordet werden";
                break;
            }
        }
        if (!anyPlace) err_ = "   " + lngText(365);
        for (int row = 1; row < teams.RowCount(); ++row)
            if (IsDataRow(teams, row) && teams.Cells(Teams_Name_Tur, row).empty())
                err_ += "Teilnehmer '" + teams.Cells(Teams_Name, row) + "' wurde im Turnier nicht eingesetzt\r\n";
    }

    TMainForm& form_;
    TRichEdit& report_;
    std::string err_;
    std::vector<std::pair<std::string, int>> referees_;  // in the order first met
};

// The closing lines: an empty line and the message, one line per line of it.
void Close(TRichEdit& report, const std::string& message) {
    RichEditAdd(report, "", kSchwarz, 10);
    std::string rest = message;
    for (size_t end; (end = rest.find("\r\n")) != std::string::npos; rest.erase(0, end + 2))
        RichEditAdd(report, rest.substr(0, end), kSchwarz, 10);
    if (!rest.empty()) RichEditAdd(report, rest, kSchwarz, 10);
}

}  // namespace

void doTurnierSpielen(TMainForm& form) {
    Log("[F] doTurnierSpielen(): Turnier durchspielen");
    BusyScope busy(form, "Turnier durchspielen");
    form.RichEdit3.Clear();
    std::string message = lngText(37);
    const bool noGames = Get(form.Spielplan, Spielplan_SpNr, 1, true).empty();
    if (noGames || Begun(form)) {
        message = lngText(72);
        if (noGames) SetSetting(form, "Durchspielen", "0");
        Close(form.RichEdit3, message);
        return;
    }
    const TableSnapshot before(form);
    PlayThrough run(form);
    const std::string err = run.Run();
    run.ReportReferees();
    before.Restore(form);
    if (!err.empty()) {
        message = "FEHLER: " + err;
        SetSetting(form, "Durchspielen", "0");
    }
    Close(form.RichEdit3, message);
}

void TurnierDurchspielen(TMainForm& form) {
    if (RefuseWhileBusy(form)) return;
    BusyScope busy(form, "Turnier durchspielen");
    SetSetting(form, "Durchspielen", "1");
    prng::SeedFromClock();
    doTurnierSpielen(form);
}
