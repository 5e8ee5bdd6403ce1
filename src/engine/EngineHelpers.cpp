#include "engine/EngineHelpers.h"

#include <vector>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/ProgramSettings.h"
#include "foundation/Settings.h"
#include "foundation/SortGrid.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"

namespace {

// The six value cells of a row, for games and standings rows alike.
struct ValueColumns {
    int plusPoints, minusPoints, plusSets, minusSets, plusBalls, minusBalls;
};

constexpr ValueColumns kGameColumns{Spielplan_PPkt, Spielplan_MPkt, Spielplan_PSatz,
                                    Spielplan_MSatz, Spielplan_PBall, Spielplan_MBall};
constexpr ValueColumns kStandingsColumns{Platz_PPkt, Platz_MPkt, Platz_PSatz, Platz_MSatz, Platz_PBall, Platz_MBall};

const TSortGrid& TableOf(bool standings) { return standings ? Form1->Platz : Form1->Spielplan; }
const ValueColumns& ColumnsOf(bool standings) { return standings ? kStandingsColumns : kGameColumns; }

// "+" and the difference, "-" and its amount, or "0".
std::string Diff(const std::string& x, const std::string& y) {
    const long long d = static_cast<long long>(ToInt(x)) - ToInt(y);
    if (d >= 1) return "+" + IntToStr(d);
    if (d < 0) return "-" + IntToStr(-d);
    return "0";
}

bool IsWholeNumber(const std::string& text) {
    if (text.empty()) return false;
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// The ranking mode; 1 when the setting is not a number.
int RankingMode() {
    const std::string mode = GetSetting("AWertung", "1");
    if (const int value = ToInt(mode); value != 0) return value;
    // ToInt gives 0 for any text it cannot read, a number beyond the integer range included.
    return IsWholeNumber(mode) && mode.find_first_not_of("+-0") == std::string::npos ? 0 : 1;
}

std::string OrZero(const std::string& text) { return text.empty() ? "0" : text; }

double ValueSum(const TSortGrid& grid, const ValueColumns& c, int row) {
    double sum = 0;
    for (int column : {c.plusPoints, c.minusPoints, c.plusSets, c.minusSets, c.plusBalls, c.minusBalls})
        sum += ToDouble(Get(grid, column, row, true));
    return sum;
}

struct ResultParts {
    std::string a, b, c, d, e;  // sets won, lost, balls won, lost, set results
    bool standings;
    bool minusShown;   // lost values shown: always for games
    bool thirdValue;   // the third scoring value is named
};

std::string OptionalPair(const std::string& plus, const std::string& minus, bool withMinus) {
    return withMinus ? plus + ":" + minus : plus;
}

// Modes 1 and 4 on standings rows.
std::string PlainResult(const ResultParts& r) {
    std::string text = OptionalPair(r.a, r.b, r.minusShown);
    if (r.thirdValue) text += " / " + OptionalPair(r.c, r.d, r.minusShown);
    return text;
}

// Modes 2, 3 and 7: differences in brackets for standings rows.
std::string DifferenceResult(const ResultParts& r, int mode) {
    const bool hideMinus = r.standings && !Form1->MinusAnzeigen && mode != 7;
    std::string text = OptionalPair(r.a, r.b, !hideMinus);
    if (r.standings) text += " (" + Diff(r.a, r.b) + ")";
    if (r.thirdValue) {
        text += " / " + OptionalPair(r.c, r.d, r.minusShown);
        if (r.standings) text += " (" + Diff(r.c, r.d) + ")";
    }
    return text;
}

// Modes 5 and 6: games show their set results, standings rows the differences in mode 6.
std::string SetResult(const ResultParts& r, int mode) {
    if (!r.standings) {
        std::string text = r.a + ":" + r.b;
        if (!r.e.empty()) text += " (" + r.e + ")";
        if (r.thirdValue) text += " / " + r.c + ":" + r.d;
        return text;
    }
    std::string text = OptionalPair(r.a, r.b, r.minusShown);
    if (mode == 6) text += " (" + Diff(r.a, r.b) + ")";
    if (r.thirdValue) {
        text += " / " + OptionalPair(r.c, r.d, r.minusShown);
        if (mode == 6) text += " (" + Diff(r.c, r.d) + ")";
    }
    return text;
}

std::string WholeResult(const ResultParts& r, int mode) {
    switch (mode) {
        case 1: return PlainResult(r);
        case 2:
        case 3:
        case 7: return DifferenceResult(r, mode);
        case 4: return r.standings ? PlainResult(r) : r.e;
        case 5:
        case 6: return SetResult(r, mode);
        default: return {};
    }
}

}  // namespace

std::string PunkteText(int row, bool standings) {
    if (!Form1) return {};
    if (Form1->Wertung1.empty() && Form1->Wertung2.empty() && Form1->Wertung3.empty()) return {};
    const TSortGrid& grid = TableOf(standings);
    const ValueColumns& c = ColumnsOf(standings);
    std::string plus = Get(grid, c.plusPoints, row, true);
    std::string minus = Get(grid, c.minusPoints, row, true);
    if (plus.empty() && minus.empty()) return standings ? "0 : 0" : "";
    plus = OrZero(plus);
    minus = OrZero(minus);
    const int mode = RankingMode();
    if (standings) {
        if (!Form1->MinusAnzeigen) return plus;
        if (mode == 3 || mode == 6) return plus + " : " + minus + " (" + Diff(plus, minus) + ")";
        if (mode == 7) return plus;
    }
    return plus + " : " + minus;
}

std::string ErgebnisText(int row, int part, bool standings) {
    if (!Form1) return {};
    const TSortGrid& grid = TableOf(standings);
    const ValueColumns& c = ColumnsOf(standings);
    ResultParts r;
    r.standings = standings;
    r.e = standings ? "" : Get(grid, Spielplan_SatzErg, row, true);
    if (!standings && r.e == "NULL") return lngText(21);
    r.a = Get(grid, c.plusSets, row, true);
    r.b = Get(grid, c.minusSets, row, true);
    // A standings row is judged by its own values, never by the game of the same row number.
    const double sum = standings ? ValueSum(grid, c, row) : ErgebnisSumme(row);
    if (r.a.empty() && r.b.empty() && sum == 0) return {};
    r.a = OrZero(r.a);
    r.b = OrZero(r.b);
    r.c = OrZero(Get(grid, c.plusBalls, row, true));
    r.d = OrZero(Get(grid, c.minusBalls, row, true));
    if (!standings && Get(grid, Spielplan_Sieger, row, true).empty()) return {};
    r.thirdValue = !Form1->Wertung3.empty();
    r.minusShown = Form1->MinusAnzeigen || !standings;
    if (part == 1) return r.thirdValue ? r.a + " (" + r.c + ")" : r.a;
    if (part == 2) return r.thirdValue ? r.b + " (" + r.d + ")" : r.b;
    return WholeResult(r, RankingMode());
}

double ErgebnisSumme(int row) {
    if (!Form1) return 0;
    if (!Get(Form1->Spielplan, Spielplan_SatzErg, row, true).empty()) return 1.0;
    return ValueSum(Form1->Spielplan, kGameColumns, row);
}

int getDirektSieger(int a, int b, int g) {
    if (!Form1) return 0;
    const TSortGrid& plan = Form1->Spielplan;
    for (int row = 1; row < plan.RowCount(); ++row) {
        if (IntGet(plan, Spielplan_GrNr, row, true) != g) continue;
        const int t1 = IntGet(plan, Spielplan_T1, row, true);
        const int t2 = IntGet(plan, Spielplan_T2, row, true);
        if ((t1 == a && t2 == b) || (t1 == b && t2 == a)) return IntGet(plan, Spielplan_Sieger, row, true);
    }
    return 0;
}

void sortGrid(TSortGrid& grid, int column, bool numeric) {
    TSortOptions options;
    options.SortStyle = numeric ? ssNumeric : ssAlphabetic;
    options.SortDirection = sdAscending;
    grid.SortByColumn(column, options);
}

void sortGrid(TSortGrid& grid, std::initializer_list<SortKey> keys) {
    // Each sort keeps the order of equal rows, so sorting by the last key first leaves the first
    // key deciding and the later ones breaking its ties.
    std::vector<SortKey> order(keys);
    for (auto it = order.rbegin(); it != order.rend(); ++it) sortGrid(grid, it->column, it->numeric);
}

void SetSettingReg(const std::string& key, const std::string& value) {
    SetSetting(key, value);
    RegWriteString(key, value);
}

std::string GetSettingReg(const std::string& key, const std::string& defaultValue) {
    std::string stored = RegReadString(key, "");
    return stored.empty() ? GetSetting(key, defaultValue) : stored;
}

int getTeamZeile(int g, int k) {
    if (!Form1 || k < 1) return 0;
    const TSortGrid& teams = Form1->Teams;
    int seen = 0;
    for (int row = 1; row < teams.RowCount(); ++row)
        if (IntGet(teams, Teams_InGr, row, true) == g && ++seen == k) return row;
    return 0;
}
