#pragma once
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Window.h"

// What a control asks for when its window is made.
struct TCreateParams {
    std::string WinClassName;
    unsigned Style = 0;
    unsigned ClassStyle = 0;
    unsigned Id = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = 0;
};

// The window side of a control: a control class derives from its state class (TButton, TEdit,
// ...) and from this, handing itself over as the control. The window is made on demand and its
// messages come to WndProc; what a control does not consume goes to DefaultHandler, which keeps
// the control's place and state in step with its window, turns WM_SETFOCUS and WM_KILLFOCUS into
// CM_ENTER and CM_EXIT for the control, and falls back to the window class's default behaviour.
class TWinControl : public TWindowProc {
public:
    explicit TWinControl(TControl& control);
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;
    ~TWinControl() override;

    TControl& Control() { return control_; }
    const TControl& Control() const { return control_; }

    // The window handle, made (with the parent's) when there is none yet.
    HWND Handle();
    HWND WindowHandle() const { return handle_; }
    bool HandleAllocated() const;
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Destroys the window and makes a new one (a changed window class or style needs that).
    void RecreateWnd();

    // The window this control's window lives in; nullptr makes it a top-level window.
    void SetParentControl(TWinControl* parent);
    TWinControl* ParentControl() const { return parent_; }

    // Delivers a message straight to this control (no queue), returning its result.
    intptr_t Perform(unsigned message, intptr_t wParam = 0, intptr_t lParam = 0);
    void WndProc(TMessage& message) override;
    virtual void DefaultHandler(TMessage& message);

    // Place and state; with a window they go through it, so its messages follow.
    void SetBounds(int left, int top, int width, int height);
    void SetEnabled(bool enabled);
    void SetVisible(bool visible);
    bool CanFocus() const;
    void SetFocus();
    bool Focused() const;
    void Invalidate();
    void Update();
    void Repaint();

protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window; overrides call this first and then do their own set-up.
    virtual void CreateHandle();

private:
    void PaintBackground();

    TControl& control_;
    HWND handle_ = 0;
    TWinControl* parent_ = nullptr;
    std::vector<TWinControl*> children_;
};
