// Painting the display grid's cells, fitting sizes to texts, and sorting.
#include <algorithm>
#include <charconv>

#include "components/Aligrid.h"

std::vector<std::string> TStringAlignGrid::CellLines(int col, int row) const {
    // A CR ends a line and an LF right after it belongs to that break; there is no wrapping.
    const std::string text = Cells(col, row) + '\r';
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', start)) {
        lines.push_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

void TStringAlignGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    if (!DefaultDrawing || !canvas) {
        TStringGrid::DrawCell(col, row, rect, state);
        return;
    }
    canvas->Font = GetFontCellComplete(col, row);
    canvas->Brush = GetBrushCellComplete(col, row);
    if (DrawSelection && (state & gdSelected)) {
        const bool focusedKeepsLook = (state & gdFocused) && !(Options & (goDrawFocusSelected | goRowSelect));
        if (!focusedKeepsLook) {
            canvas->Brush.Color = GetSelColorCell(col, row);
            canvas->Font.Color = GetSelFontColorCell(col, row);
        }
    }
    canvas->FillRect(rect);
    const TBrush fill = canvas->Brush;
    canvas->Brush.Style = TBrushStyle::bsClear;
    const TMyAlign align = GetAlignCell(col, row);
    int y = rect.top + 2;
    for (const std::string& line : CellLines(col, row)) {
        const int width = canvas->TextWidth(line);
        int x = rect.left + 2;
        if (align == alRight) x = rect.right - width - 2;
        else if (align == alCenter) x = rect.left + (rect.right - rect.left - width) / 2;
        canvas->TextRect(rect, x, y, line);
        y += canvas->TextHeight(line);
    }
    canvas->Brush = fill;
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

// ---- sizes ----

void TStringAlignGrid::CalcTextSize(int col, int row, int& width, int& height) const {
    const TFont& font = GetFontCellComplete(col, row);
    width = 0;
    height = 0;
    for (const std::string& line : CellLines(col, row)) {
        const TTextSize size = MeasureText(font, line);
        width = std::max(width, size.cx);
        height += size.cy;
    }
    width += 4;
    if (width <= 4) width = 0;
    if (height <= 4) height = 0;
}

int TStringAlignGrid::textwidth(int col, int row) const {
    int width = 0, height = 0;
    CalcTextSize(col, row, width, height);
    return width;
}

int TStringAlignGrid::textheight(int col, int row) const {
    int width = 0, height = 0;
    CalcTextSize(col, row, width, height);
    return height;
}

void TStringAlignGrid::AdjustColWidth(int col) {
    if (col < 0 || col >= ColCount()) return;
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r) widest = std::max(widest, textwidth(col, r));
    SetColWidths(col, widest);
}

void TStringAlignGrid::AdjustRowHeight(int row) {
    if (row < 0 || row >= RowCount()) return;
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) tallest = std::max(tallest, textheight(c, row));
    SetRowHeights(row, tallest);
}

void TStringAlignGrid::AdjustColWidths() {
    for (int c = ColCount() - 1; c >= 0; --c) AdjustColWidth(c);
}

void TStringAlignGrid::AdjustRowHeights() {
    for (int r = RowCount() - 1; r >= 0; --r) AdjustRowHeight(r);
}

void TStringAlignGrid::ColWidthsChanged() {
    TStringGrid::ColWidthsChanged();
    if (OnColWidthsChanged) OnColWidthsChanged(this);
}

void TStringAlignGrid::RowHeightsChanged() {
    TStringGrid::RowHeightsChanged();
    if (OnRowHeightsChanged) OnRowHeightsChanged(this);
}

// ---- sorting ----

void TStringAlignGrid::SortColumn(int col, bool ascending) {
    if (OnCompareCol) DoSort(col, FixedRows(), RowCount() - 1, true, ascending);
}

void TStringAlignGrid::SortRow(int row, bool ascending) {
    if (OnCompareRow) DoSort(row, FixedCols(), ColCount() - 1, false, ascending);
}

void TStringAlignGrid::DoSort(int colrow, int from, int to, bool byColumn, bool ascending) {
    // A selection sort that swaps whole rows or columns, so every attribute travels along.
    const TCompareFunction& compare = byColumn ? OnCompareCol : OnCompareRow;
    const t_relation wanted = ascending ? rel_greater : rel_less;
    for (int i = from; i < to; ++i) {
        int best = i;
        for (int j = i + 1; j <= to; ++j)
            if (compare(this, colrow, best, j) == wanted) best = j;
        if (best == i) continue;
        if (byColumn) ExchangeRow(best, i);
        else ExchangeCol(best, i);
    }
}

namespace {

t_relation Relate(const std::string& a, const std::string& b) {
    const int c = a.compare(b);  // byte order, as unsigned chars
    return c == 0 ? rel_equal : (c > 0 ? rel_greater : rel_less);
}

// The 32-bit integer of a text; a text that is no such integer counts as 0.
int IntegerOrZero(const std::string& text) {
    int value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    return (ec == std::errc() && ptr == end) ? value : 0;
}

t_relation RelateIntegers(const std::string& a, const std::string& b) {
    const long long x = IntegerOrZero(a), y = IntegerOrZero(b);
    return x == y ? rel_equal : (x > y ? rel_greater : rel_less);
}

}  // namespace

t_relation TStringAlignGrid::CompareColString(TObject*, int col, int row1, int row2) const {
    return Relate(Cells(col, row1), Cells(col, row2));
}

t_relation TStringAlignGrid::CompareRowString(TObject*, int row, int col1, int col2) const {
    return Relate(Cells(col1, row), Cells(col2, row));
}

t_relation TStringAlignGrid::CompareColInteger(TObject*, int col, int row1, int row2) const {
    return RelateIntegers(Cells(col, row1), Cells(col, row2));
}

t_relation TStringAlignGrid::CompareRowInteger(TObject*, int row, int col1, int col2) const {
    return RelateIntegers(Cells(col1, row), Cells(col2, row));
}
