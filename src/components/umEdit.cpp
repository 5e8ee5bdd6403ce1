#include "components/umEdit.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "platform/Font.h"
#include "platform/Utf8.h"

// ---- number texts ----

std::string DecToHex(int i) {
    static const char* digits = "0123456789ABCDEF";
    const uint32_t bits = static_cast<uint32_t>(i);
    std::string text;
    for (int shift = 28; shift >= 0; shift -= 4) text += digits[(bits >> shift) & 15];
    return text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
}

std::string DecToBin(int i) {
    const uint32_t bits = static_cast<uint32_t>(i);
    std::string text;
    for (int shift = 31; shift >= 0; --shift) text += ((bits >> shift) & 1) ? '1' : '0';
    return text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}
}  // namespace

int HexToDec(const std::string& s) {
    uint32_t sum = 0, power = 1;
    for (auto it = s.rbegin(); it != s.rend(); ++it, power *= 16) sum += static_cast<uint32_t>(HexDigit(*it)) * power;
    return static_cast<int>(sum);
}

int BinToDec(const std::string& s) {
    uint32_t sum = 0, power = 1;
    for (auto it = s.rbegin(); it != s.rend(); ++it, power *= 2)
        if (*it == '1') sum += power;
    return static_cast<int>(sum);
}

// ---- TumEdit ----

namespace {

// The character cell height of the classic system font, which bounds the old-style margins.
constexpr int kSystemFontHeight = 16;
// The sunken edge new-style controls draw round a bordered field.
constexpr int kClientEdge = 2;

TAlignment Mirrored(TAlignment a) {
    if (a == TAlignment::taLeftJustify) return TAlignment::taRightJustify;
    if (a == TAlignment::taRightJustify) return TAlignment::taLeftJustify;
    return a;
}

}  // namespace

TumEdit::TumEdit() : TWinControl(static_cast<TEdit&>(*this)), windowDC_(std::make_unique<TWindowDC>(0)) {}

TumEdit::~TumEdit() {
    windowDC_.reset();
    DestroyHandle();
}

void TumEdit::Loaded() {
    TEdit::Loaded();
    Invalidate();
}

void TumEdit::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

TCanvas& TumEdit::GetCanvas() {
    if (paintCanvas_) return *paintCanvas_;
    const HWND window = HandleAllocated() ? WindowHandle() : 0;
    if (!windowDC_ || windowDCFor_ != window) {
        windowDC_ = std::make_unique<TWindowDC>(window);
        windowDCFor_ = window;
    }
    return windowDC_->Canvas();
}

TRect TumEdit::ClientArea() const {
    const int edge = NewStyleControls() && Ctl3D && BorderSingle ? kClientEdge : 0;
    return Rect(edge, edge, std::max(edge, Width - edge), std::max(edge, Height - edge));
}

TPoint TumEdit::TextMargins() const {
    if (NewStyleControls()) {
        const int y = !BorderSingle ? 0 : (Ctl3D ? 1 : 2);
        return TPoint{LeftMargin + y, y};
    }
    if (!BorderSingle) return TPoint{0, 0};
    const int quarter = std::min(kSystemFontHeight, MeasureText(Font, "Wg").cy) / 4;
    return TPoint{quarter, quarter};
}

TAlignment TumEdit::UsedAlignment() const {
    // While the user types, the text stands where the edit control puts it: at the start.
    const TAlignment used = focused_ ? TAlignment::taLeftJustify : alignment_;
    return UseRightToLeftAlignment() ? Mirrored(used) : used;
}

bool TumEdit::PaintsItself(bool asCopy) const {
    // Decided on the alignment before mirroring: the edit control shows its text at the start
    // of the reading direction, which is the right edge for a right-to-left field, so only a
    // field that asks for the start may leave the painting to it.
    return asCopy || (!focused_ && alignment_ != TAlignment::taLeftJustify);
}

std::string TumEdit::Shown(bool asCopy) const {
    const std::string text = asCopy ? Cased(Text(), CharCase()) : Text();
    if (PasswordChar == 0) return text;
    std::string masked;
    for (size_t i = utf8::Length(text); i > 0; --i) utf8::Append(masked, PasswordChar);
    return masked;
}

void TumEdit::PaintCopy(TCanvas& canvas) { Paint(canvas, true); }

void TumEdit::WMPaint() {
    TPaintDC paint(WindowHandle());
    paintCanvas_ = &paint.Canvas();
    Paint(paint.Canvas(), false);
    paintCanvas_ = nullptr;
}

void TumEdit::Paint(TCanvas& canvas, bool asCopy) {
    PaintBorder(canvas);
    if (PaintsItself(asCopy)) {
        PaintText(canvas, Shown(asCopy), UsedAlignment());
        return;
    }
    // The edit control itself shows its text at the start of the reading direction.
    PaintText(canvas, Shown(false), EditControlAlignment());
    if (focused_) PaintSelection(canvas);
}

void TumEdit::PaintBorder(TCanvas& canvas) const {
    const TRect client = ClientArea();
    if (client.left == 0) return;
    // The sunken edge: outer shadow and highlight, inner dark shadow and light.
    const TRect outer = Rect(0, 0, Width, Height), inner = Rect(1, 1, Width - 1, Height - 1);
    auto edge = [&canvas](const TRect& r, TColor topLeft, TColor bottomRight) {
        canvas.Brush = TBrush{topLeft, TBrushStyle::bsSolid};
        canvas.FillRect(Rect(r.left, r.top, r.right, r.top + 1));
        canvas.FillRect(Rect(r.left, r.top, r.left + 1, r.bottom));
        canvas.Brush.Color = bottomRight;
        canvas.FillRect(Rect(r.left, r.bottom - 1, r.right, r.bottom));
        canvas.FillRect(Rect(r.right - 1, r.top + 1, r.right, r.bottom));
    };
    edge(outer, clBtnShadow, clBtnHighlight);
    edge(inner, cl3DDkShadow, cl3DLight);
}

TumEdit::TextPlace TumEdit::PlaceText(const TCanvas& canvas, const std::string& text, TAlignment alignment) const {
    const TRect client = ClientArea();
    const TPoint margin = TextMargins();
    const int clientWidth = client.Width(), width = canvas.TextWidth(text);
    TextPlace place;
    switch (alignment) {
    case TAlignment::taLeftJustify: place.x = margin.x; break;
    case TAlignment::taRightJustify: place.x = clientWidth - width - margin.x - 1; break;
    case TAlignment::taCenter: place.x = (clientWidth - width) / 2; break;
    }
    place.x += client.left;
    place.y = client.top + margin.y;
    place.clip = DrawsOwnFrame() ? Rect(client.left + 1, client.top + 1, client.right - 1, client.bottom - 1) : client;
    return place;
}

void TumEdit::PaintText(TCanvas& canvas, const std::string& text, TAlignment alignment) {
    canvas.Font = Font;
    const TextPlace place = PlaceText(canvas, text, alignment);
    if (DrawsOwnFrame()) {
        canvas.Brush = TBrush{clWindowFrame, TBrushStyle::bsSolid};
        canvas.FrameRect(ClientArea());
    }
    canvas.Brush = TBrush{Color, TBrushStyle::bsSolid};
    if (!Enabled) canvas.Font.Color = clGrayText;
    canvas.TextRect(place.clip, place.x, place.y, text);
}

void TumEdit::PaintSelection(TCanvas& canvas) {
    // What the edit control adds while it has the focus: the selection, or else the caret.
    canvas.Font = Font;
    const std::string text = Shown(false);
    const TextPlace place = PlaceText(canvas, text, EditControlAlignment());
    const int before = canvas.TextWidth(utf8::Cut(text, SelStart()));
    const int height = canvas.TextHeight(text.empty() ? std::string(" ") : text);
    const std::optional<TRegion> outerClip = canvas.ClipRegion();
    const TRegion clip(place.clip);
    canvas.SetClipRegion(outerClip ? outerClip->Intersection(clip) : clip);
    if (SelLength() == 0) {
        canvas.Brush = TBrush{Font.Color, TBrushStyle::bsSolid};
        canvas.FillRect(Rect(place.x + before, place.y, place.x + before + 1, place.y + height));
    } else {
        const std::string selected = utf8::Sub(text, SelStart() + 1, SelLength());
        const int x = place.x + before;
        canvas.Brush = TBrush{clHighlight, TBrushStyle::bsSolid};
        canvas.FillRect(Rect(x, place.y, x + canvas.TextWidth(selected), place.y + height));
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Font.Color = clHighlightText;
        canvas.TextOut(x, place.y, selected);
    }
    canvas.Brush = TBrush{Color, TBrushStyle::bsSolid};
    if (outerClip) canvas.SetClipRegion(*outerClip);
    else canvas.ClearClipRegion();
}

void TumEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: WMPaint(); return;
    case CM_ENTER: CMEnter(); return;
    case CM_EXIT: CMExit(); return;
    case WM_CHAR: WMChar(static_cast<char32_t>(m.WParam)); return;
    case CM_ENABLEDCHANGED:
        TWinControl::WndProc(m);
        Invalidate();
        return;
    default: TWinControl::WndProc(m); return;
    }
}

void TumEdit::Change() {
    TEdit::Change();
    Invalidate();  // the edit control shows every change of its text
}

void TumEdit::CMEnter() {
    SetFocused(true);
    SelectAll();
    Invalidate();
}

void TumEdit::CMExit() {
    SetFocused(false);
    Invalidate();  // the text snaps back to its alignment
}

// ---- TumValidEdit ----

void TumValidEdit::WMChar(char32_t key) {
    if (!ValidateChars || key == VK_BACK) {
        TumEdit::WMChar(key);
        return;
    }
    std::string typed;
    utf8::Append(typed, key);
    if (key != 0 && ValidChars.find(typed) != std::string::npos) TumEdit::WMChar(key);
}

// ---- TumNumberEdit ----

TumNumberEdit::TumNumberEdit() {
    SetKind(neDec);
    TEdit::OnChange = [this](TObject*) { NChanged(); };
    SetText("0");
}

void TumNumberEdit::SetKind(TumNumberEditKind k) {
    kind_ = k;
    digits_ = k == neHex ? "0123456789abcdefABCDEF" : (k == neBin ? "01" : "0123456789");
}

std::string TumNumberEdit::InBase(int v) const {
    if (kind_ == neHex) return DecToHex(v);
    if (kind_ == neBin) return DecToBin(v);
    return std::to_string(v);
}

void TumNumberEdit::SetValue(int v) {
    if (v < 0) v = 0;
    if (maxValue_ != 0 && v > maxValue_) v = maxValue_;
    value_ = v;
    SetText(InBase(v));
    // A value set is an accepted entry, also while a form is read (when changes go unchecked).
    prevText_ = Text();
    prevValue_ = value_;
}

void TumNumberEdit::SetMaxValue(int m) {
    // No number of the field lies below 0: a negative limit would force a negative value.
    if (m < 0) return;
    maxValue_ = m;
    if (m != 0 && value_ > m) SetValue(m);
}

void TumNumberEdit::WMChar(char32_t key) {
    prevText_ = Text();
    prevValue_ = value_;
    prevCaret_ = SelStart();
    if (key == VK_BACK) {
        TumEdit::WMChar(key);
        return;
    }
    std::string typed;
    utf8::Append(typed, key);
    if (key != 0 && digits_.find(typed) != std::string::npos) TumEdit::WMChar(key);
}

bool TumNumberEdit::Convert(const std::string& text, int& number) const {
    if (kind_ == neDec) {
        size_t start = text.find_first_not_of(' ');
        if (start == std::string::npos) return false;
        const char* begin = text.data() + start;
        if (*begin == '+') ++begin;
        auto [end, ec] = std::from_chars(begin, text.data() + text.size(), number);
        return ec == std::errc() && end == text.data() + text.size() && number >= 0;
    }
    // The conversion functions wrap at 32 bits; a number field takes only what fits.
    const std::string significant = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    const size_t maxDigits = kind_ == neHex ? 8 : 32;
    number = kind_ == neHex ? HexToDec(text) : BinToDec(text);
    return significant.size() <= maxDigits && number >= 0;
}

void TumNumberEdit::Refuse() {
    restoring_ = true;
    SetText(prevText_);
    restoring_ = false;
    SetSelStart(prevCaret_);
}

void TumNumberEdit::NChanged() {
    if (Loading() || restoring_) return;
    int number = 0;
    if (Text().empty()) {
        value_ = 0;
    } else if (!Convert(Text(), number)) {
        Refuse();
    } else {
        bool accepted = true;
        if (maxValue_ != 0) {
            const std::string maxText = InBase(maxValue_);
            accepted = number <= maxValue_ &&
                       (Text().size() < maxText.size() || (Text().size() == maxText.size() && Text() <= maxText));
        }
        if (accepted) {
            value_ = number;
            prevText_ = Text();
            prevValue_ = number;
        } else {
            Refuse();
        }
    }
    if (OnChange) OnChange(this);
}
