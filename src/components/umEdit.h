#pragma once
#include <string>

#include "platform/Canvas.h"
#include "platform/Controls.h"

// An edit field that shows its text right-aligned or centred while it does not have the
// focus, and left-aligned while the user types in it.
class TumEdit : public TEdit {
public:
    TumEdit();
    std::string ClassName() const override { return "TumEdit"; }

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment a);
    bool Focused() const { return focused_; }
    virtual void SetFocused(bool b) { focused_ = b; }

    TFont Font;
    bool Ctl3D = true;       // a sunken border; false: a flat one
    bool BorderSingle = true;
    int LeftMargin = 1;      // the edit control's own margin
    TCanvas* GetCanvas() const { return canvas_; }

    // Paints the field into a canvas of its client size (as a copy: always the field's own way).
    virtual void WMPaint(TCanvas& canvas, bool asCopy = false);
    // Focus arrives and leaves.
    virtual void CMEnter();
    virtual void CMExit();
    // Repaints asked for since the field was made.
    int Repaints() const { return repaints_; }

protected:
    void Invalidate() { ++repaints_; }
    // Where the text starts inside the client area.
    TPoint TextMargins() const;

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool focused_ = false;
    int repaints_ = 0;
    TCanvas* canvas_ = nullptr;
};

// An edit field that takes only the characters of ValidChars (and Backspace).
class TumValidEdit : public TumEdit {
public:
    std::string ClassName() const override { return "TumValidEdit"; }
    std::string ValidChars;
    bool ValidateChars = true;
    void WMChar(char32_t key) override;
};

enum TumNumberEditKind : unsigned char { neDec = 0, neHex = 1, neBin = 2 };

// An edit field for a whole number from 0 to MaxValue (0: no limit) in base 10, 16 or 2.
// An entry that is no such number is undone, the caret back where it was.
class TumNumberEdit : public TumEdit {
public:
    TumNumberEdit();
    std::string ClassName() const override { return "TumNumberEdit"; }

    TumNumberEditKind Kind() const { return kind_; }
    virtual void SetKind(TumNumberEditKind k);
    int Value() const { return value_; }
    virtual void SetValue(int v);
    int MaxValue() const { return maxValue_; }
    virtual void SetMaxValue(int m);
    // The user's change event; the edit's own change event belongs to the field.
    TNotifyEvent OnChange;

    void WMChar(char32_t key) override;

private:
    void NChanged();
    std::string InBase(int v) const;
    // The number of a text in the field's base; false for no number or one beyond 2^31-1.
    bool Convert(const std::string& text, int& number) const;
    void Refuse();

    TumNumberEditKind kind_ = neDec;
    std::string digits_ = "0123456789";
    int value_ = 0;
    int maxValue_ = 0;
    std::string prevText_ = "0";
    int prevValue_ = 0;
    int prevCaret_ = 0;
    bool restoring_ = false;
};

std::string DecToHex(int i);
std::string DecToBin(int i);
// Digits from the last to the first, each times the growing power; the sum wraps at 32 bits.
int HexToDec(const std::string& s);
int BinToDec(const std::string& s);
