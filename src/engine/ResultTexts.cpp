#include "engine/ResultTexts.h"

#include "engine/CellNumbers.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"
#include "foundation/MainForm.h"

namespace {

// The six value cells of a row, for games and standings rows alike.
struct ValueColumns {
    int plusPoints, minusPoints, plusSets, minusSets, plusBalls, minusBalls;
};

constexpr ValueColumns kGameColumns{Spielplan_PPkt, Spielplan_MPkt, Spielplan_PSatz,
                                    Spielplan_MSatz, Spielplan_PBall, Spielplan_MBall};
constexpr ValueColumns kStandingsColumns{Platz_PPkt, Platz_MPkt, Platz_PSatz, Platz_MSatz, Platz_PBall, Platz_MBall};

const TSortGrid& TableOf(const TMainForm& form, bool standings) { return standings ? form.Platz : form.Spielplan; }
const ValueColumns& ColumnsOf(bool standings) { return standings ? kStandingsColumns : kGameColumns; }

// "+" and the difference, "-" and its amount, or "0". The values are taken as they are stored,
// so points in halves keep their halves ("4,5" and "3" differ by "+1,5").
std::string Diff(const std::string& x, const std::string& y) {
    const double d = ToDouble(x) - ToDouble(y);
    if (d > 0) return "+" + FloatToStr(d);
    if (d < 0) return "-" + FloatToStr(-d);
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
int RankingMode(const TMainForm& form) {
    const std::string mode = GetSetting(form, "AWertung", "1");
    if (const int value = ToInt(mode); value != 0) return value;
    // ToInt gives 0 for any text it cannot read, a number beyond the integer range included.
    return IsWholeNumber(mode) && mode.find_first_not_of("+-0") == std::string::npos ? 0 : 1;
}

std::string OrZero(const std::string& text) { return text.empty() ? "0" : text; }

double ValueSum(const TSortGrid& grid, const ValueColumns& c, int row) {
    double sum = 0;
    for (int column : {c.plusPoints, c.minusPoints, c.plusSets, c.minusSets, c.plusBalls, c.minusBalls})
        sum += CellValue(grid, column, row);
    return sum;
}

struct ResultParts {
    std::string a, b, c, d, e;  // sets won, lost, balls won, lost, set results
    bool standings = false;
    bool minusShown = true;    // lost values shown: always for games
    bool thirdValue = false;   // the third scoring value is named
    bool minusHidden = false;  // the tournament hides lost values in standings
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
    const bool hideMinus = r.standings && r.minusHidden && mode != 7;
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

std::string PunkteText(const TMainForm& form, int row, bool standings) {
    if (form.Wertung1.empty() && form.Wertung2.empty() && form.Wertung3.empty()) return {};
    const TSortGrid& grid = TableOf(form, standings);
    const ValueColumns& c = ColumnsOf(standings);
    std::string plus = Get(grid, c.plusPoints, row, true);
    std::string minus = Get(grid, c.minusPoints, row, true);
    if (plus.empty() && minus.empty()) return standings ? "0 : 0" : "";
    plus = OrZero(plus);
    minus = OrZero(minus);
    const int mode = RankingMode(form);
    if (standings) {
        if (!form.MinusAnzeigen) return plus;
        if (mode == 3 || mode == 6) return plus + " : " + minus + " (" + Diff(plus, minus) + ")";
        if (mode == 7) return plus;
    }
    return plus + " : " + minus;
}

std::string ErgebnisText(const TMainForm& form, int row, int part, bool standings) {
    const TSortGrid& grid = TableOf(form, standings);
    const ValueColumns& c = ColumnsOf(standings);
    ResultParts r;
    r.standings = standings;
    r.e = standings ? "" : Get(grid, Spielplan_SatzErg, row, true);
    if (!standings && r.e == "NULL") return lngText(21);
    r.a = Get(grid, c.plusSets, row, true);
    r.b = Get(grid, c.minusSets, row, true);
    // A standings row is judged by its own values, never by the game of the same row number. A
    // game without values to show (one of a tournament that knows only winners) shows none.
    const double sum = standings ? ValueSum(grid, c, row) : ErgebnisSumme(form, row);
    if (r.a.empty() && r.b.empty() && sum == 0) return {};
    r.a = OrZero(r.a);
    r.b = OrZero(r.b);
    r.c = OrZero(Get(grid, c.plusBalls, row, true));
    r.d = OrZero(Get(grid, c.minusBalls, row, true));
    if (!standings && Get(grid, Spielplan_Sieger, row, true).empty()) return {};
    r.thirdValue = !form.Wertung3.empty();
    r.minusShown = form.MinusAnzeigen || !standings;
    r.minusHidden = !form.MinusAnzeigen;
    if (part == 1) return r.thirdValue ? r.a + " (" + r.c + ")" : r.a;
    if (part == 2) return r.thirdValue ? r.b + " (" + r.d + ")" : r.b;
    return WholeResult(r, RankingMode(form));
}

double ErgebnisSumme(const TMainForm& form, int row) {
    if (!Get(form.Spielplan, Spielplan_SatzErg, row, true).empty()) return 1.0;
    return ValueSum(form.Spielplan, kGameColumns, row);
}

