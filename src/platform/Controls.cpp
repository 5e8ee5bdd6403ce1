#include "platform/Controls.h"

#include <algorithm>

#include "platform/FileNames.h"
#include "platform/UiHost.h"
#include "platform/Utf8.h"

int TPageControl::ActivePageIndex() const {
    auto it = std::find(Pages.begin(), Pages.end(), ActivePage);
    return it == Pages.end() ? -1 : static_cast<int>(it - Pages.begin());
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page == ActivePage) return;
    ActivePage = page;
    if (OnChange) OnChange(this);
}

TSysLocale& SysLocale() {
    static TSysLocale locale;
    return locale;
}

bool& NewStyleControls() {
    static bool newStyle = true;
    return newStyle;
}

std::string TEdit::Cased(const std::string& text, TEditCharCase charCase) {
    if (charCase == TEditCharCase::ecUpperCase) return utf8::Upper(text);
    if (charCase == TEditCharCase::ecLowerCase) return utf8::Lower(text);
    return text;
}

void TEdit::SetText(const std::string& text) {
    const std::string cased = Cased(text, charCase_);
    if (cased == text_) return;
    text_ = cased;
    selStart_ = static_cast<int>(utf8::Length(text_));
    selLength_ = 0;
    Change();
}

void TEdit::SetCharCase(TEditCharCase charCase) {
    if (charCase == charCase_) return;
    charCase_ = charCase;
    const int start = selStart_, length = selLength_;
    SetText(text_);
    // Case changes no character count, so the caret and selection keep their places.
    selStart_ = start;
    selLength_ = length;
}

void TEdit::Change() {
    if (OnChange) OnChange(this);
}

void TEdit::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, static_cast<int>(utf8::Length(text_)));
    selLength_ = 0;
}

void TEdit::SetSelLength(int length) {
    selLength_ = std::clamp(length, 0, static_cast<int>(utf8::Length(text_)) - selStart_);
}

void TEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = static_cast<int>(utf8::Length(text_));
}

std::string TEdit::SelText() const { return utf8::Sub(text_, selStart_ + 1, selLength_); }

void TEdit::WMChar(char32_t key) {
    KeyPress(key);
    if (key != 0) TypeCharacter(key);
}

void TEdit::ReplaceSelection(const std::string& with) {
    const size_t from = utf8::ByteOffset(text_, static_cast<size_t>(selStart_));
    const size_t to = utf8::ByteOffset(text_, static_cast<size_t>(selStart_ + selLength_));
    const int caret = selStart_ + static_cast<int>(utf8::Length(with));
    text_ = text_.substr(0, from) + with + text_.substr(to);
    selStart_ = caret;
    selLength_ = 0;
    Change();
}

void TEdit::TypeCharacter(char32_t key) {
    if (ReadOnly) return;
    if (key == VK_BACK) {
        if (selLength_ == 0 && selStart_ > 0) {
            --selStart_;
            selLength_ = 1;
        }
        if (selLength_ > 0) ReplaceSelection("");
        return;
    }
    if (key < 32 || key == 127) return;
    if (MaxLength > 0 && static_cast<int>(utf8::Length(text_)) - selLength_ >= MaxLength) return;
    std::string typed;
    utf8::Append(typed, key);
    ReplaceSelection(Cased(typed, charCase_));
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (OnClick) OnClick(this);
}

void TComboBox::SetItemIndex(int index) {
    TItemControl::SetItemIndex(index);
    text_ = itemIndex_ >= 0 ? Items[itemIndex_] : std::string();
}

void TComboBox::SetText(const std::string& text) {
    int index = -1;
    for (int i = 0; i < Items.Count(); ++i)
        if (Items[i] == text) {
            index = i;
            break;
        }
    if (Style == TComboBoxStyle::csDropDownList && index < 0) return;
    itemIndex_ = index;
    text_ = text;
}

int TTreeNode::Level() const {
    int level = -1;  // the invisible root is not a level
    for (const TTreeNode* n = Parent; n; n = n->Parent) ++level;
    return level;
}

int TTreeNode::Index() const {
    if (!Parent) return 0;
    for (int i = 0; i < Parent->Count(); ++i)
        if (Parent->Item(i) == this) return i;
    return -1;
}

TTreeNode* TTreeNode::AddChild(const std::string& text) {
    auto node = std::make_unique<TTreeNode>();
    node->Text = text;
    node->Parent = this;
    children_.push_back(std::move(node));
    return children_.back().get();
}

TTreeView::TTreeView() : root_(std::make_unique<TTreeNode>()) {}

void TTreeView::Clear() {
    SetSelected(nullptr);
    root_ = std::make_unique<TTreeNode>();
}

std::vector<TTreeNode*> TTreeView::Nodes() const {
    std::vector<TTreeNode*> out;
    std::function<void(TTreeNode*)> walk = [&](TTreeNode* node) {
        for (int i = 0; i < node->Count(); ++i) {
            out.push_back(node->Item(i));
            walk(node->Item(i));
        }
    };
    walk(root_.get());
    return out;
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) return;
    selected_ = node;
    if (OnChange) OnChange(this, node);
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

void TUpDown::Click(TUDBtnType button) {
    if (!Enabled) return;
    const int step = button == TUDBtnType::btNext ? 1 : -1;
    if (Position + step >= Min && Position + step <= Max) Position += step;
    if (OnClick) OnClick(this, button);
}

bool TOpenDialog::Execute() {
    std::string chosen = FileName;
    if (!Ui().ChooseFile(Filter, chosen)) return false;
    FileName = WithUsualExtension(chosen, FilterExtension(Filter));
    Files.Clear();
    Files.Add(FileName);
    return true;
}
