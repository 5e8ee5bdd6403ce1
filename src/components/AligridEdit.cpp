// Editing in the display grid: the in-place editor, its messages, the walks of Enter and Tab,
// and the cell hints.
#include <map>
#include <memory>

#include "components/Aligrid.h"
#include "components/AligridHints.h"
#include "platform/Window.h"

// ---- utility windows ----

namespace {

class UtilWindow : public TWindowProc {
public:
    explicit UtilWindow(TUtilWindowHandler handler) : handler_(std::move(handler)) {}
    void WndProc(TMessage& message) override {
        message.Result = 0;
        handler_(message);
    }

private:
    TUtilWindowHandler handler_;
};

std::map<HWND, std::unique_ptr<UtilWindow>>& UtilWindows() {
    static std::map<HWND, std::unique_ptr<UtilWindow>> windows;
    return windows;
}

}  // namespace

HWND AH_AllocateHWnd(TUtilWindowHandler handler) {
    auto proc = std::make_unique<UtilWindow>(std::move(handler));
    TWindowParams params;
    params.windowClass = "TAHUtilWindow";
    const HWND window = CreateWindowHandle(proc.get(), params);
    if (window) UtilWindows()[window] = std::move(proc);
    return window;
}

void AH_DeallocateHWnd(HWND window) {
    DestroyWindow(window);
    UtilWindows().erase(window);
}

// ---- the in-place editor ----

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid& grid) : TInplaceEdit(grid), alignGrid_(grid) {}

void TNewInplaceEdit::SetAlignment(TMyAlign alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    SelectAll();
}

unsigned TNewInplaceEdit::CreateParamsStyle() const {
    if (alignment_ == alRight) return ES_RIGHT;
    if (alignment_ == alCenter) return ES_CENTER;
    return ES_LEFT;
}

void TNewInplaceEdit::KeyPress(char32_t& key) {
    if (EditCol < 0 || EditRow < 0) {
        key = 0;
        return;
    }
    if (key == VK_RETURN) {
        alignGrid_.PostToSelf(mcn_edit_return, EditCol, EditRow);
    } else if (key == VK_ESCAPE) {
        SetText(SavedText);
        alignGrid_.PostToSelf(mcn_edit_cancel, EditCol, EditRow);
        key = VK_RETURN;
    }
    TInplaceEdit::KeyPress(key);
}

std::unique_ptr<TInplaceEdit> TStringAlignGrid::CreateEditor() { return std::make_unique<TNewInplaceEdit>(*this); }

TNewInplaceEdit* TStringAlignGrid::Editor() const { return dynamic_cast<TNewInplaceEdit*>(InplaceEditor()); }

// ---- messages ----

HWND TStringAlignGrid::MessageWindow() {
    if (!messageWindow_ || !IsWindow(messageWindow_)) {
        messageWindow_ = AH_AllocateHWnd([this](TMessage& m) { HandleMessage(m.Msg, m.WParam, m.LParam); });
    }
    return messageWindow_;
}

void TStringAlignGrid::PostToSelf(unsigned msg, int col, int row) { PostMessage(MessageWindow(), msg, col, row); }

void TStringAlignGrid::FireCellEvent(const TCellEvent& event, int col, int row) {
    if (event && col >= 0 && row >= 0) event(this, col, row);
}

void TStringAlignGrid::HandleMessage(unsigned msg, intptr_t wParam, intptr_t lParam) {
    const int col = static_cast<int>(wParam), row = static_cast<int>(lParam);
    switch (msg) {
    case mcn_edit_cancel:
        editing_ = false;
        FireCellEvent(OnCancelEdit, col, row);
        break;
    case mcn_edit_return:
        editing_ = false;
        FireCellEvent(OnAfterEdit, col, row);
        AutoMoveAfterReturn(col, row);
        break;
    case mcn_edit_exit:
        editing_ = false;
        FireCellEvent(OnAfterEdit, col, row);
        break;
    case mcn_edit_show:
        FireCellEvent(OnBeforeEdit, col, row);
        editing_ = true;
        break;
    case mcn_edit_show_it:
        ShowEditor();
        if (TNewInplaceEdit* editor = Editor()) {
            editor->SetSelStart(savedSelStart_);
            editor->SetSelLength(savedSelLength_);
        }
        break;
    default: break;
    }
}

void TStringAlignGrid::AutoMoveAfterReturn(int col, int row) {
    if (!AutoEditNextCell || col < 0 || row < 0) return;
    int c = Col(), r = Row();
    NextEditableCell(c, r);
    if (c < 0 || r < 0) return;
    if (TNewInplaceEdit* editor = Editor()) editor->EditCol = editor->EditRow = -1;
    FocusCell(c, r);
    ShowEdit();
}

// ---- opening and closing the editor ----

bool TStringAlignGrid::CanEditShow() {
    bool result = TStringGrid::CanEditShow();
    TNewInplaceEdit* editor = Editor();
    if (!editor) return result;
    if (editor->EditCol != Col() || editor->EditRow != Row()) {
        if (editor->EditCol >= 0 && editor->EditRow >= 0) PostToSelf(mcn_edit_exit, editor->EditCol, editor->EditRow);
        editor->Started = false;
    }
    result = result && GetEditCell(Col(), Row());
    if (!result) {
        editor->EditCol = editor->EditRow = -1;
        SetEditorMode(false);
        return false;
    }
    editor->SetAlignment(GetAlignCell(Col(), Row()));
    editor->Font = GetFontCellComplete(Col(), Row());
    editor->Color = GetColorCell(Col(), Row());
    editor->EditCol = Col();
    editor->EditRow = Row();
    if (!editor->Started) {
        SendMessage(MessageWindow(), mcn_edit_show, Col(), Row());
        editor->Started = true;
        editor->SavedText = Cells(Col(), Row());
    }
    return true;
}

void TStringAlignGrid::ShowEdit() {
    ShowEditor();
    editing_ = true;
}

void TStringAlignGrid::HideEdit(bool cancel) {
    editing_ = false;
    if (!EditorShowing()) return;
    if (cancel) {
        InplaceEditor()->WMChar(VK_ESCAPE);
        return;
    }
    TStringGrid::HideEdit();
    HandleMessage(mcn_edit_exit, Col(), Row());
}

void TStringAlignGrid::DoExit() {
    if (EditorShowing()) {
        reopen_ = true;
        savedSelStart_ = InplaceEditor()->SelStart();
        savedSelLength_ = InplaceEditor()->SelLength();
        HideEdit(false);
    }
    if (editing_) {
        SetFocus();  // a handler opened editing again: the grid keeps the focus
        return;
    }
    TStringGrid::DoExit();
    SetEditorMode(false);
}

void TStringAlignGrid::DoEnter() {
    TStringGrid::DoEnter();
    if (reopen_ && (Options & goAlwaysShowEditor)) PostToSelf(mcn_edit_show_it, Col(), Row());
}

// ---- keys ----

void TStringAlignGrid::WMChar(char32_t key) {
    if ((Options & goEditing) && (key == VK_BACK || key >= 32)) {
        ShowEditorChar(key);
        if (!EditorMode()) KeyPress(key);
        return;
    }
    TStringGrid::WMChar(key);
}

void TStringAlignGrid::KeyDown(unsigned short& key, TShiftState shift) {
    if (key == VK_TAB && (Options & goTabs)) {
        WalkTab(shift);
        key = 0;
    }
    TStringGrid::KeyDown(key, shift);
}

namespace {
T_nextcell Opposite(T_nextcell kind) {
    switch (kind) {
    case nc_rightdown: return nc_leftup;
    case nc_leftup: return nc_rightdown;
    case nc_downright: return nc_upleft;
    case nc_upleft: return nc_downright;
    case nc_leftdown: return nc_rightup;
    case nc_rightup: return nc_leftdown;
    case nc_downleft: return nc_upright;
    case nc_upright: return nc_downleft;
    }
    return kind;
}
}  // namespace

void TStringAlignGrid::WalkTab(TShiftState shift) {
    const T_nextcell kind = (shift & ssShift) ? Opposite(NextCellTab) : NextCellTab;
    int c = Col(), r = Row();
    Walk(kind, AfterLastCellTab, c, r, [this](int col, int) { return TabStops(col); });
    if (c < 0 || r < 0) return;  // nothing reachable: the cell stays
    FocusCell(c, r);
}

// ---- walks ----

void TStringAlignGrid::NextEditableCell(int& col, int& row) {
    Walk(NextCellEdit, AfterLastCellEdit, col, row, [this](int c, int r) { return GetEditCell(c, r); });
}

void TStringAlignGrid::NextCell(T_nextcell kind, t_lastcell last, int& col, int& row) { StepCell(kind, last, col, row); }

void TStringAlignGrid::Walk(T_nextcell kind, t_lastcell last, int& col, int& row,
                            const std::function<bool(int, int)>& accept) {
    const int startCol = col, startRow = row;
    // Each cell of the grid and of one inserted line once, and a little more: a walk that goes
    // on beyond that can find nothing and would otherwise append lines for ever.
    const long long limit = static_cast<long long>(ColCount() + 1) * (RowCount() + 1) + 4;
    std::vector<Inserted> inserted;
    for (long long step = 0;; ++step) {
        const Inserted line = StepCell(kind, last, col, row);
        if (line.col >= 0 || line.row >= 0) inserted.push_back(line);
        if (col == -1 && row == -1) break;
        if (col == startCol && row == startRow) return;
        if (inserted.size() <= 1 && step < limit && accept(col, row)) return;
        if (inserted.size() > 1 || step >= limit) {
            col = row = -1;
            break;
        }
    }
    // Nothing found: the lines the walk inserted go again, latest first.
    for (auto it = inserted.rbegin(); it != inserted.rend(); ++it) {
        if (it->row >= 0) RemoveRow(it->row);
        else RemoveCol(it->col);
    }
}

TStringAlignGrid::Inserted TStringAlignGrid::StepCell(T_nextcell kind, t_lastcell last, int& col, int& row) {
    const int FC = FixedCols(), FR = FixedRows(), CC = ColCount(), RC = RowCount();
    bool end = false;
    switch (kind) {
    case nc_rightdown: if (++col >= CC) { col = FC; ++row; } end = row >= RC; break;
    case nc_downright: if (++row >= RC) { row = FR; ++col; } end = col >= CC; break;
    case nc_leftdown: if (--col < FC) { col = CC - 1; ++row; } end = row >= RC; break;
    case nc_downleft: if (++row >= RC) { row = FR; --col; } end = col < FC; break;
    case nc_leftup: if (--col < FC) { col = CC - 1; --row; } end = row < FR; break;
    case nc_upleft: if (--row < FR) { row = RC - 1; --col; } end = col < FC; break;
    case nc_rightup: if (++col >= CC) { col = FC; --row; } end = row < FR; break;
    case nc_upright: if (--row < FR) { row = RC - 1; ++col; } end = col >= CC; break;
    }
    if (!end) return {};
    col = row = -1;
    if (last == lc_stop) return {};
    const bool up = kind == nc_leftup || kind == nc_upleft || kind == nc_rightup || kind == nc_upright;
    const bool leftwards = kind == nc_leftdown || kind == nc_downleft || kind == nc_leftup || kind == nc_upleft;
    if (last == lc_first) {
        col = leftwards ? CC - 1 : FC;
        row = up ? RC - 1 : FR;
        return {};
    }
    switch (kind) {
    case nc_rightdown: InsertRow(RC); col = FC; row = RowCount() - 1; return {-1, row};
    case nc_leftdown: InsertRow(RC); col = ColCount() - 1; row = RowCount() - 1; return {-1, row};
    case nc_leftup: InsertRow(FR); col = ColCount() - 1; row = FR; return {-1, FR};
    case nc_rightup: InsertRow(FR); col = FC; row = FR; return {-1, FR};
    case nc_downright: InsertCol(CC); col = ColCount() - 1; row = FR; return {col, -1};
    case nc_upright: InsertCol(CC); col = ColCount() - 1; row = RowCount() - 1; return {col, -1};
    case nc_downleft: InsertCol(FC); col = FC; row = FR; return {FC, -1};
    case nc_upleft: InsertCol(FC); col = FC; row = RowCount() - 1; return {FC, -1};
    }
    return {};
}

// ---- hints ----

void TStringAlignGrid::ShowHintCell(std::string& hintStr, bool& /*canShow*/, THintInfo& hintInfo) {
    if (hintInfo.HintControl != this || !ShowCellHints) return;
    int c = -1, r = -1;
    MouseToCell(hintInfo.CursorPos.x - Left, hintInfo.CursorPos.y - Top, c, r);
    hintCol_ = c;
    hintRow_ = r;
    const TRect cell = CellRect(c, r);
    hintInfo.HintPos = TPoint{Left + cell.left, Top + cell.bottom + 6};
    hintStr = GetHintCell(c, r);
}

void TStringAlignGrid::MouseMove(TShiftState shift, int x, int y) {
    if (hintCol_ >= 0 || hintRow_ >= 0) {
        int c = -1, r = -1;
        MouseToCell(x, y, c, r);
        if (c != hintCol_ || r != hintRow_) {
            Application().CancelHint();
            hintCol_ = hintRow_ = -1;
        }
    }
    TStringGrid::MouseMove(shift, x, y);
}
