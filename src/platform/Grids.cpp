#include "platform/Grids.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "platform/FormStream.h"

namespace {

template <typename T>
void MoveElement(std::vector<T>& v, size_t from, size_t to) {
    if (from < to)
        std::rotate(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(from) + 1,
                    v.begin() + static_cast<long>(to) + 1);
    else if (from > to)
        std::rotate(v.begin() + static_cast<long>(to), v.begin() + static_cast<long>(from),
                    v.begin() + static_cast<long>(from) + 1);
}
}  // namespace

const std::string TStringGrid::kEmptyCell;

TStringGrid::TStringGrid() = default;

void TStringGrid::SetRowCount(int count) {
    if (count < 0) count = 0;
    if (count <= fixedRows_) count = fixedRows_ + 1;
    if (count == rowCount_) return;
    ++changes_;
    ++layoutChanges_;
    int old = rowCount_;
    // Rows cut off are gone: growing again must not bring stale data back into the table.
    for (int r = count; r < old && static_cast<size_t>(r) < cells_.size(); ++r) {
        cells_[static_cast<size_t>(r)].clear();
        RowChanged(r);
    }
    rowCount_ = count;
    if (row_ >= rowCount_) FocusCell(col_, rowCount_ - 1);
    SizeChanged(colCount_, old);
}

void TStringGrid::SetColCount(int count) {
    if (count < 0) count = 0;
    if (count <= fixedCols_) count = fixedCols_ + 1;
    if (count == colCount_) return;
    ++changes_;
    ++layoutChanges_;
    int old = colCount_;
    movedAt_ = changes_;
    for (auto& cells : cells_)
        for (int c = count; c < old && static_cast<size_t>(c) < cells.size(); ++c) cells[static_cast<size_t>(c)].clear();
    colCount_ = count;
    if (col_ >= colCount_) FocusCell(colCount_ - 1, row_);
    SizeChanged(old, rowCount_);
}

void TStringGrid::SetFixedRows(int count) {
    if (count < 0 || count >= rowCount_) throw std::out_of_range("Fixed row count must be less than row count");
    fixedRows_ = count;
    if (row_ < fixedRows_) FocusCell(col_, fixedRows_);
}

void TStringGrid::SetFixedCols(int count) {
    if (count < 0 || count >= colCount_) throw std::out_of_range("Fixed column count must be less than column count");
    fixedCols_ = count;
    if (col_ < fixedCols_) FocusCell(fixedCols_, row_);
}

// Inlined: every cell written passes here; the list grows only with the table.
[[gnu::always_inline]] inline void TStringGrid::RowChanged(int row) {
    if (static_cast<size_t>(row) >= rowChanges_.size()) [[unlikely]]
        rowChanges_.resize(static_cast<size_t>(row) + 1);
    rowChanges_[static_cast<size_t>(row)] = changes_;
}

void TStringGrid::EnsureRows(int count) {
    if (static_cast<size_t>(count) > cells_.size()) cells_.resize(static_cast<size_t>(count));
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    if (col < 0 || row < 0) throw std::out_of_range("Grid index out of range");
    if (text.empty() && Cells(col, row).empty()) return;  // nothing to keep
    ++changes_;
    if (static_cast<size_t>(col) >= columnWrites_.size()) columnWrites_.resize(static_cast<size_t>(col) + 1, 0);
    ++columnWrites_[static_cast<size_t>(col)];
    EnsureRows(row + 1);
    auto& cells = cells_[static_cast<size_t>(row)];
    // A row written column by column takes the visible width of a table at once (a wide grid
    // keeps to what is written).
    constexpr int kTableWidth = 64;
    if (static_cast<size_t>(col) >= cells.size())
        cells.resize(static_cast<size_t>(std::max(col + 1, std::min(colCount_, kTableWidth))));
    cells[static_cast<size_t>(col)] = text;
    RowChanged(row);
}

TStringList TStringGrid::Rows(int row) const {
    TStringList list;
    RowTo(row, list);
    return list;
}

void TStringGrid::SetRows(int row, const TStrings& items) {
    for (int c = 0; c < colCount_; ++c) SetCells(c, row, "");
    for (int c = 0; c < items.Count(); ++c) SetCells(c, row, items[c]);
}

TStringList TStringGrid::Cols(int col) const {
    TStringList list;
    for (int r = 0; r < rowCount_; ++r) list.Add(Cells(col, r));
    return list;
}

void TStringGrid::SetCols(int col, const TStrings& items) {
    for (int r = 0; r < rowCount_; ++r) SetCells(col, r, "");
    for (int r = 0; r < items.Count(); ++r) SetCells(col, r, items[r]);
}

int TStringGrid::ColWidths(int col) const {
    if (col < 0 || static_cast<size_t>(col) >= colWidths_.size()) return DefaultColWidth;
    return colWidths_[static_cast<size_t>(col)];
}

void TStringGrid::SetColWidths(int col, int width) {
    if (col < 0) throw std::out_of_range("Grid index out of range");
    if (static_cast<size_t>(col) >= colWidths_.size()) colWidths_.resize(static_cast<size_t>(col) + 1, DefaultColWidth);
    if (colWidths_[static_cast<size_t>(col)] == width) return;
    colWidths_[static_cast<size_t>(col)] = width;
    ColWidthsChanged();
}

int TStringGrid::RowHeights(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= rowHeights_.size()) return DefaultRowHeight;
    return rowHeights_[static_cast<size_t>(row)];
}

void TStringGrid::SetRowHeights(int row, int height) {
    if (row < 0) throw std::out_of_range("Grid index out of range");
    if (static_cast<size_t>(row) >= rowHeights_.size())
        rowHeights_.resize(static_cast<size_t>(row) + 1, DefaultRowHeight);
    if (rowHeights_[static_cast<size_t>(row)] == height) return;
    rowHeights_[static_cast<size_t>(row)] = height;
    RowHeightsChanged();
}

void TStringGrid::MoveRow(int from, int to) {
    if (from < 0 || to < 0 || from >= rowCount_ || to >= rowCount_) throw std::out_of_range("Grid index out of range");
    if (from == to) return;
    ++changes_;
    ++orderChanges_;
    EnsureRows(rowCount_);
    movedAt_ = changes_;
    MoveElement(cells_, static_cast<size_t>(from), static_cast<size_t>(to));
    if (rowHeights_.size() < static_cast<size_t>(rowCount_))
        rowHeights_.resize(static_cast<size_t>(rowCount_), DefaultRowHeight);
    MoveElement(rowHeights_, static_cast<size_t>(from), static_cast<size_t>(to));
}

void TStringGrid::MoveColumn(int from, int to) {
    if (from < 0 || to < 0 || from >= colCount_ || to >= colCount_) throw std::out_of_range("Grid index out of range");
    if (from == to) return;
    ++changes_;
    ++layoutChanges_;
    for (auto& cells : cells_) {
        if (cells.size() < static_cast<size_t>(colCount_)) cells.resize(static_cast<size_t>(colCount_));
        MoveElement(cells, static_cast<size_t>(from), static_cast<size_t>(to));
    }
    movedAt_ = changes_;
    if (colWidths_.size() < static_cast<size_t>(colCount_))
        colWidths_.resize(static_cast<size_t>(colCount_), DefaultColWidth);
    MoveElement(colWidths_, static_cast<size_t>(from), static_cast<size_t>(to));
}

void TStringGrid::DeleteRow(int index) {
    if (index < 0 || index >= rowCount_) return;
    MoveRow(index, rowCount_ - 1);
    // The last row may never have been written, and then has no cells to clear yet.
    EnsureRows(rowCount_);
    cells_[static_cast<size_t>(rowCount_ - 1)].clear();
    SetRowCount(rowCount_ - 1);
}

void TStringGrid::DeleteColumn(int index) {
    if (index < 0 || index >= colCount_) return;
    MoveColumn(index, colCount_ - 1);
    for (auto& cells : cells_)
        if (cells.size() >= static_cast<size_t>(colCount_)) cells[static_cast<size_t>(colCount_ - 1)].clear();
    SetColCount(colCount_ - 1);
}

// ---- look and layout ----

void TStringGrid::SetFixedColor(TColor color) {
    if (fixedColor_ == color) return;
    fixedColor_ = color;
    Invalidate();
}

TRect TStringGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return TRect{};
    int left = 0, top = 0;
    for (int c = 0; c < col; ++c) left += ColWidths(c) + GridLineWidth;
    for (int r = 0; r < row; ++r) top += RowHeights(r) + GridLineWidth;
    return Rect(left, top, left + ColWidths(col), top + RowHeights(row));
}

bool TStringGrid::MouseToCell(int x, int y, int& column, int& row) const {
    // A grid line belongs to the cell on its left or above it.
    column = -1;
    for (int c = 0, left = 0; x >= 0 && c < colCount_; left += ColWidths(c) + GridLineWidth, ++c)
        if (x < left + ColWidths(c) + GridLineWidth) {
            column = c;
            break;
        }
    row = -1;
    for (int r = 0, top = 0; y >= 0 && r < rowCount_; top += RowHeights(r) + GridLineWidth, ++r)
        if (y < top + RowHeights(r) + GridLineWidth) {
            row = r;
            break;
        }
    return column >= 0 && row >= 0;
}

bool TStringGrid::TabStops(int col) const {
    return col < 0 || static_cast<size_t>(col) >= notTabStops_.size() || !notTabStops_[static_cast<size_t>(col)];
}

void TStringGrid::SetTabStops(int col, bool stop) {
    if (col < 0) throw std::out_of_range("Grid index out of range");
    if (static_cast<size_t>(col) >= notTabStops_.size()) {
        if (stop) return;
        notTabStops_.resize(static_cast<size_t>(col) + 1, false);
    }
    notTabStops_[static_cast<size_t>(col)] = !stop;
}

// ---- painting ----

void TStringGrid::PaintTo(TCanvas& canvas) {
    canvas_ = &canvas;
    for (int row = 0; row < rowCount_; ++row) {
        for (int col = 0; col < colCount_; ++col) {
            const TRect rect = CellRect(col, row);
            const bool fixed = col < fixedCols_ || row < fixedRows_;
            TGridDrawState state = fixed ? TGridDrawState{gdFixed} : TGridDrawState{0};
            if (!fixed && Selection.Contains(col, row)) state |= gdSelected;
            if (!fixed && focused_ && col == col_ && row == row_) state |= gdFocused;
            canvas.Font = Font;
            canvas.Brush = fixed ? TBrush{fixedColor_, TBrushStyle::bsSolid} : Brush();
            DrawCell(col, row, rect, state);
            canvas.Brush = TBrush{fixed ? clBlack : clSilver, TBrushStyle::bsSolid};
            canvas.FillRect(Rect(rect.right, rect.top, rect.right + GridLineWidth, rect.bottom + GridLineWidth));
            canvas.FillRect(Rect(rect.left, rect.bottom, rect.right + GridLineWidth, rect.bottom + GridLineWidth));
        }
    }
    canvas_ = nullptr;
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing && canvas_) canvas_->TextRect(rect, rect.left + 2, rect.top + 2, Cells(col, row));
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

// ---- focus and keys ----

void TStringGrid::FocusCell(int col, int row) {
    MoveCurrent(col, row);
}

void TStringGrid::MoveCurrent(int col, int row) {
    col_ = col;
    row_ = row;
    Selection = TGridRect{col, row, col, row};
    if (editorMode_) UpdateEdit();
    Invalidate();
}

void TStringGrid::SetFocus() {
    if (focused_) return;
    focused_ = true;
    DoEnter();
    if (editorMode_ && (Options & goAlwaysShowEditor)) UpdateEdit();
}

void TStringGrid::KillFocus() {
    if (!focused_) return;
    focused_ = false;
    DoExit();
}

void TStringGrid::DoExit() {
    if (!(Options & goAlwaysShowEditor)) HideEditor();
}

void TStringGrid::PressKey(unsigned short key, TShiftState shift) {
    if (EditorShowing()) editor_->KeyDown(key, shift);
    else KeyDown(key, shift);
}

void TStringGrid::TypeChar(char32_t key) {
    if (EditorShowing()) editor_->WMChar(key);
    else WMChar(key);
}

void TStringGrid::MouseMoveTo(int x, int y, TShiftState shift) { MouseMove(shift, x, y); }

void TStringGrid::MouseMove(TShiftState /*shift*/, int /*x*/, int /*y*/) {}

void TStringGrid::KeyDown(unsigned short& key, TShiftState shift) {
    int col = col_, row = row_;
    switch (key) {
    case VK_LEFT: col = std::max(col - 1, fixedCols_); break;
    case VK_RIGHT: col = std::min(col + 1, colCount_ - 1); break;
    case VK_UP: row = std::max(row - 1, fixedRows_); break;
    case VK_DOWN: row = std::min(row + 1, rowCount_ - 1); break;
    case VK_HOME: col = fixedCols_; break;
    case VK_END: col = colCount_ - 1; break;
    case VK_TAB:
        if (!(Options & goTabs)) return;
        col = (shift & ssShift) ? std::max(col - 1, fixedCols_) : std::min(col + 1, colCount_ - 1);
        break;
    case VK_F2:
        if (Options & goEditing) SetEditorMode(true);
        return;
    default: return;
    }
    if (col != col_ || row != row_) MoveCurrent(col, row);
}

void TStringGrid::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
    if (key == VK_RETURN && (Options & goEditing) && !(Options & goAlwaysShowEditor)) {
        SetEditorMode(!editorMode_);
        key = 0;
    }
}

void TStringGrid::WMChar(char32_t key) {
    if ((Options & goEditing) && (key == VK_BACK || key >= 32)) ShowEditorChar(key);
    else KeyPress(key);
}

// ---- the in-place editor ----

bool TStringGrid::CanEditShow() {
    return (Options & (goRowSelect | goEditing)) == goEditing && editorMode_ &&
           ((Options & goAlwaysShowEditor) || focused_);
}

std::unique_ptr<TInplaceEdit> TStringGrid::CreateEditor() { return std::make_unique<TInplaceEdit>(*this); }

void TStringGrid::SetEditorMode(bool on) {
    if (on) ShowEditor();
    else HideEditor();
}

void TStringGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TStringGrid::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

void TStringGrid::UpdateEdit() {
    if (!CanEditShow()) return;
    auto loadCurrentCell = [this] {
        editorCol_ = col_;
        editorRow_ = row_;
        editor_->Visible = false;
        editor_->SetText(Cells(col_, row_));
        editor_->SelectAll();
    };
    if (!editor_) {
        editor_ = CreateEditor();
        loadCurrentCell();
    } else if (editorCol_ != col_ || editorRow_ != row_) {
        HideEdit();
        loadCurrentCell();
    }
    if (!CanEditShow()) return;
    const TRect rect = CellRect(col_, row_);
    editor_->Left = rect.left;
    editor_->Top = rect.top;
    editor_->Width = rect.Width();
    editor_->Height = rect.Height();
    editor_->Visible = true;
}

void TStringGrid::HideEdit() {
    if (editor_) editor_->Visible = false;
}

void TStringGrid::ShowEditorChar(char32_t key) {
    ShowEditor();
    // The editor opened with its whole text selected, so the character replaces it.
    if (EditorShowing()) editor_->WMChar(key);
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
    if (col >= 0 && row >= 0) SetCells(col, row, value);
}

void TInplaceEdit::Change() {
    TEdit::Change();
    if (Visible) grid_.SetEditText(grid_.Col(), grid_.Row(), Text());
}

void TInplaceEdit::KeyDown(unsigned short& key, TShiftState shift) {
    // Keys that move between cells belong to the grid.
    switch (key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_TAB:
        grid_.KeyDown(key, shift);
        break;
    default: break;
    }
}

void TInplaceEdit::KeyPress(char32_t& key) {
    grid_.KeyPress(key);
    if (key == VK_TAB || key == VK_ESCAPE || key == VK_RETURN) key = 0;
}

// ---- stored form ----

namespace {
// A stored grid larger than this is refused: the indexes of stored attributes reach 65535 at
// most, and the cells of a form are meant to be shown, not to fill the memory.
constexpr int64_t kMaxStoredCount = 65536;
constexpr int64_t kMaxStoredCells = 1 << 20;

int StoredCount(TReader& reader, int other) {
    const int64_t count = reader.ReadInteger();
    if (count < 1 || count > kMaxStoredCount || count * other > kMaxStoredCells)
        throw std::out_of_range("Anzahl " + std::to_string(count) + " ist zu groß");
    return static_cast<int>(count);
}

int StoredInt(TReader& reader) {
    const int64_t value = reader.ReadInteger();
    if (value < INT32_MIN || value > INT32_MAX) throw std::out_of_range("Zahl " + std::to_string(value) + " ist zu groß");
    return static_cast<int>(value);
}

// The options are a set of flags: a number with other bits (a negative one too) names none of
// them, and it would be written back as a number no reader takes.
TGridOptions StoredOptions(TReader& reader) {
    constexpr int64_t kAllOptions = 2 * int64_t{goThumbTracking} - 1;
    const int64_t value = reader.ReadInteger();
    if (value < 0 || value > kAllOptions) throw std::out_of_range("Optionen " + std::to_string(value) + " gibt es nicht");
    return static_cast<TGridOptions>(value);
}
}  // namespace

void TStringGrid::DefineProperties(TFiler& filer) {
    auto integer = [&filer](const std::string& name, std::function<void(TReader&)> read, std::function<int64_t()> value) {
        filer.DefineProperty(name, std::move(read), [value](TWriter& w) { w.WriteInteger(value()); }, true);
    };
    integer("ColCount", [this](TReader& r) { SetColCount(StoredCount(r, rowCount_)); }, [this] { return colCount_; });
    integer("RowCount", [this](TReader& r) { SetRowCount(StoredCount(r, colCount_)); }, [this] { return rowCount_; });
    integer("FixedCols", [this](TReader& r) { SetFixedCols(StoredInt(r)); }, [this] { return fixedCols_; });
    integer("FixedRows", [this](TReader& r) { SetFixedRows(StoredInt(r)); }, [this] { return fixedRows_; });
    integer("Options", [this](TReader& r) { Options = StoredOptions(r); }, [this] { return Options; });
    integer("DefaultColWidth", [this](TReader& r) { DefaultColWidth = StoredInt(r); }, [this] { return DefaultColWidth; });
    integer("DefaultRowHeight", [this](TReader& r) { DefaultRowHeight = StoredInt(r); }, [this] { return DefaultRowHeight; });
}
