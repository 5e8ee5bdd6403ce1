#include "engine/Fehlermeldungen.h"

#include <string>
#include <vector>

#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Texts.h"
#include "foundation/WindowHelpers.h"

namespace {

constexpr TColor kBlau = 0xFF0000, kRot = 0x0000FF, kGruen = 0x008000;

// A game past midnight starts in the evening and ends in the morning; any other end before the
// start is a slip of the keyboard.
constexpr int kEveningFrom = 18 * 60, kMorningUntil = 12 * 60;

struct Game {
    std::string number, day, endText;
    bool timed = false;      // the start is a clock time
    int start = 0, end = 0;  // minutes of the day; an end past midnight counts on from 1440; end = start
                             // for a game without a valid end, which is compared by its start alone
    int field = 0, first = 0, second = 0, referee = 0;
};

void ReadTimes(const TSortGrid& plan, int row, Game& g) {
    const std::string& from = plan.Cells(Spielplan_Von, row);
    g.endText = plan.Cells(Spielplan_Bis, row);
    g.timed = IsValidTime(from);
    g.start = TimeToMinutes(from);
    g.end = g.start;
    if (!IsValidTime(g.endText)) return;
    const int end = TimeToMinutes(g.endText);
    if (end > g.start) g.end = end;
    else if (g.start >= kEveningFrom && end < kMorningUntil) g.end = end + kMinutesPerDay;
}

Game ReadGame(const TSortGrid& plan, int row) {
    Game g;
    g.number = plan.Cells(Spielplan_SpNr, row);
    g.day = plan.Cells(Spielplan_Tag, row);
    ReadTimes(plan, row, g);
    g.field = IntGet(plan, Spielplan_Feld, row, true);
    g.first = IntGet(plan, Spielplan_T1, row, true);
    g.second = IntGet(plan, Spielplan_T2, row, true);
    g.referee = IntGet(plan, Spielplan_Schir, row, true);
    return g;
}

// The times as the plan holds them; an end that is no valid one is shown as it stands.
std::string Span(const Game& g) {
    return MinutesToTime(g.start) + "-" + (g.end > g.start ? MinutesToTime(g.end) : g.endText);
}

// Whether the game is on at that minute; one without a valid end only at its start.
bool Covers(const Game& g, int minute) {
    return g.end > g.start ? g.start <= minute && minute < g.end : minute == g.start;
}

// Whichever of the two comes first in the table.
bool Overlap(const Game& a, const Game& b) {
    return a.timed && b.timed && a.day == b.day && (Covers(a, b.start) || Covers(b, a.start));
}

bool Involved(int person, const Game& g) { return person > 0 && (person == g.first || person == g.second || person == g.referee); }

class ClashReport {
public:
    explicit ClashReport(TMainForm& form) : form_(form), edit_(form.RichEdit1) {}

    void Compare(const Game& i, const Game& j) {
        if (!Overlap(i, j)) return;
        if (i.field == j.field)
            Add(lngText(7) + " " + i.number + " (" + Span(i) + ") und " + j.number + " (" + Span(j) +
                ") überschneiden sich in der Zeit");
        for (int person : {i.first, i.second, i.referee})
            if (Involved(person, j))
                Add(ListGet(form_.XATeams, person) + " spielt/pfeifft um (" + Span(i) + ") auf Feld " +
                    IntToStr(i.field) + " und " + IntToStr(j.field) + " ");
    }
    bool Empty() const { return lines_ == 0; }

private:
    void Add(const std::string& text) {
        RichEditAdd(edit_, text, kRot, 8);
        ++lines_;
    }
    TMainForm& form_;
    TRichEdit& edit_;
    int lines_ = 0;
};

}  // namespace

void doFehlermeldungen(TMainForm& form) {
    Log("[F] doFehlermeldungen(): Fehlermeldungen erstellen");
    form.RichEdit1.Clear();
    RichEditAdd(form.RichEdit1, lngText(36) + ":", kBlau, 12);
    const TSortGrid& plan = form.Spielplan;
    std::vector<Game> games;
    for (int row = 1; row < plan.RowCount(); ++row)
        if (!plan.Cells(0, row).empty()) games.push_back(ReadGame(plan, row));
    ClashReport report(form);
    for (size_t i = 0; i + 1 < games.size(); ++i)
        for (size_t j = i + 1; j < games.size(); ++j) report.Compare(games[i], games[j]);
    if (report.Empty()) RichEditAdd(form.RichEdit1, lngText(366), kGruen, 10);
}
