#include "platform/WinControl.h"

#include <algorithm>

TWinControl::TWinControl(TControl& control) : control_(control) {}

TWinControl::~TWinControl() {
    for (TWinControl* child : children_) child->parent_ = nullptr;
    SetParentControl(nullptr);
    DestroyHandle();
}

bool TWinControl::HandleAllocated() const { return handle_ != 0 && IsWindow(handle_); }

HWND TWinControl::Handle() {
    if (!HandleAllocated()) CreateHandle();
    return handle_;
}

void TWinControl::DestroyHandle() {
    if (handle_ != 0) DestroyWindow(handle_);
    handle_ = 0;
}

void TWinControl::RecreateWnd() {
    if (!HandleAllocated()) return;
    DestroyHandle();
    CreateHandle();
}

void TWinControl::SetParentControl(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) std::erase(parent_->children_, this);
    parent_ = parent;
    if (parent_) parent_->children_.push_back(this);
    if (HandleAllocated()) RecreateWnd();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.WinClassName = control_.ClassName();
    params.Style = WS_TABSTOP | (parent_ ? WS_CHILD : 0u) | (control_.Visible ? WS_VISIBLE : 0u) | (control_.Enabled ? 0u : WS_DISABLED);
    params.X = control_.Left;
    params.Y = control_.Top;
    params.Width = control_.Width;
    params.Height = control_.Height;
    params.WndParent = parent_ ? parent_->Handle() : 0;
}

void TWinControl::CreateHandle() {
    TCreateParams params;
    CreateParams(params);
    TWindowParams window;
    window.windowClass = params.WinClassName;
    window.style = params.Style;
    window.classStyle = params.ClassStyle;
    window.id = params.Id;
    window.parent = params.WndParent;
    window.bounds = Rect(params.X, params.Y, params.X + params.Width, params.Y + params.Height);
    handle_ = CreateWindowHandle(this, window);
}

intptr_t TWinControl::Perform(unsigned message, intptr_t wParam, intptr_t lParam) {
    TMessage m{message, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TWinControl::WndProc(TMessage& message) { DefaultHandler(message); }

void TWinControl::PaintBackground() {
    TPaintDC paint(handle_);
    paint.Canvas().Brush.Color = control_.Color;
    paint.Canvas().FillRect(Rect(0, 0, control_.Width, control_.Height));
}

void TWinControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_MOVE:
        control_.Left = SignedLoWord(message.LParam);
        control_.Top = SignedHiWord(message.LParam);
        return;
    case WM_SIZE:
        control_.Width = LoWord(message.LParam);
        control_.Height = HiWord(message.LParam);
        return;
    case CM_ENABLEDCHANGED:
        if (HandleAllocated()) EnableWindow(handle_, control_.Enabled);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The window class has its say first; then the control hears that focus came or went.
        if (HandleAllocated()) DefWindowProc(handle_, message);
        Perform(message.Msg == WM_SETFOCUS ? CM_ENTER : CM_EXIT);
        return;
    case WM_PAINT:
        if (GetWindowClass(handle_) != "BUTTON") {
            PaintBackground();
            return;
        }
        break;
    default:
        break;
    }
    if (HandleAllocated()) DefWindowProc(handle_, message);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (HandleAllocated()) {
        MoveWindow(handle_, left, top, width, height, true);
        return;
    }
    control_.Left = left;
    control_.Top = top;
    control_.Width = std::max(width, 0);
    control_.Height = std::max(height, 0);
}

void TWinControl::SetEnabled(bool enabled) {
    if (control_.Enabled == enabled) return;
    control_.Enabled = enabled;
    Perform(CM_ENABLEDCHANGED);
}

void TWinControl::SetVisible(bool visible) {
    control_.Visible = visible;
    if (HandleAllocated()) ShowWindow(handle_, visible);
}

bool TWinControl::CanFocus() const { return HandleAllocated() && IsWindowVisible(handle_) && IsWindowEnabled(handle_); }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Focused() const { return handle_ != 0 && GetFocus() == handle_; }

void TWinControl::Invalidate() {
    if (HandleAllocated()) InvalidateRect(handle_, nullptr);
}

void TWinControl::Update() {
    if (HandleAllocated()) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}
