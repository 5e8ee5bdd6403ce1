#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/Input.h"
#include "platform/Strings.h"

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

// A block of cells, corners included; (-1, -1, -1, -1) selects nothing.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

class TStringGrid;

// The editor the grid lays over its current cell. It is an edit field whose changes go straight
// into the cell, so the grid always shows what is typed.
class TInplaceEdit : public TEdit {
public:
    explicit TInplaceEdit(TStringGrid& grid) : grid_(grid) {}
    std::string ClassName() const override { return "TInplaceEdit"; }
    TStringGrid& Grid() const { return grid_; }
    // A key press the editor receives while it has the focus.
    void KeyDown(unsigned short& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;

protected:
    void Change() override;

private:
    TStringGrid& grid_;
};

// Cells of text addressed by (column, row). The grid keeps every cell written, also beyond
// RowCount and ColCount: such cells are not part of the visible rows and come into view when
// the counts grow. Lowering a count discards the rows or columns cut off, so that growing again
// never brings stale data back into a table.
class TStringGrid : public TControl {
public:
    TStringGrid();
    std::string ClassName() const override { return "TStringGrid"; }

    int RowCount() const { return rowCount_; }
    int ColCount() const { return colCount_; }
    void SetRowCount(int count);
    void SetColCount(int count);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixedRows(int count);
    void SetFixedCols(int count);

    // The empty text for a cell never written or at a negative index. Inline: whole tables are
    // read cell by cell after every result.
    const std::string& Cells(int col, int row) const {
        if (col < 0 || row < 0 || static_cast<size_t>(row) >= cells_.size()) return kEmptyCell;
        const std::vector<std::string>& cells = cells_[static_cast<size_t>(row)];
        return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : kEmptyCell;
    }
    // The count of Changes() at which this row's cells last changed, or at which rows or columns
    // last moved, whichever is later: a row whose count is not above a count of Changes() taken
    // earlier holds what it held then, at the same index.
    std::uint64_t RowChanges(int row) const {
        const std::uint64_t own =
            row >= 0 && static_cast<size_t>(row) < rowChanges_.size() ? rowChanges_[static_cast<size_t>(row)] : 0;
        return own > movedAt_ ? own : movedAt_;
    }
    // Throws std::out_of_range for a negative index.
    void SetCells(int col, int row, const std::string& text);
    // Counts every change of the cells, the rows or the columns: a count that is still the same
    // means that the content is still the same.
    std::uint64_t Changes() const { return changes_; }
    // Counts the changes that can alter which text a column holds in which row: writes to its
    // cells and every change of the rows or columns as a whole. Writes to other columns leave it
    // as it is, so what was read from a column holds while only others change.
    std::uint64_t ColumnChanges(int col) const { return layoutChanges_ + orderChanges_ + ColumnWrites(col); }
    // As ColumnChanges, except that whole rows moving among themselves leave it as it is: which
    // texts a column holds in its rows, whatever their order.
    std::uint64_t ColumnContentChanges(int col) const { return layoutChanges_ + ColumnWrites(col); }

    // The cells of columns 0..ColCount-1 of a row / rows 0..RowCount-1 of a column.
    TStringList Rows(int row) const;
    // list.Assign(Rows(row)) without a list between.
    void RowTo(int row, TStrings& list) const {
        list.AssignEach(colCount_, [&](int col) -> const std::string& { return Cells(col, row); });
    }
    // Blanks the row's visible cells, then puts the list's items into columns 0, 1, ...
    void SetRows(int row, const TStrings& items);
    TStringList Cols(int col) const;
    void SetCols(int col, const TStrings& items);

    // The current cell.
    int Row() const { return row_; }
    int Col() const { return col_; }
    // Moving the current cell selects it alone and carries an open editor along.
    void SetRow(int row) { FocusCell(col_, row); }
    void SetCol(int col) { FocusCell(col, row_); }
    void FocusCell(int col, int row);
    TGridRect Selection{1, 1, 1, 1};

    TGridOptions Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    int DefaultColWidth = 64;
    int DefaultRowHeight = 24;
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);

    // Rows and columns move with every cell they hold, hidden ones included.
    virtual void MoveRow(int from, int to);
    virtual void MoveColumn(int from, int to);
    virtual void DeleteRow(int index);
    virtual void DeleteColumn(int index);

    // Look. The grid's brush is its Color; fixed cells are painted in FixedColor.
    TFont Font;
    TBrush Brush() const { return TBrush{Color, TBrushStyle::bsSolid}; }
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    bool DefaultDrawing = true;
    int GridLineWidth = 1;
    std::function<void(TObject* sender, int col, int row, const TRect& rect, TGridDrawState state)> OnDrawCell;

    // Layout without scrolling: column 0 starts at the left edge, each cell followed by a grid line.
    TRect CellRect(int col, int row) const;
    // The cell under a client point; false (and -1 for the missing index) outside the cells.
    bool MouseToCell(int x, int y, int& column, int& row) const;
    // Tab walks only stop in columns that are tab stops (all are, until told otherwise).
    bool TabStops(int col) const;
    void SetTabStops(int col, bool stop);

    // Paints every cell and the grid lines; DrawCell sees Canvas() while this runs.
    void PaintTo(TCanvas& canvas);
    TCanvas* Canvas() const { return canvas_; }
    // A change that needs the whole grid repainted; counted so that callers can tell.
    virtual void Invalidate() { ++invalidations_; }
    int Invalidations() const { return invalidations_; }

    // Focus and input as the window delivers them.
    bool Focused() const { return focused_; }
    void SetFocus();
    void KillFocus();
    // A key going down: to the editor when it has the focus, else to the grid.
    void PressKey(unsigned short key, TShiftState shift = 0);
    // A typed character: to the editor when it has the focus, else to the grid.
    void TypeChar(char32_t key);
    void MouseMoveTo(int x, int y, TShiftState shift = 0);
    std::function<void(TObject* sender, char32_t& key)> OnKeyPress;
    // A click and a double click on the grid.
    void Click() {
        if (OnClick) OnClick(this);
    }
    void DblClick() {
        if (OnDblClick) OnDblClick(this);
    }
    TNotifyEvent OnClick, OnDblClick;

    // The in-place editor.
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);
    void ShowEditor();
    void HideEditor();
    TInplaceEdit* InplaceEditor() const { return editor_.get(); }
    bool EditorShowing() const { return editor_ && editor_->Visible && editorMode_; }
    // The editor's text went into a cell.
    virtual void SetEditText(int col, int row, const std::string& value);
    // Counts and fixed counts as stored properties.
    void DefineProperties(TFiler& filer) override;

    // Dynamic methods of the input path; subclasses add their rules and call these.
    virtual void KeyDown(unsigned short& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void WMChar(char32_t key);
    virtual void DoEnter() {}
    // Leaving the grid ends editor mode unless the editor is always shown.
    virtual void DoExit();
    virtual void MouseMove(TShiftState shift, int x, int y);

protected:
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    // Asked before the editor opens; subclasses may act on the answer.
    virtual bool CanEditShow();
    virtual std::unique_ptr<TInplaceEdit> CreateEditor();
    // Opens the editor on the current cell when it may open there (twice asked, as the
    // editor is made between the two questions).
    void UpdateEdit();
    // Hides the editor; its text is already in the cell.
    void HideEdit();
    // Shows the editor with a typed character as its whole text.
    void ShowEditorChar(char32_t key);
    void MoveCurrent(int col, int row);

    virtual void SizeChanged(int /*oldColCount*/, int /*oldRowCount*/) {}
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}

    // Direct access for subclasses that move whole rows at once; counts as a change of every
    // column.
    std::vector<std::vector<std::string>>& RowStore() {
        movedAt_ = changes_ + 1;
        ++changes_;
        ++layoutChanges_;
        return cells_;
    }
    // The same for moving the data rows among themselves (sorting), which leaves what each
    // column holds, whatever the rows' order, as it is.
    std::vector<std::vector<std::string>>& RowStoreToReorder() {
        movedAt_ = changes_ + 1;
        ++changes_;
        ++orderChanges_;
        return cells_;
    }
    void EnsureRows(int count);

private:
    static const std::string kEmptyCell;
    std::vector<std::vector<std::string>> cells_;  // [row][col]
    std::uint64_t changes_ = 0;
    std::uint64_t layoutChanges_ = 0;  // rows or columns added, removed or moved
    std::uint64_t orderChanges_ = 0;   // rows moved among themselves
    std::vector<std::uint64_t> columnWrites_;
    std::uint64_t ColumnWrites(int col) const {
        return col >= 0 && static_cast<size_t>(col) < columnWrites_.size() ? columnWrites_[static_cast<size_t>(col)] : 0;
    }
    std::vector<int> colWidths_, rowHeights_;
    int rowCount_ = 5, colCount_ = 5, fixedRows_ = 1, fixedCols_ = 1;
    int row_ = 1, col_ = 1;
    TColor fixedColor_ = clBtnFace;
    std::vector<bool> notTabStops_;
    TCanvas* canvas_ = nullptr;
    int invalidations_ = 0;
    std::vector<std::uint64_t> rowChanges_;  // [row]: the count at the row's last cell change
    std::uint64_t movedAt_ = 0;               // the count at the last move of rows or columns
    void RowChanged(int row);
    bool focused_ = false;
    bool editorMode_ = false;
    std::unique_ptr<TInplaceEdit> editor_;
    int editorCol_ = -1, editorRow_ = -1;
};
