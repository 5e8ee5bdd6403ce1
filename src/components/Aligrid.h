#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "components/AligridStores.h"
#include "platform/Grids.h"
#include "platform/Messages.h"

class TFiler;
class TMemoryStream;
struct THintInfo;

// The ordinals are part of stored forms.
enum TMyAlign : unsigned char { alRight = 0, alLeft = 1, alCenter = 2 };
enum T_nextcell : unsigned char { nc_rightdown, nc_downright, nc_leftdown, nc_downleft, nc_leftup, nc_upleft, nc_rightup, nc_upright };
enum t_lastcell : unsigned char { lc_newcolrow, lc_stop, lc_first };
enum t_relation : unsigned char { rel_greater, rel_equal, rel_less };
enum TFontPitch : unsigned char { fpDefault, fpVariable, fpFixed };

using TCellEvent = std::function<void(TObject* sender, int col, int row)>;
using TCompareFunction = std::function<t_relation(TObject* sender, int colrow, int compare1, int compare2)>;

// The grid's editing messages; WParam is the column, LParam the row of the cell concerned.
constexpr unsigned mcn_edit_cancel = WM_USER + 2000;
constexpr unsigned mcn_edit_return = WM_USER + 2001;
constexpr unsigned mcn_edit_exit = WM_USER + 2002;
constexpr unsigned mcn_edit_show = WM_USER + 2003;
constexpr unsigned mcn_edit_show_it = WM_USER + 2004;

// A utility window whose messages all go to one handler (for objects that are no control).
using TUtilWindowHandler = std::function<void(TMessage& message)>;
HWND AH_AllocateHWnd(TUtilWindowHandler handler);
void AH_DeallocateHWnd(HWND window);

// A font of one place of the grid. The changed flag tells the form writer and the HTML export
// whether the font says anything beyond a fresh font's defaults.
class TMyFont {
public:
    const TFont& Font() const { return font_; }
    TFontPitch Pitch() const { return pitch_; }
    bool IsChanged() const { return changed_; }
    void SetChangedFlag(bool changed) { changed_ = changed; }

    void SetColor(TColor color) { Update(font_.Color, color); }
    void SetHeight(int height) { Update(font_.Height, height); }
    void SetSize(int points);
    void SetName(const std::string& name) { Update(font_.Name, name); }
    void SetStyle(unsigned style) { Update(font_.Style, style); }
    void SetPitch(TFontPitch pitch) { Update(pitch_, pitch); }
    // Takes every value; raises the flag only when that changes something.
    void Assign(const TFont& font);
    void Assign(const TMyFont& font);

    TNotifyEvent OnChange;

private:
    template <typename T>
    void Update(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed();

    TFont font_;
    TFontPitch pitch_ = fpDefault;
    bool changed_ = false;
};

class TMyBrush {
public:
    const TBrush& Brush() const { return brush_; }
    TColor Color() const { return brush_.Color; }
    bool IsChanged() const { return changed_; }
    void SetChangedFlag(bool changed) { changed_ = changed; }
    void SetColor(TColor color);
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush& brush);

    TNotifyEvent OnChange;

private:
    void Changed();

    TBrush brush_;
    bool changed_ = false;
};

// Edit styles of the in-place editor's window.
constexpr unsigned ES_LEFT = 0x0000;
constexpr unsigned ES_CENTER = 0x0001;
constexpr unsigned ES_RIGHT = 0x0002;

class TStringAlignGrid;

// The display grid's in-place editor: knows the cell it edits and its text from before.
class TNewInplaceEdit : public TInplaceEdit {
public:
    explicit TNewInplaceEdit(TStringAlignGrid& grid);
    std::string ClassName() const override { return "TNewInplaceEdit"; }
    TMyAlign Alignment() const { return alignment_; }
    void SetAlignment(TMyAlign alignment);
    // The window style the editor is made with.
    unsigned CreateParamsStyle() const;
    void KeyPress(char32_t& key) override;

    TFont Font;
    int EditCol = -1, EditRow = -1;
    bool Started = false;
    std::string SavedText;

private:
    TStringAlignGrid& alignGrid_;
    TMyAlign alignment_ = alLeft;
};

// The stores of one attribute: per cell, per column, per row and per fixed column and row,
// each with the flag that says whether the form writer writes it.
template <typename V>
struct PlaceStores {
    SparseCells<V> cell;
    SparseList<V> col, row, fixedCol, fixedRow;
    struct {
        bool cell = false, col = false, row = false, fixedCol = false, fixedRow = false;
    } stored;
};

// The string grid every display and print table is built on: alignment, font, colours, edit
// permission and hints per cell, column and row, kept attached to their places when rows and
// columns move.
class TStringAlignGrid : public TStringGrid {
public:
    TStringAlignGrid();
    ~TStringAlignGrid() override;
    TStringAlignGrid(const TStringAlignGrid&) = delete;
    TStringAlignGrid& operator=(const TStringAlignGrid&) = delete;
    std::string ClassName() const override { return "TStringAlignGrid"; }

    // ---- published properties ----
    bool Editable = true;
    bool ShowCellHints = true;
    TColor SelectedCellColor = clActiveCaption;
    TColor SelectedFontColor = clWhite;
    bool AutoEditNextCell = false;
    T_nextcell NextCellEdit = nc_rightdown;
    T_nextcell NextCellTab = nc_rightdown;
    t_lastcell AfterLastCellEdit = lc_newcolrow;
    t_lastcell AfterLastCellTab = lc_first;
    bool DrawSelection = true;
    TCellEvent OnAfterEdit, OnCancelEdit, OnBeforeEdit;
    TCompareFunction OnCompareRow, OnCompareCol;
    TNotifyEvent OnColWidthsChanged, OnRowHeightsChanged;

    bool is_fixed(int c, int r) const { return c < FixedCols() || r < FixedRows(); }

    // ---- effective values ----
    TMyAlign GetAlignCell(int c, int r) const;
    // The font and brush that apply; owned by the grid (or the grid's own look).
    const TFont& GetFontCellComplete(int c, int r) const;
    const TMyFont* GetPlaceFontCellComplete(int c, int r) const;
    TBrush GetBrushCellComplete(int c, int r) const;
    TColor GetColorCell(int c, int r) const { return GetBrushCellComplete(c, r).Color; }
    bool GetEditCell(int c, int r) const;
    TColor GetSelColorCell(int c, int r) const;
    TColor GetSelFontColorCell(int c, int r) const;
    std::string GetHintCell(int c, int r) const;

    // ---- alignment ----
    TMyAlign GetAlign() const { return alignment_; }
    void SetAlign(TMyAlign a);
    void ResetAlignment() { SetAlign(alLeft); }
    void SetAlignCell(int c, int r, TMyAlign a);
    void SetAlignCol(int c, TMyAlign a);
    void SetFixAlignCol(int c, TMyAlign a);
    void SetAlignRow(int r, TMyAlign a);
    void SetFixAlignRow(int r, TMyAlign a);
    TMyAlign GetAlignCol(int c) const;
    TMyAlign GetFixAlignCol(int c) const;
    TMyAlign GetAlignRow(int r) const;
    TMyAlign GetFixAlignRow(int r) const;
    void ResetAlignCell(int c, int r);
    void ResetAlignCol(int c);
    void ResetAlignFixedCol(int c);
    void ResetAlignRow(int r);
    void ResetAlignFixedRow(int r);

    // ---- edit permission ----
    void SetEditCell(int c, int r, bool b);
    void SetEditCol(int c, bool b);
    void SetEditRow(int r, bool b);
    bool GetEditCol(int c) const;
    bool GetEditRow(int r) const;
    void ResetEditCell(int c, int r);
    void ResetEditCol(int c);
    void ResetEditRow(int r);

    // ---- fonts: Get makes the place's own font on first use ----
    void SetFontCell(int c, int r, const TFont& f);
    void SetFontCol(int c, const TFont& f);
    void SetFontFixedCol(int c, const TFont& f);
    void SetFontRow(int r, const TFont& f);
    void SetFontFixedRow(int r, const TFont& f);
    TMyFont& GetFontCell(int c, int r);
    TMyFont& GetFontCol(int c);
    TMyFont& GetFontFixedCol(int c);
    TMyFont& GetFontRow(int r);
    TMyFont& GetFontFixedRow(int r);
    void ResetFontCell(int c, int r);
    void ResetFontCol(int c);
    void ResetFontFixedCol(int c);
    void ResetFontRow(int r);
    void ResetFontFixedRow(int r);

    // ---- brushes: Get makes the place's own brush on first use ----
    void SetBrushCell(int c, int r, const TBrush& b);
    void SetBrushCol(int c, const TBrush& b);
    void SetBrushFixedCol(int c, const TBrush& b);
    void SetBrushRow(int r, const TBrush& b);
    void SetBrushFixedRow(int r, const TBrush& b);
    TMyBrush& GetBrushCell(int c, int r);
    TMyBrush& GetBrushCol(int c);
    TMyBrush& GetBrushFixedCol(int c);
    TMyBrush& GetBrushRow(int r);
    TMyBrush& GetBrushFixedRow(int r);
    void ResetBrushCell(int c, int r);
    void ResetBrushCol(int c);
    void ResetBrushFixedCol(int c);
    void ResetBrushRow(int r);
    void ResetBrushFixedRow(int r);

    // ---- background colours, kept in the brushes ----
    void SetColorCell(int c, int r, TColor color) { GetBrushCell(c, r).SetColor(color); }
    void SetColorCol(int c, TColor color) { GetBrushCol(c).SetColor(color); }
    void SetFixColorCol(int c, TColor color) { GetBrushFixedCol(c).SetColor(color); }
    void SetColorRow(int r, TColor color) { GetBrushRow(r).SetColor(color); }
    void SetFixColorRow(int r, TColor color) { GetBrushFixedRow(r).SetColor(color); }
    TColor GetColorCol(int c) const;
    TColor GetFixColorCol(int c) const;
    TColor GetColorRow(int r) const;
    TColor GetFixColorRow(int r) const;
    void ResetColorCell(int c, int r) { ResetBrushCell(c, r); }
    void ResetColorCol(int c) { ResetBrushCol(c); }
    void ResetColorFixedCol(int c) { ResetBrushFixedCol(c); }
    void ResetColorRow(int r) { ResetBrushRow(r); }
    void ResetColorFixedRow(int r) { ResetBrushFixedRow(r); }

    // ---- colours of selected cells ----
    void SetSelColorCell(int c, int r, TColor color);
    void SetSelColorCol(int c, TColor color);
    void SetSelColorRow(int r, TColor color);
    TColor GetSelColorCol(int c) const;
    TColor GetSelColorRow(int r) const;
    void ResetSelectedColorCell(int c, int r);
    void ResetSelectedColorCol(int c);
    void ResetSelectedColorRow(int r);
    void SetSelFontColorCell(int c, int r, TColor color);
    void SetSelFontColorCol(int c, TColor color);
    void SetSelFontColorRow(int r, TColor color);
    TColor GetSelFontColorCol(int c) const;
    TColor GetSelFontColorRow(int r) const;
    void ResetSelectedFontColorCell(int c, int r);
    void ResetSelectedFontColorCol(int c);
    void ResetSelectedFontColorRow(int r);

    // ---- hints ----
    void SetHintCell(int c, int r, const std::string& text);

    // ---- all attributes of one place (hints stay) ----
    void ResetAllCell(int c, int r);
    void ResetAllCol(int c);
    void ResetAllRow(int r);
    void ResetAllFixedCol(int c);
    void ResetAllFixedRow(int r);

    // ---- grid colours ----
    void SetFixedColor(TColor color);
    void SetSelCellColor(TColor color);
    void SetSelFontColor(TColor color);
    const TMyBrush& FixedCellBrush() const { return fixedBrush_; }

    // ---- shape: the stores follow the texts ----
    void RemoveCol(int col);
    void RemoveRow(int row);
    void InsertCol(int col);
    void InsertRow(int row);
    void ExchangeCol(int c1, int c2);
    void ExchangeRow(int r1, int r2);
    void MoveColumn(int from, int to) override { ColumnMoved(from, to); }
    void MoveRow(int from, int to) override { RowMoved(from, to); }

    // ---- size from the texts ----
    void CalcTextSize(int col, int row, int& width, int& height) const;
    int textwidth(int col, int row) const;
    int textheight(int col, int row) const;
    void AdjustColWidth(int col);
    void AdjustRowHeight(int row);
    void AdjustColWidths();
    void AdjustRowHeights();

    // ---- sorting ----
    void SortColumn(int col, bool ascending);
    void SortRow(int row, bool ascending);
    t_relation CompareColString(TObject* sender, int col, int row1, int row2) const;
    t_relation CompareRowString(TObject* sender, int row, int col1, int col2) const;
    t_relation CompareColInteger(TObject* sender, int col, int row1, int row2) const;
    t_relation CompareRowInteger(TObject* sender, int row, int col1, int col2) const;

    // ---- editing ----
    void ShowEdit();
    void HideEdit(bool cancel);
    bool Editing() const { return editing_; }
    void NextCell(T_nextcell kind, t_lastcell last, int& col, int& row);
    void NextEditableCell(int& col, int& row);
    void ClearSelection() { Selection = TGridRect{-1, -1, -1, -1}; }
    // The grid's editing messages (see the mcn_edit_ numbers).
    void HandleMessage(unsigned msg, intptr_t wParam, intptr_t lParam);

    // ---- hints ----
    void ShowHintCell(std::string& hintStr, bool& canShow, THintInfo& hintInfo);
    int HintCol() const { return hintCol_; }
    int HintRow() const { return hintRow_; }

    // ---- form resources and exports ----
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    std::shared_ptr<TMemoryStream> Contents2HTML(std::shared_ptr<TMemoryStream> stream = nullptr) const;
    std::shared_ptr<TMemoryStream> Contents2CSV(std::shared_ptr<TMemoryStream> stream, char separator, TGridRect rect) const;
    void CSV2Contents(TMemoryStream* stream, char separator, TGridRect rect);
    void SaveToFile(const std::string& name) const;
    void LoadFromFile(const std::string& name);
    void Contents2CSVClipboard(char separator, TGridRect rect) const;
    void ClipboardCSV2Contents(char separator, TGridRect rect);
    void CopyToClipboard() const;
    void CopyFromClipboard();

    // The whole grid in export and import.
    static TGridRect WholeGrid() { return TGridRect{-1, -1, -1, -1}; }

    // Dynamic methods.
    void KeyDown(unsigned short& key, TShiftState shift) override;
    void WMChar(char32_t key) override;
    void DoEnter() override;
    void DoExit() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void ColumnMoved(int from, int to);
    void RowMoved(int from, int to);

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    bool CanEditShow() override;
    std::unique_ptr<TInplaceEdit> CreateEditor() override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;

private:
    friend class AligridStreaming;
    friend class TNewInplaceEdit;

    void FontChanged(TObject*) { Invalidate(); }
    void BrushChanged(TObject*) { Invalidate(); }
    std::unique_ptr<TMyFont> NewFont(const TFont& from, bool changed);
    std::unique_ptr<TMyBrush> NewBrush(const TBrush& from, bool changed);
    TMyFont& FontAt(SparseList<std::unique_ptr<TMyFont>>& list, int i);
    TMyBrush& BrushAt(SparseList<std::unique_ptr<TMyBrush>>& list, int i);
    void DoSort(int colrow, int from, int to, bool byColumn, bool ascending);
    void FireCellEvent(const TCellEvent& event, int col, int row);
    void PostToSelf(unsigned msg, int col, int row);
    void AutoMoveAfterReturn(int col, int row);
    void WalkTab(TShiftState shift);
    // One step of NextCell; tells which line it inserted, if any.
    struct Inserted {
        int col = -1, row = -1;
    };
    Inserted StepCell(T_nextcell kind, t_lastcell last, int& col, int& row);
    // Repeats StepCell until accept takes a cell, the walk is back at its start or has ended.
    // A walk that finds no cell ends at (-1, -1) and takes back the lines it inserted.
    void Walk(T_nextcell kind, t_lastcell last, int& col, int& row, const std::function<bool(int, int)>& accept);
    class TNewInplaceEdit* Editor() const;
    HWND MessageWindow();
    std::vector<std::string> CellLines(int col, int row) const;
    template <typename F>
    void ForEachStore(F&& f) {
        f(align_); f(edit_); f(font_); f(brush_); f(selColor_); f(selFontColor_); f(hint_);
    }

    TMyAlign alignment_ = alLeft;
    PlaceStores<TMyAlign> align_;
    PlaceStores<bool> edit_;
    PlaceStores<std::unique_ptr<TMyFont>> font_;
    PlaceStores<std::unique_ptr<TMyBrush>> brush_;
    PlaceStores<TColor> selColor_;
    PlaceStores<TColor> selFontColor_;
    PlaceStores<std::string> hint_;
    bool cellTextStored_ = false;
    std::unique_ptr<SparseCells<std::string>> loadedTexts_;
    TMyBrush fixedBrush_;
    int hintCol_ = -1, hintRow_ = -1;

    // Editing state.
    bool editing_ = false;
    bool reopen_ = false;
    int savedSelStart_ = 0, savedSelLength_ = 0;
    std::function<void(std::string&, bool&, THintInfo&)> hintHandler_;
    HWND messageWindow_ = 0;
};
