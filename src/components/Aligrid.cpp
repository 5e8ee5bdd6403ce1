#include "components/Aligrid.h"

#include "components/AligridHints.h"

// ---- fonts and brushes of single places ----

void TMyFont::Changed() {
    changed_ = true;
    if (OnChange) OnChange(nullptr);
}

void TMyFont::SetSize(int points) {
    TFont sized = font_;
    sized.SetSize(points);
    SetHeight(sized.Height);
}

void TMyFont::Assign(const TFont& font) {
    if (font_ == font) return;
    font_ = font;
    Changed();
}

void TMyFont::Assign(const TMyFont& font) {
    const bool differs = !(font_ == font.font_) || pitch_ != font.pitch_;
    font_ = font.font_;
    pitch_ = font.pitch_;
    if (differs) Changed();
}

void TMyBrush::Changed() {
    changed_ = true;
    if (OnChange) OnChange(nullptr);
}

void TMyBrush::SetColor(TColor color) {
    if (brush_.Color == color) return;
    brush_.Color = color;
    Changed();
}

void TMyBrush::SetStyle(TBrushStyle style) {
    if (brush_.Style == style) return;
    brush_.Style = style;
    Changed();
}

void TMyBrush::Assign(const TBrush& brush) {
    if (brush_.Color == brush.Color && brush_.Style == brush.Style) return;
    brush_ = brush;
    Changed();
}

namespace {

// The first store that holds a value wins; fixed cells consult the fixed stores where the
// attribute has them, never the plain column and row stores.
template <typename V>
const V* Lookup(const PlaceStores<V>& s, int c, int r, bool fixed) {
    if (const V* v = s.cell.Read(c, r)) return v;
    if (const V* v = (fixed ? s.fixedCol : s.col).Read(c)) return v;
    return (fixed ? s.fixedRow : s.row).Read(r);
}

}  // namespace

// ---- construction ----

TStringAlignGrid::TStringAlignGrid() {
    Color = clWindow;
    fixedBrush_.Assign(TBrush{FixedColor(), TBrushStyle::bsSolid});
    fixedBrush_.SetChangedFlag(false);
    fixedBrush_.OnChange = [this](TObject* s) { BrushChanged(s); };
    OnCompareCol = [this](TObject* s, int col, int r1, int r2) { return CompareColString(s, col, r1, r2); };
    OnCompareRow = [this](TObject* s, int row, int c1, int c2) { return CompareRowString(s, row, c1, c2); };
    hintHandler_ = [this](std::string& hintStr, bool& canShow, THintInfo& info) { ShowHintCell(hintStr, canShow, info); };
    AddShowHintProc(this, hintHandler_);
}

TStringAlignGrid::~TStringAlignGrid() {
    RemoveShowHintProc(this);
    if (messageWindow_) AH_DeallocateHWnd(messageWindow_);
}

// ---- effective values ----

TMyAlign TStringAlignGrid::GetAlignCell(int c, int r) const {
    const TMyAlign* a = Lookup(align_, c, r, is_fixed(c, r));
    return a ? *a : alignment_;
}

const TMyFont* TStringAlignGrid::GetPlaceFontCellComplete(int c, int r) const {
    const std::unique_ptr<TMyFont>* f = Lookup(font_, c, r, is_fixed(c, r));
    return f ? f->get() : nullptr;
}

const TFont& TStringAlignGrid::GetFontCellComplete(int c, int r) const {
    const TMyFont* f = GetPlaceFontCellComplete(c, r);
    return f ? f->Font() : Font;
}

TBrush TStringAlignGrid::GetBrushCellComplete(int c, int r) const {
    const bool fixed = is_fixed(c, r);
    if (const std::unique_ptr<TMyBrush>* b = Lookup(brush_, c, r, fixed)) return (*b)->Brush();
    return fixed ? fixedBrush_.Brush() : Brush();
}

bool TStringAlignGrid::GetEditCell(int c, int r) const {
    const bool* b = Lookup(edit_, c, r, false);
    return b ? *b : Editable;
}

TColor TStringAlignGrid::GetSelColorCell(int c, int r) const {
    const TColor* v = Lookup(selColor_, c, r, false);
    return v ? *v : SelectedCellColor;
}

TColor TStringAlignGrid::GetSelFontColorCell(int c, int r) const {
    const TColor* v = Lookup(selFontColor_, c, r, false);
    return v ? *v : SelectedFontColor;
}

std::string TStringAlignGrid::GetHintCell(int c, int r) const {
    const std::string* h = hint_.cell.Read(c, r);
    return h ? *h : std::string();
}

// ---- alignment ----

void TStringAlignGrid::SetAlign(TMyAlign a) {
    alignment_ = a;
    Invalidate();
}

void TStringAlignGrid::SetAlignCell(int c, int r, TMyAlign a) {
    align_.cell.Put(c, r, a);
    align_.stored.cell = true;
    Invalidate();
}

#define ALIGRID_LIST_SETTER(Name, Type, stores, list)  \
    void TStringAlignGrid::Name(int i, Type v) {        \
        stores.list.Put(i, v);                          \
        stores.stored.list = true;                      \
        Invalidate();                                   \
    }
ALIGRID_LIST_SETTER(SetAlignCol, TMyAlign, align_, col)
ALIGRID_LIST_SETTER(SetFixAlignCol, TMyAlign, align_, fixedCol)
ALIGRID_LIST_SETTER(SetAlignRow, TMyAlign, align_, row)
ALIGRID_LIST_SETTER(SetFixAlignRow, TMyAlign, align_, fixedRow)
ALIGRID_LIST_SETTER(SetEditCol, bool, edit_, col)
ALIGRID_LIST_SETTER(SetEditRow, bool, edit_, row)
ALIGRID_LIST_SETTER(SetSelColorCol, TColor, selColor_, col)
ALIGRID_LIST_SETTER(SetSelColorRow, TColor, selColor_, row)
ALIGRID_LIST_SETTER(SetSelFontColorCol, TColor, selFontColor_, col)
ALIGRID_LIST_SETTER(SetSelFontColorRow, TColor, selFontColor_, row)
#undef ALIGRID_LIST_SETTER

#define ALIGRID_LIST_GETTER(Name, Type, stores, list, fallback) \
    Type TStringAlignGrid::Name(int i) const {                  \
        const Type* v = stores.list.Read(i);                    \
        return v ? *v : (fallback);                             \
    }
ALIGRID_LIST_GETTER(GetAlignCol, TMyAlign, align_, col, alignment_)
ALIGRID_LIST_GETTER(GetFixAlignCol, TMyAlign, align_, fixedCol, alignment_)
ALIGRID_LIST_GETTER(GetAlignRow, TMyAlign, align_, row, alignment_)
ALIGRID_LIST_GETTER(GetFixAlignRow, TMyAlign, align_, fixedRow, alignment_)
ALIGRID_LIST_GETTER(GetEditCol, bool, edit_, col, true)
ALIGRID_LIST_GETTER(GetEditRow, bool, edit_, row, true)
ALIGRID_LIST_GETTER(GetSelColorCol, TColor, selColor_, col, Color)
ALIGRID_LIST_GETTER(GetSelColorRow, TColor, selColor_, row, Color)
ALIGRID_LIST_GETTER(GetSelFontColorCol, TColor, selFontColor_, col, Color)
ALIGRID_LIST_GETTER(GetSelFontColorRow, TColor, selFontColor_, row, Color)
#undef ALIGRID_LIST_GETTER

#define ALIGRID_LIST_RESET(Name, stores, list) \
    void TStringAlignGrid::Name(int i) {       \
        stores.list.Put(i, std::nullopt);      \
        Invalidate();                          \
    }
ALIGRID_LIST_RESET(ResetAlignCol, align_, col)
ALIGRID_LIST_RESET(ResetAlignFixedCol, align_, fixedCol)
ALIGRID_LIST_RESET(ResetAlignRow, align_, row)
ALIGRID_LIST_RESET(ResetAlignFixedRow, align_, fixedRow)
ALIGRID_LIST_RESET(ResetEditCol, edit_, col)
ALIGRID_LIST_RESET(ResetEditRow, edit_, row)
ALIGRID_LIST_RESET(ResetFontCol, font_, col)
ALIGRID_LIST_RESET(ResetFontFixedCol, font_, fixedCol)
ALIGRID_LIST_RESET(ResetFontRow, font_, row)
ALIGRID_LIST_RESET(ResetFontFixedRow, font_, fixedRow)
ALIGRID_LIST_RESET(ResetBrushCol, brush_, col)
ALIGRID_LIST_RESET(ResetBrushFixedCol, brush_, fixedCol)
ALIGRID_LIST_RESET(ResetBrushRow, brush_, row)
ALIGRID_LIST_RESET(ResetBrushFixedRow, brush_, fixedRow)
ALIGRID_LIST_RESET(ResetSelectedColorCol, selColor_, col)
ALIGRID_LIST_RESET(ResetSelectedColorRow, selColor_, row)
ALIGRID_LIST_RESET(ResetSelectedFontColorCol, selFontColor_, col)
ALIGRID_LIST_RESET(ResetSelectedFontColorRow, selFontColor_, row)
#undef ALIGRID_LIST_RESET

#define ALIGRID_CELL_RESET(Name, stores)      \
    void TStringAlignGrid::Name(int c, int r) { \
        stores.cell.Put(c, r, std::nullopt);  \
        Invalidate();                         \
    }
ALIGRID_CELL_RESET(ResetAlignCell, align_)
ALIGRID_CELL_RESET(ResetEditCell, edit_)
ALIGRID_CELL_RESET(ResetFontCell, font_)
ALIGRID_CELL_RESET(ResetBrushCell, brush_)
ALIGRID_CELL_RESET(ResetSelectedColorCell, selColor_)
ALIGRID_CELL_RESET(ResetSelectedFontColorCell, selFontColor_)
#undef ALIGRID_CELL_RESET

// ---- edit permission and colours of selected cells ----

void TStringAlignGrid::SetEditCell(int c, int r, bool b) {
    edit_.cell.Put(c, r, b);
    edit_.stored.cell = true;
    Invalidate();
}

void TStringAlignGrid::SetSelColorCell(int c, int r, TColor color) {
    selColor_.cell.Put(c, r, color);
    selColor_.stored.cell = true;
    Invalidate();
}

void TStringAlignGrid::SetSelFontColorCell(int c, int r, TColor color) {
    selFontColor_.cell.Put(c, r, color);
    selFontColor_.stored.cell = true;
    Invalidate();
}

// ---- fonts and brushes ----

std::unique_ptr<TMyFont> TStringAlignGrid::NewFont(const TFont& from, bool changed) {
    auto font = std::make_unique<TMyFont>();
    font->Assign(from);
    if (changed) font->SetChangedFlag(true);
    font->OnChange = [this](TObject* s) { FontChanged(s); };
    return font;
}

std::unique_ptr<TMyBrush> TStringAlignGrid::NewBrush(const TBrush& from, bool changed) {
    auto brush = std::make_unique<TMyBrush>();
    brush->Assign(from);
    if (changed) brush->SetChangedFlag(true);
    brush->OnChange = [this](TObject* s) { BrushChanged(s); };
    return brush;
}

TMyFont& TStringAlignGrid::FontAt(SparseList<std::unique_ptr<TMyFont>>& list, int i) {
    SparseList<std::unique_ptr<TMyFont>>::CheckIndex(i);
    if (std::unique_ptr<TMyFont>* f = list.Read(i)) return **f;
    list.Put(i, NewFont(Font, false));
    return **list.Read(i);
}

TMyBrush& TStringAlignGrid::BrushAt(SparseList<std::unique_ptr<TMyBrush>>& list, int i) {
    SparseList<std::unique_ptr<TMyBrush>>::CheckIndex(i);
    if (std::unique_ptr<TMyBrush>* b = list.Read(i)) return **b;
    list.Put(i, NewBrush(Brush(), false));
    return **list.Read(i);
}

TMyFont& TStringAlignGrid::GetFontCell(int c, int r) {
    SparseList<int>::CheckIndex(c);
    SparseList<int>::CheckIndex(r);
    if (std::unique_ptr<TMyFont>* f = font_.cell.Read(c, r)) return **f;
    font_.cell.Put(c, r, NewFont(Font, false));
    return **font_.cell.Read(c, r);
}

TMyBrush& TStringAlignGrid::GetBrushCell(int c, int r) {
    SparseList<int>::CheckIndex(c);
    SparseList<int>::CheckIndex(r);
    if (std::unique_ptr<TMyBrush>* b = brush_.cell.Read(c, r)) return **b;
    brush_.cell.Put(c, r, NewBrush(Brush(), false));
    return **brush_.cell.Read(c, r);
}

TMyFont& TStringAlignGrid::GetFontCol(int c) { return FontAt(font_.col, c); }
TMyFont& TStringAlignGrid::GetFontFixedCol(int c) { return FontAt(font_.fixedCol, c); }
TMyFont& TStringAlignGrid::GetFontRow(int r) { return FontAt(font_.row, r); }
TMyFont& TStringAlignGrid::GetFontFixedRow(int r) { return FontAt(font_.fixedRow, r); }
TMyBrush& TStringAlignGrid::GetBrushCol(int c) { return BrushAt(brush_.col, c); }
TMyBrush& TStringAlignGrid::GetBrushFixedCol(int c) { return BrushAt(brush_.fixedCol, c); }
TMyBrush& TStringAlignGrid::GetBrushRow(int r) { return BrushAt(brush_.row, r); }
TMyBrush& TStringAlignGrid::GetBrushFixedRow(int r) { return BrushAt(brush_.fixedRow, r); }

void TStringAlignGrid::SetFontCell(int c, int r, const TFont& f) {
    SparseList<int>::CheckIndex(c);
    SparseList<int>::CheckIndex(r);
    font_.cell.Put(c, r, NewFont(f, true));
    Invalidate();
}

void TStringAlignGrid::SetBrushCell(int c, int r, const TBrush& b) {
    SparseList<int>::CheckIndex(c);
    SparseList<int>::CheckIndex(r);
    brush_.cell.Put(c, r, NewBrush(b, true));
    Invalidate();
}

#define ALIGRID_OBJECT_SETTER(Name, Type, stores, list, Make) \
    void TStringAlignGrid::Name(int i, const Type& v) {       \
        SparseList<int>::CheckIndex(i);                       \
        stores.list.Put(i, Make(v, true));                    \
        Invalidate();                                         \
    }
ALIGRID_OBJECT_SETTER(SetFontCol, TFont, font_, col, NewFont)
ALIGRID_OBJECT_SETTER(SetFontFixedCol, TFont, font_, fixedCol, NewFont)
ALIGRID_OBJECT_SETTER(SetFontRow, TFont, font_, row, NewFont)
ALIGRID_OBJECT_SETTER(SetFontFixedRow, TFont, font_, fixedRow, NewFont)
ALIGRID_OBJECT_SETTER(SetBrushCol, TBrush, brush_, col, NewBrush)
ALIGRID_OBJECT_SETTER(SetBrushFixedCol, TBrush, brush_, fixedCol, NewBrush)
ALIGRID_OBJECT_SETTER(SetBrushRow, TBrush, brush_, row, NewBrush)
ALIGRID_OBJECT_SETTER(SetBrushFixedRow, TBrush, brush_, fixedRow, NewBrush)
#undef ALIGRID_OBJECT_SETTER

namespace {
TColor BrushColorOr(const SparseList<std::unique_ptr<TMyBrush>>& list, int i, TColor fallback) {
    const std::unique_ptr<TMyBrush>* b = list.Read(i);
    return b ? (*b)->Color() : fallback;
}
}  // namespace

TColor TStringAlignGrid::GetColorCol(int c) const { return BrushColorOr(brush_.col, c, Color); }
TColor TStringAlignGrid::GetFixColorCol(int c) const { return BrushColorOr(brush_.fixedCol, c, Color); }
TColor TStringAlignGrid::GetColorRow(int r) const { return BrushColorOr(brush_.row, r, Color); }
TColor TStringAlignGrid::GetFixColorRow(int r) const { return BrushColorOr(brush_.fixedRow, r, Color); }

// ---- hints ----

void TStringAlignGrid::SetHintCell(int c, int r, const std::string& text) {
    hint_.cell.Put(c, r, text);
    hint_.stored.cell = true;
}

// ---- all of one place ----

void TStringAlignGrid::ResetAllCell(int c, int r) {
    ResetAlignCell(c, r);
    ResetEditCell(c, r);
    ResetFontCell(c, r);
    ResetBrushCell(c, r);
    ResetSelectedColorCell(c, r);
    ResetSelectedFontColorCell(c, r);
}

void TStringAlignGrid::ResetAllCol(int c) {
    ResetAlignCol(c);
    ResetEditCol(c);
    ResetFontCol(c);
    ResetBrushCol(c);
    ResetSelectedColorCol(c);
    ResetSelectedFontColorCol(c);
}

void TStringAlignGrid::ResetAllRow(int r) {
    ResetAlignRow(r);
    ResetEditRow(r);
    ResetFontRow(r);
    ResetBrushRow(r);
    ResetSelectedColorRow(r);
    ResetSelectedFontColorRow(r);
}

void TStringAlignGrid::ResetAllFixedCol(int c) {
    ResetAlignFixedCol(c);
    ResetFontFixedCol(c);
    ResetBrushFixedCol(c);
}

void TStringAlignGrid::ResetAllFixedRow(int r) {
    ResetAlignFixedRow(r);
    ResetFontFixedRow(r);
    ResetBrushFixedRow(r);
}

// ---- grid colours ----

void TStringAlignGrid::SetFixedColor(TColor color) {
    TStringGrid::SetFixedColor(color);
    fixedBrush_.SetColor(color);
}

void TStringAlignGrid::SetSelCellColor(TColor color) {
    SelectedCellColor = color;
    Invalidate();
}

void TStringAlignGrid::SetSelFontColor(TColor color) {
    SelectedFontColor = color;
    Invalidate();
}
