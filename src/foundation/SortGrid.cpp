#include "foundation/SortGrid.h"

#include <algorithm>
#include <numeric>

#include "foundation/Conversions.h"
#include "platform/DateTime.h"
#include "platform/Strings.h"

namespace {

bool IsNumber(const std::string& text) {
    double value;
    return TryTextToDouble(text, value);
}

bool IsDate(const std::string& text) { return datetime::ParseDate(text).has_value(); }

// A sort key that orders texts without a number (or date) before every number, and those
// among themselves as equal: a total order, so the sort is well defined on any column.
struct NumericKey {
    bool valid = false;
    double value = 0;
    int Compare(const NumericKey& other) const {
        if (valid != other.valid) return valid ? 1 : -1;
        if (!valid || value == other.value) return 0;
        return value < other.value ? -1 : 1;
    }
};

NumericKey MakeKey(const std::string& text, TSortStyle style) {
    NumericKey key;
    if (style == ssNumeric) {
        key.valid = TryTextToDouble(text, key.value);
    } else if (auto date = datetime::ParseDate(text)) {
        key.valid = true;
        key.value = static_cast<double>(datetime::ToMilliseconds(*date));
    }
    return key;
}

}  // namespace

TSortGrid::TSortGrid() { Color = clWindow; }

void TSortGrid::SetItems(const TStrings& items) {
    items_.Assign(items);
    if (items_.Count() > 0) LoadFromStrings(items_, ItemDelimiter);
}

// ---- sorting ----

void TSortGrid::SortByColumn(int column, TSortOptions options) {
    if (GridState != TGridState::gsNormal || FixedRows() + 1 >= RowCount()) return;
    if (OnBeginSort) OnBeginSort(this, column, options);
    if (options.SortStyle == ssAutomatic) options.SortStyle = DetermineSortStyle(column);
    ListQuickSort(column, options);
    if (OnEndSort) OnEndSort(this, column);
}

TSortStyle TSortGrid::DetermineSortStyle(int column) const {
    bool numeric = true, date = true;
    for (int r = FixedRows(); r < RowCount() && (numeric || date); ++r) {
        const std::string& text = Cells(column, r);
        if (numeric && !IsNumber(text)) numeric = false;
        if (date && !IsDate(text)) date = false;
    }
    if (numeric) return ssNumeric;
    if (date) return ssDate;
    return ssAlphabetic;
}

void TSortGrid::ListQuickSort(int column, const TSortOptions& options) {
    sorting_ = true;
    const int first = FixedRows();
    const int count = RowCount() - first;
    sortedList_.clear();
    sortedList_.reserve(static_cast<size_t>(count));
    for (int r = first; r < RowCount(); ++r) sortedList_.push_back({Cells(column, r), r});

    std::vector<std::string> texts(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string& s = sortedList_[static_cast<size_t>(i)].Str;
        texts[static_cast<size_t>(i)] = options.SortCaseSensitive ? s : UpperAscii(s);
    }
    std::vector<NumericKey> keys;
    if (options.SortStyle == ssNumeric || options.SortStyle == ssDate) {
        keys.reserve(static_cast<size_t>(count));
        for (const auto& t : texts) keys.push_back(MakeKey(t, options.SortStyle));
    }
    auto compareKeys = [&](size_t a, size_t b) -> int {
        switch (options.SortStyle) {
            case ssNumeric:
            case ssDate: return keys[a].Compare(keys[b]);
            case ssCustom: return options.SortCompare ? options.SortCompare(texts[a], texts[b]) : 0;
            default: return texts[a].compare(texts[b]);
        }
    };
    // Equal keys keep their former order in both directions.
    std::vector<size_t> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        int result = compareKeys(a, b);
        if (result == 0) return a < b;
        if (options.SortDirection == sdDescending) result = -result;
        return result < 0;
    });

    std::vector<TSortedListEntry> sorted;
    sorted.reserve(order.size());
    for (size_t i : order) sorted.push_back(std::move(sortedList_[i]));
    sortedList_ = std::move(sorted);

    // Whole rows move, every column with its row.
    auto& rows = RowStoreToReorder();
    EnsureRows(RowCount());
    std::vector<std::vector<std::string>> moved(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        moved[static_cast<size_t>(i)] = std::move(rows[static_cast<size_t>(sortedList_[static_cast<size_t>(i)].RowNum)]);
    for (int i = 0; i < count; ++i) rows[static_cast<size_t>(first + i)] = std::move(moved[static_cast<size_t>(i)]);

    for (int i = 0; i < count; ++i)
        if (sortedList_[static_cast<size_t>(i)].RowNum == Row()) {
            SetRow(first + i);
            break;
        }
    sorting_ = false;
}

bool TSortGrid::CanUndoSort() {
    if (static_cast<int>(sortedList_.size()) == RowCount() - FixedRows()) return true;
    sortedList_.clear();
    return false;
}

void TSortGrid::UndoSort() {
    if (!CanUndoSort()) return;
    const int first = FixedRows();
    auto& rows = RowStoreToReorder();
    EnsureRows(RowCount());
    std::vector<std::vector<std::string>> current(static_cast<size_t>(sortedList_.size()));
    for (size_t i = 0; i < sortedList_.size(); ++i) current[i] = std::move(rows[static_cast<size_t>(first) + i]);
    int newRow = Row();
    for (size_t i = 0; i < sortedList_.size(); ++i) {
        int former = sortedList_[i].RowNum;
        rows[static_cast<size_t>(former)] = std::move(current[i]);
        if (first + static_cast<int>(i) == Row()) newRow = former;
    }
    SetRow(newRow);
    sortedList_.clear();
}

// ---- cells, rows and columns ----

void TSortGrid::ClearRowCells(int row) {
    for (int c = 0; c < ColCount(); ++c) SetCells(c, row, "");
}

void TSortGrid::ClearColumnCells(int column) {
    for (int r = 0; r < RowCount(); ++r) SetCells(column, r, "");
}

void TSortGrid::Clear(bool allColumns) {
    for (int c = FixedCols(); c < ColCount(); ++c)
        for (int r = allColumns ? 0 : FixedRows(); r < RowCount(); ++r) SetCells(c, r, "");
    modified_ = false;
}

template <typename F>
void TSortGrid::WithoutEditing(F&& move) {
    TGridOptions saved = Options;
    Options &= ~goEditing;
    move();
    Options = saved;
}

void TSortGrid::DeleteRow(int index) {
    if (index < 0 || index >= RowCount()) return;
    ClearRowCells(index);
    WithoutEditing([&] { TStringGrid::DeleteRow(index); });
    if (OnRowDelete) OnRowDelete(this, index);
}

void TSortGrid::DeleteColumn(int index) {
    if (index < 0 || index >= ColCount()) return;
    ClearColumnCells(index);
    WithoutEditing([&] { TStringGrid::DeleteColumn(index); });
    if (OnColumnDelete) OnColumnDelete(this, index);
}

void TSortGrid::InsertRow(int index) {
    if (index < 0) index = 0;
    SetRowCount(RowCount() + 1);
    if (index > RowCount() - 1) index = RowCount() - 1;
    ClearRowCells(RowCount() - 1);
    TStringGrid::MoveRow(RowCount() - 1, index);
    SetRowHeights(index, DefaultRowHeight);
    if (OnRowInsert) OnRowInsert(this, index);
}

void TSortGrid::InsertColumn(int index) {
    if (index < 0) index = 0;
    SetColCount(ColCount() + 1);
    if (index > ColCount() - 1) index = ColCount() - 1;
    ClearColumnCells(ColCount() - 1);
    TStringGrid::MoveColumn(ColCount() - 1, index);
    SetColWidths(index, DefaultColWidth);
    if (OnColumnInsert) OnColumnInsert(this, index);
}

void TSortGrid::MoveRow(int from, int to) {
    WithoutEditing([&] { TStringGrid::MoveRow(from, to); });
}

void TSortGrid::MoveColumn(int from, int to) {
    WithoutEditing([&] { TStringGrid::MoveColumn(from, to); });
}

void TSortGrid::SwapRows(int a, int b) {
    if (a == b) return;
    if (a > b) std::swap(a, b);
    MoveRow(b, a);
    MoveRow(a + 1, b);
}

void TSortGrid::ExchangeRowCells(int row, TSortGrid& other, int otherRow) {
    if (row < 0 || otherRow < 0) return;
    EnsureRows(row + 1);
    other.EnsureRows(otherRow + 1);
    // Two data rows of one table change places: the lookups by column follow them.
    if (&other == this && row >= 1 && otherRow >= 1 && row < RowCount() && otherRow < RowCount()) {
        indexes_.BeforeExchange(*this);
        auto& rows = RowStoreToReorder();
        std::swap(rows[static_cast<size_t>(row)], rows[static_cast<size_t>(otherRow)]);
        indexes_.Exchanged(*this, row, otherRow);
        return;
    }
    std::swap(RowStore()[static_cast<size_t>(row)], other.RowStore()[static_cast<size_t>(otherRow)]);
}

namespace {

// Distinct data rows in ascending order and a permutation of their places that moves one at
// least. Marks each place in `taken`.
bool ValidReorder(const std::vector<int>& rows, const std::vector<int>& order, int rowCount, std::vector<char>& taken) {
    if (rows.size() != order.size() || rows.empty() || rows.front() < 1 || rows.back() >= rowCount) return false;
    for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i] <= rows[i - 1]) return false;
    taken.assign(order.size(), 0);
    bool moves = false;
    for (size_t i = 0; i < order.size(); ++i) {
        const size_t from = static_cast<size_t>(order[i]);
        if (from >= order.size() || taken[from]) return false;
        taken[from] = 1;
        moves = moves || from != i;
    }
    return moves;
}

}  // namespace

void TSortGrid::ReorderRows(const std::vector<int>& rows, const std::vector<int>& order) {
    std::vector<char> unplaced;
    if (!ValidReorder(rows, order, RowCount(), unplaced)) return;
    EnsureRows(rows.back() + 1);
    indexes_.BeforeExchange(*this);
    auto& store = RowStoreToReorder();
    auto row = [&](size_t i) -> std::vector<std::string>& { return store[static_cast<size_t>(rows[i])]; };
    // Cycle by cycle: each place takes its row from the place order names, the first one last.
    for (size_t start = 0; start < rows.size(); ++start) {
        size_t at = start;
        for (size_t from; unplaced[at] && (from = static_cast<size_t>(order[at])) != start; at = from) {
            row(at).swap(row(from));
            unplaced[at] = 0;
        }
        unplaced[at] = 0;
    }
    indexes_.Reordered(*this, rows, order);
}

void TSortGrid::MoveRowAmong(const std::vector<int>& rows, size_t from, size_t to) {
    if (from == to || from >= rows.size() || to >= rows.size()) return;
    const size_t low = std::min(from, to), high = std::max(from, to);
    if (rows[low] < 1 || rows[high] >= RowCount()) return;
    for (size_t i = low + 1; i <= high; ++i)
        if (rows[i] <= rows[i - 1]) return;
    EnsureRows(rows[high] + 1);
    indexes_.BeforeExchange(*this);
    auto& store = RowStoreToReorder();
    auto row = [&](size_t i) -> std::vector<std::string>& { return store[static_cast<size_t>(rows[i])]; };
    // The moving row changes places with its neighbour, step by step.
    if (from < to)
        for (size_t i = from; i < to; ++i) row(i).swap(row(i + 1));
    else
        for (size_t i = from; i > to; --i) row(i).swap(row(i - 1));
    indexes_.MovedAmong(*this, rows, from, to);
}

void TSortGrid::SwapColumns(int a, int b) {
    if (a == b) return;
    if (a > b) std::swap(a, b);
    MoveColumn(b, a);
    MoveColumn(a + 1, b);
}

void TSortGrid::MoveTo(int column, int row) {
    SetCol(std::clamp(column, FixedCols(), ColCount() - 1));
    SetRow(std::clamp(row, FixedRows(), RowCount() - 1));
}

bool TSortGrid::IsCell(const std::string& text, int& column, int& row) const {
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (Cells(c, r) == text) {
                column = c;
                row = r;
                return true;
            }
    return false;
}

// ---- delimited lines ----

void TSortGrid::LoadFromStrings(const TStrings& list, char delimiter) {
    Clear(true);
    SetRowCount(std::max(list.Count(), FixedRows() + 1));
    int widest = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& line = list[i];
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t pos = line.find(delimiter); pos != std::string::npos; pos = line.find(delimiter, start)) {
            fields.push_back(line.substr(start, pos - start));
            start = pos + 1;
        }
        fields.push_back(line.substr(start));
        int n = static_cast<int>(fields.size());
        if (n > ColCount()) SetColCount(n);
        widest = std::max(widest, n);
        ClearRowCells(i);
        for (int c = 0; c < n; ++c) SetCells(c, i, fields[static_cast<size_t>(c)]);
    }
    SetColCount(widest);
}

void TSortGrid::SaveToStrings(TStrings& list, char delimiter) const {
    list.Clear();
    for (int r = 0; r < RowCount(); ++r) {
        std::string line;
        for (int c = 0; c < ColCount(); ++c) {
            if (c > 0) line += delimiter;
            line += Cells(c, r);
        }
        list.Add(line);
    }
}

bool TSortGrid::LoadFromFile(const std::string& fileName, char delimiter) {
    TStringList list;
    if (!list.LoadFromFile(fileName)) return false;
    LoadFromStrings(list, delimiter);
    return true;
}

bool TSortGrid::SaveToFile(const std::string& fileName, char delimiter) const {
    TStringList list;
    SaveToStrings(list, delimiter);
    return list.SaveToFile(fileName);
}

// ---- input ----

void TSortGrid::SetEditText(int column, int row, const std::string& value) {
    if (Cells(column, row) != value) modified_ = true;
    SetCells(column, row, value);
}

void TSortGrid::InitValidate() {
    validate_ = {Col(), Row(), Cells(Col(), Row()), modified_};
}

void TSortGrid::ValidateCell() {
    const int column = validate_.column, row = validate_.row;
    const std::string current = Cells(column, row);
    if (current != validate_.text && OnCellValidate) {
        std::string value = current;
        bool valid = true;
        OnCellValidate(this, column, row, value, valid);
        if (valid) {
            if (value != current) SetCells(column, row, value);
        } else {
            SetCells(column, row, value != current ? value : validate_.text);
            modified_ = validate_.modified;
        }
    }
    InitValidate();
}

void TSortGrid::DoEnter() {
    focused_ = true;
    InitValidate();
}

void TSortGrid::DoExit() {
    ValidateCell();
    focused_ = false;
}

void TSortGrid::Click() {
    if (focused_) ValidateCell();
    TStringGrid::Click();
}

void TSortGrid::KeyDown(unsigned short& key, TShiftState shift) {
    if (key == VK_RETURN) ValidateCell();
    if (!ExtendedKeys || GridState != TGridState::gsNormal) return;
    const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
    if (mods == ssCtrl && key == VK_INSERT) {
        InsertRow(Row());
    } else if (mods == ssCtrl && key == VK_DELETE) {
        if (RowCount() - FixedRows() > 1) DeleteRow(Row());
    } else if (mods == (ssCtrl | ssShift) && key == VK_INSERT) {
        InsertColumn(Col());
    } else if (mods == (ssCtrl | ssShift) && key == VK_DELETE) {
        if (ColCount() - FixedCols() > 1) DeleteColumn(Col());
    } else {
        return;
    }
    key = 0;
}

void TSortGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (!ClickSorting || FixedRows() < 1 || GridState != TGridState::gsNormal || button != TMouseButton::mbLeft)
        return;
    int column = 0, row = 0;
    if (!MouseToCell(x, y, column, row) || row >= FixedRows()) return;
    TSortOptions options;
    options.SortStyle = ssAutomatic;
    options.SortDirection = (shift & (ssShift | ssCtrl | ssAlt)) == ssShift ? sdDescending : sdAscending;
    options.SortCaseSensitive = true;
    if (OnClickSort) OnClickSort(this, column, options);
    TCursor saved = Screen().Cursor;
    Screen().Cursor = TCursor::crHourGlass;
    SortByColumn(column, options);
    Screen().Cursor = saved;
}

// ---- sizes and scroll bars ----

void TSortGrid::UpdateScrollPage() {
    if (!ProportionalScrollBars) {
        vertPage_ = horzPage_ = 0;
        return;
    }
    auto visibleCount = [](int extent, int count, auto size) {
        int visible = 0;
        for (int i = 0, used = 0; i < count && used + size(i) <= extent; used += size(i), ++i) ++visible;
        return std::max(1, visible);
    };
    vertPage_ = visibleCount(Height, RowCount(), [this](int r) { return RowHeights(r); });
    horzPage_ = visibleCount(Width, ColCount(), [this](int c) { return ColWidths(c); });
}

void TSortGrid::SizeChanged(int, int) {
    UpdateScrollPage();
    if (OnSizeChanged) OnSizeChanged(this);
}

void TSortGrid::ColWidthsChanged() {
    UpdateScrollPage();
    if (OnColumnWidthsChanged) OnColumnWidthsChanged(this);
}

void TSortGrid::RowHeightsChanged() {
    UpdateScrollPage();
    if (OnRowHeightsChanged) OnRowHeightsChanged(this);
}

// ---- drawing ----

namespace {
constexpr int kCellMargin = 2;
}  // namespace

TFormatOptions TSortGrid::CellFormat(int column, int row, TGridDrawState state) {
    TFormatOptions options;
    options.Brush.Color = (state & gdFixed) ? FixedColor() : Color;
    options.Font = Font;
    options.AlignmentHorz = AlignmentHorz;
    options.AlignmentVert = AlignmentVert;
    options.Bevel = BevelStyle;
    if (BevelStyle == TCellBevelStyle::cbRaised) {
        options.HighlightColor = clBtnHighlight;
        options.ShadowColor = clBtnShadow;
    } else if (BevelStyle == TCellBevelStyle::cbLowered) {
        options.HighlightColor = clBtnShadow;
        options.ShadowColor = clBtnHighlight;
    }
    if (OnGetCellFormat) OnGetCellFormat(this, column, row, state, options);
    return options;
}

void TSortGrid::DrawCell(int column, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing && Canvas()) DrawFormattedCell(*Canvas(), column, row, rect, state);
    if (OnDrawCell) OnDrawCell(this, column, row, rect, state);
}

void TSortGrid::DrawFormattedCell(TCanvas& canvas, int column, int row, const TRect& rect, TGridDrawState state) {
    const TFormatOptions options = CellFormat(column, row, state);
    canvas.Brush = options.Brush;
    canvas.Font = options.Font;
    const std::string& text = Cells(column, row);
    const TTextSize size = canvas.TextExtent(text);
    int x = rect.left + kCellMargin;
    if (options.AlignmentHorz == TAlignment::taRightJustify) x = rect.right - kCellMargin - size.cx;
    if (options.AlignmentHorz == TAlignment::taCenter) x = rect.left + (rect.Width() - size.cx) / 2;
    int y = rect.top + kCellMargin;
    if (options.AlignmentVert == TVertAlignment::taBottomJustify) y = rect.bottom - kCellMargin - size.cy;
    if (options.AlignmentVert == TVertAlignment::taMiddle) y = rect.top + (rect.Height() - size.cy) / 2;
    canvas.TextRect(rect, x, y, text);
    if (options.Bevel == TCellBevelStyle::cbNone) return;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = options.HighlightColor;
    canvas.MoveTo(rect.left, rect.bottom - 1);
    canvas.LineTo(rect.left, rect.top);
    canvas.LineTo(rect.right - 1, rect.top);
    canvas.Pen.Color = options.ShadowColor;
    canvas.LineTo(rect.right - 1, rect.bottom - 1);
    canvas.LineTo(rect.left, rect.bottom - 1);
}

void TSortGrid::AutoSizeCol(int column) {
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        const TGridDrawState state = (r < FixedRows() || column < FixedCols()) ? gdFixed : 0u;
        const TFormatOptions options = CellFormat(column, r, state);
        widest = std::max(widest, MeasureText(options.Font, Cells(column, r)).cx);
    }
    SetColWidths(column, widest + MeasureText(Font, "x").cx);
}

void TSortGrid::AutoSizeColumns(bool includeFixed, int extra) {
    for (int c = includeFixed ? 0 : FixedCols(); c < ColCount(); ++c) {
        AutoSizeCol(c);
        if (extra != 0) SetColWidths(c, ColWidths(c) + extra);
    }
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

