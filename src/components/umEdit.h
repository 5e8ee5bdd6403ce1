#pragma once
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/WinControl.h"
#include "platform/Window.h"

// An edit field that shows its text right-aligned or centred while it does not have the
// focus, and left-aligned while the user types in it.
class TumEdit : public TEdit, public TWinControl {
public:
    TumEdit();
    ~TumEdit() override;
    std::string ClassName() const override { return "TumEdit"; }
    // The published properties in stored forms (umEditStream.cpp).
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment a);
    // The focused flag: set between entering and leaving the field.
    bool FocusedFlag() const { return focused_; }
    virtual void SetFocused(bool b) { focused_ = b; }
    // The canvas bound to the field's window: while the field paints, the canvas of that paint;
    // otherwise one on its window as it is now (on nothing while it has none). A reference
    // holds until the next call.
    virtual TCanvas& GetCanvas();

    TFont Font;
    bool BorderSingle = true;  // false: no border at all
    bool Ctl3D = true;         // the border sunken; false: flat
    int LeftMargin = 1;        // the edit control's own margin

    // The field as it looks, border included, painted into a canvas of its size at (0, 0)
    // without the window (printing, pictures).
    void PaintCopy(TCanvas& canvas);
    // The client area in the field's own coordinates: inside the border the window draws.
    TRect ClientArea() const;

    void WndProc(TMessage& message) override;

protected:
    void Change() override;
    virtual void WMPaint();
    virtual void CMEnter();
    virtual void CMExit();
    // Where the text starts inside the client area.
    TPoint TextMargins() const;

private:
    // Where the text goes: its origin and the rectangle it is cut to.
    struct TextPlace {
        int x = 0;
        int y = 0;
        TRect clip;
    };
    // The alignment the text is shown in, and whether the field paints it rather than the
    // edit control.
    TAlignment UsedAlignment() const;
    bool PaintsItself(bool asCopy) const;
    TAlignment EditControlAlignment() const {
        return UseRightToLeftAlignment() ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
    }
    // Without new-style 3-D controls a bordered field draws its own frame inside.
    bool DrawsOwnFrame() const { return BorderSingle && !(NewStyleControls() && Ctl3D); }
    // The text as shown: cased when painted as a copy, masked by PasswordChar.
    std::string Shown(bool asCopy) const;
    TextPlace PlaceText(const TCanvas& canvas, const std::string& text, TAlignment alignment) const;
    void Paint(TCanvas& canvas, bool asCopy);
    void PaintBorder(TCanvas& canvas) const;
    void PaintText(TCanvas& canvas, const std::string& text, TAlignment alignment);
    void PaintSelection(TCanvas& canvas);

    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool focused_ = false;
    std::unique_ptr<TWindowDC> windowDC_;
    HWND windowDCFor_ = 0;
    TCanvas* paintCanvas_ = nullptr;
};

// An edit field that takes only the characters of ValidChars (and Backspace).
class TumValidEdit : public TumEdit {
public:
    std::string ClassName() const override { return "TumValidEdit"; }
    void DefineProperties(TFiler& filer) override;
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
    void DefineProperties(TFiler& filer) override;

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
