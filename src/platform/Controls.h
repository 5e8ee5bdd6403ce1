#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Colors.h"
#include "platform/Input.h"
#include "platform/Object.h"
#include "platform/Strings.h"

using TNotifyEvent = std::function<void(TObject* sender)>;

class TFiler;

// Horizontal alignment of a control's text.
enum class TAlignment : unsigned char { taLeftJustify, taRightJustify, taCenter };

// Reading order of a control's text. Right to left counts only in a right-to-left (Middle
// East) locale; bdRightToLeftNoAlign and bdRightToLeftReadingOnly keep the alignment unmirrored.
enum class TBiDiMode : unsigned char { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// The locale the program runs in.
struct TSysLocale {
    bool MiddleEast = false;
};
TSysLocale& SysLocale();

// Whether the desktop draws new-style 3-D controls (sunken client edges) rather than the old
// flat ones, where a bordered field draws its own frame.
bool& NewStyleControls();

// What a component is going through; csLoading lasts while a form resource sets its properties.
enum TComponentStateFlag : unsigned { csLoading = 0x1, csReading = 0x2, csDestroying = 0x8, csDesigning = 0x10 };

class TComponent : public TObject {
public:
    std::string ClassName() const override { return "TComponent"; }
    std::string Name;
    int Tag = 0;
    unsigned ComponentState = 0;
    bool Loading() const { return (ComponentState & csLoading) != 0; }
    // What the component keeps in a stored form (see FormStream.h). The form reader calls
    // BeginLoading before it sets the stored properties and Loaded after.
    virtual void DefineProperties(TFiler& /*filer*/) {}
    void BeginLoading() { ComponentState |= csLoading | csReading; }
    virtual void Loaded() { ComponentState &= ~(csLoading | csReading); }
};

// A control as state: what the program sets and reads back, without a screen.
class TControl : public TComponent {
public:
    std::string ClassName() const override { return "TControl"; }

    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& text) { text_ = text; }
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& text) { SetText(text); }

    bool Visible = true;
    bool Enabled = true;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    TColor Color = clWhite;
    TBiDiMode BiDiMode = TBiDiMode::bdLeftToRight;
    // Whether the control mirrors its alignment / reads right to left, as the locale allows.
    bool UseRightToLeftAlignment() const { return SysLocale().MiddleEast && BiDiMode == TBiDiMode::bdRightToLeft; }
    bool UseRightToLeftReading() const { return SysLocale().MiddleEast && BiDiMode != TBiDiMode::bdLeftToRight; }

protected:
    std::string text_;
};

class TLabel : public TControl {
public:
    std::string ClassName() const override { return "TLabel"; }
};

class TPanel : public TControl {
public:
    std::string ClassName() const override { return "TPanel"; }
};

class TGroupBox : public TControl {
public:
    std::string ClassName() const override { return "TGroupBox"; }
};

class TButton : public TControl {
public:
    std::string ClassName() const override { return "TButton"; }
    TNotifyEvent OnClick;
    bool Default = false;
    int ModalResult = 0;
    void Click() {
        if (Enabled && OnClick) OnClick(this);
    }
};

class TSpeedButton : public TButton {
public:
    std::string ClassName() const override { return "TSpeedButton"; }
    bool Down = false;
};

class TTabSheet : public TControl {
public:
    std::string ClassName() const override { return "TTabSheet"; }
    bool TabVisible = true;
};

class TPageControl : public TControl {
public:
    std::string ClassName() const override { return "TPageControl"; }
    std::vector<TTabSheet*> Pages;
    TTabSheet* ActivePage = nullptr;
    TNotifyEvent OnChange;
    int ActivePageIndex() const;
    void SetActivePage(TTabSheet* page);
};

enum class TEditCharCase : unsigned char { ecNormal, ecUpperCase, ecLowerCase };

// An edit fires OnChange on every change of its text, whether typed or set from code.
// Caret and selection count characters from 0; a text set from code puts the caret at its end.
// As the edit control does, it turns every character it takes into the case of CharCase.
class TEdit : public TControl {
public:
    std::string ClassName() const override { return "TEdit"; }
    void SetText(const std::string& text) override;
    TNotifyEvent OnChange;
    bool ReadOnly = false;
    int MaxLength = 0;
    TEditCharCase CharCase() const { return charCase_; }
    // Also turns the text the edit holds.
    void SetCharCase(TEditCharCase charCase);
    // Shown in place of every character when not 0 (the text itself stays).
    char32_t PasswordChar = 0;
    // The text in the case of the given setting.
    static std::string Cased(const std::string& text, TEditCharCase charCase);

    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    // Clamped to the text; setting the start drops the selection.
    void SetSelStart(int start);
    void SetSelLength(int length);
    void SelectAll();
    std::string SelText() const;

    // Input as the window delivers it: a key going down, then the character it types.
    virtual void KeyDown(unsigned short& /*key*/, TShiftState /*shift*/) {}
    // Hands the character to OnKeyPress, which may swallow it (0).
    virtual void KeyPress(char32_t& key) {
        if (OnKeyPress) OnKeyPress(this, key);
    }
    std::function<void(TObject* sender, char32_t& key)> OnKeyPress;
    // The character message: KeyPress may swallow the key (0), else the field types it.
    virtual void WMChar(char32_t key);

protected:
    virtual void Change();
    // Backspace removes the selection or the character before the caret; a printable
    // character replaces the selection. Other control characters change nothing.
    void TypeCharacter(char32_t key);

private:
    void ReplaceSelection(const std::string& with);
    int selStart_ = 0, selLength_ = 0;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
};

class TCheckBox : public TControl {
public:
    std::string ClassName() const override { return "TCheckBox"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    TNotifyEvent OnClick;

private:
    bool checked_ = false;
};

class TRadioButton : public TCheckBox {
public:
    std::string ClassName() const override { return "TRadioButton"; }
};

// List box, combo box and radio group: an item list and an index. Setting the index from
// code fires nothing.
class TItemControl : public TControl {
public:
    TStringList Items;
    int ItemIndex() const { return itemIndex_; }
    virtual void SetItemIndex(int index) { itemIndex_ = (index >= 0 && index < Items.Count()) ? index : -1; }
    TNotifyEvent OnClick;
    TNotifyEvent OnChange;

protected:
    int itemIndex_ = -1;
};

class TListBox : public TItemControl {
public:
    std::string ClassName() const override { return "TListBox"; }
};

class TRadioGroup : public TItemControl {
public:
    std::string ClassName() const override { return "TRadioGroup"; }
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TItemControl {
public:
    std::string ClassName() const override { return "TComboBox"; }
    TComboBoxStyle Style = TComboBoxStyle::csDropDown;
    // Selecting an item shows its text; a typed text selects the item that equals it.
    void SetItemIndex(int index) override;
    void SetText(const std::string& text) override;
};

class TMemo : public TControl {
public:
    std::string ClassName() const override { return "TMemo"; }
    TStringList Lines;
};

struct TTextAttributes {
    TColor Color = clBlack;
    int Size = 8;
};

// A rich edit keeps every line with the colour and size it was written in.
class TRichEdit : public TControl {
public:
    std::string ClassName() const override { return "TRichEdit"; }
    struct Line {
        std::string text;
        TTextAttributes attributes;
    };
    TTextAttributes SelAttributes;
    std::vector<Line> Lines;
    void Add(const std::string& text) { Lines.push_back({text, SelAttributes}); }
    void Clear() { Lines.clear(); }
};

class TStatusBar : public TControl {
public:
    std::string ClassName() const override { return "TStatusBar"; }
    TStringList Panels;
    std::string SimpleText;
};

class TMenuItem : public TControl {
public:
    std::string ClassName() const override { return "TMenuItem"; }
    bool Checked = false;
    TNotifyEvent OnClick;
    void Click() {
        if (Enabled && OnClick) OnClick(this);
    }
};

// A window-thread timer: while enabled, with an interval above 0 and a handler, OnTimer fires
// from the thread's message pump every interval (see the window layer). Its handler may
// disable, change or even destroy the timer.
class TTimer : public TComponent {
public:
    TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    ~TTimer() override;
    std::string ClassName() const override { return "TTimer"; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);
    // Whether the timer is actually counting.
    bool Running() const;

private:
    class Window;
    void UpdateTimer();

    bool enabled_ = true;
    int interval_ = 1000;
    TNotifyEvent onTimer_;
    std::unique_ptr<Window> window_;
};

class TTreeNode {
public:
    std::string Text;
    intptr_t Data = 0;
    TTreeNode* Parent = nullptr;
    int Level() const;
    int Index() const;
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)).get(); }
    TTreeNode* AddChild(const std::string& text);

private:
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

// A tree view; selecting a node from code fires OnChange, as the class library does.
class TTreeView : public TControl {
public:
    std::string ClassName() const override { return "TTreeView"; }
    TTreeView();
    // The invisible root's children are the top-level nodes.
    TTreeNode& Root() { return *root_; }
    TTreeNode* Add(const std::string& text) { return root_->AddChild(text); }
    void Clear();
    // Every node in display order (depth first).
    std::vector<TTreeNode*> Nodes() const;
    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);
    std::function<void(TObject* sender, TTreeNode* node)> OnChange;

private:
    std::unique_ptr<TTreeNode> root_;
    TTreeNode* selected_ = nullptr;
};

struct TListItem {
    std::string Caption;
    std::vector<std::string> SubItems;
    intptr_t Data = 0;
    bool Selected = false;
};

class TListView : public TControl {
public:
    std::string ClassName() const override { return "TListView"; }
    std::vector<TListItem> Items;
    TListItem& Add() {
        Items.emplace_back();
        return Items.back();
    }
};

// The arrow pair beside a list: a click on an arrow moves the position within Min..Max and
// tells which arrow it was (btNext the upper one, btPrev the lower one).
enum class TUDBtnType { btNext, btPrev };
class TUpDown : public TControl {
public:
    std::string ClassName() const override { return "TUpDown"; }
    int Min = 0, Max = 100, Position = 0;
    std::function<void(TObject* sender, TUDBtnType button)> OnClick;
    void Click(TUDBtnType button);
};

// The open-file dialog; the choice is made through the user-interface host.
class TOpenDialog : public TComponent {
public:
    std::string ClassName() const override { return "TOpenDialog"; }
    std::string Title;
    std::string InitialDir;
    std::string Filter;
    // Before Execute the proposed name, after it the chosen one.
    std::string FileName;
    // Every file chosen (the user host offers one at a time); a caller that does not show the
    // dialog fills it itself.
    TStringList Files;
    // True when a file was chosen (then in FileName and Files). A name typed without extension
    // means the file of the filter's first extension unless it exists as typed (WithUsualExtension).
    bool Execute();
};

class TSaveDialog : public TOpenDialog {
public:
    std::string ClassName() const override { return "TSaveDialog"; }
};

class TForm : public TControl {
public:
    std::string ClassName() const override { return "TForm"; }
    int ModalResult = 0;
};

// The screen as the program sees it: its size and the mouse cursor shape.
enum class TCursor { crDefault = 0, crHourGlass = -11 };
struct TScreen {
    int Width = 1280;
    int Height = 1024;
    TCursor Cursor = TCursor::crDefault;
};
TScreen& Screen();
