#include "components/umEdit.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

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

TumEdit::TumEdit() = default;

void TumEdit::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    Invalidate();
}

TPoint TumEdit::TextMargins() const {
    if (!BorderSingle) return TPoint{LeftMargin, 0};
    const int y = Ctl3D ? 1 : 2;
    return TPoint{LeftMargin + y, y};
}

void TumEdit::WMPaint(TCanvas& canvas, bool asCopy) {
    canvas_ = &canvas;
    // While the user types, the text stands where the edit control puts it: on the left.
    const TAlignment drawn = focused_ && !asCopy ? TAlignment::taLeftJustify : alignment_;
    canvas.Font = Font;
    if (!Enabled) canvas.Font.Color = clGrayText;
    canvas.Brush = TBrush{Color, TBrushStyle::bsSolid};
    const TRect client = Rect(0, 0, Width, Height);
    canvas.FillRect(client);
    const TPoint margin = TextMargins();
    const int width = canvas.TextWidth(Text());
    int x = margin.x;
    if (drawn == TAlignment::taRightJustify) x = Width - width - margin.x - 1;
    else if (drawn == TAlignment::taCenter) x = (Width - width) / 2;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextRect(client, x, margin.y, Text());
    canvas_ = nullptr;
}

void TumEdit::CMEnter() {
    SetFocused(true);
    SelectAll();
}

void TumEdit::CMExit() {
    SetFocused(false);
    Invalidate();
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
