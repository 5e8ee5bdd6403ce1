#include "platform/ButtonWindow.h"

#include "platform/Input.h"
#include "platform/Window.h"

namespace {

// The button's state, kept in its extra window value.
constexpr intptr_t kPushed = 1;
constexpr intptr_t kTracking = 2;  // mouse press in progress
constexpr intptr_t kSpace = 4;     // space key press in progress

bool Has(HWND window, intptr_t flag) { return (GetWindowExtra(window) & flag) != 0; }

void Set(HWND window, intptr_t flag, bool on) {
    const intptr_t state = GetWindowExtra(window);
    SetWindowExtra(window, on ? (state | flag) : (state & ~flag));
}

bool OwnerDrawn(HWND window) { return (GetWindowStyle(window) & BS_TYPEMASK) == BS_OWNERDRAW; }

void DrawItem(HWND window, unsigned action) {
    if (!OwnerDrawn(window)) {
        InvalidateRect(window, nullptr);
        return;
    }
    const TRect r = GetWindowRect(window);
    TDrawItemStruct item;
    item.CtlType = ODT_BUTTON;
    item.CtlID = GetWindowId(window);
    item.itemAction = action;
    item.itemState = (Has(window, kPushed) ? ODS_SELECTED : 0u) | (GetFocus() == window ? ODS_FOCUS : 0u) |
                     (IsWindowEnabled(window) ? 0u : ODS_DISABLED);
    item.hwndItem = window;
    item.rcRight = r.Width();
    item.rcBottom = r.Height();
    SendMessage(window, CN_DRAWITEM, static_cast<intptr_t>(item.CtlID), reinterpret_cast<intptr_t>(&item));
}

void SetPushed(HWND window, bool pushed) {
    if (Has(window, kPushed) == pushed) return;
    Set(window, kPushed, pushed);
    DrawItem(window, ODA_SELECT);
}

void Notify(HWND window, unsigned code) {
    SendMessage(window, CN_COMMAND, MakeLong(static_cast<int>(GetWindowId(window)), static_cast<int>(code)), window);
}

// Ends a press; the click counts only when the button still showed itself pressed.
void Release(HWND window, bool click) {
    const bool wasPushed = Has(window, kPushed);
    Set(window, kTracking | kSpace, false);
    if (GetCapture() == window) ReleaseCapture();
    SetPushed(window, false);
    if (click && wasPushed) Notify(window, BN_CLICKED);
}

bool MouseMessage(HWND window, TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDBLCLK:
        if (OwnerDrawn(window)) {
            Notify(window, BN_DOUBLECLICKED);
            return true;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        SetCapture(window);
        SetFocus(window);
        Set(window, kTracking, true);
        SetPushed(window, true);
        return true;
    case WM_MOUSEMOVE:
        if (Has(window, kTracking) && GetCapture() == window) {
            SetPushed(window, WindowContainsPoint(window, SignedLoWord(m.LParam), SignedHiWord(m.LParam)));
        }
        return true;
    case WM_LBUTTONUP:
        if (Has(window, kTracking)) Release(window, WindowContainsPoint(window, SignedLoWord(m.LParam), SignedHiWord(m.LParam)));
        return true;
    default:
        return false;
    }
}

bool KeyMessage(HWND window, TMessage& m) {
    if (m.WParam != VK_SPACE) return false;
    if (m.Msg == WM_KEYDOWN && !Has(window, kTracking)) {
        Set(window, kSpace, true);
        SetPushed(window, true);
    } else if (m.Msg == WM_KEYUP && Has(window, kSpace)) {
        Release(window, true);
    }
    return true;
}

}  // namespace

bool ButtonPushed(HWND window) { return Has(window, kPushed); }

bool ButtonWindowProc(HWND window, TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        return MouseMessage(window, m);
    case WM_KEYDOWN:
    case WM_KEYUP:
        return KeyMessage(window, m);
    case WM_KILLFOCUS:
        if (Has(window, kTracking | kSpace)) Release(window, false);
        DrawItem(window, ODA_FOCUS);
        return true;
    case WM_SETFOCUS:
        DrawItem(window, ODA_FOCUS);
        return true;
    case WM_ENABLE:
        InvalidateRect(window, nullptr);
        return true;
    case WM_PAINT: {
        { TPaintDC paint(window); }
        DrawItem(window, ODA_DRAWENTIRE);
        return true;
    }
    case BM_GETSTATE:
        m.Result = (Has(window, kPushed) ? BST_PUSHED : 0) | (GetFocus() == window ? BST_FOCUS : 0);
        return true;
    case BM_SETSTATE:
        SetPushed(window, m.WParam != 0);
        return true;
    case BM_SETSTYLE:
        SetWindowStyle(window, (GetWindowStyle(window) & ~BS_TYPEMASK) | (static_cast<unsigned>(m.WParam) & BS_TYPEMASK));
        if (m.LParam != 0) InvalidateRect(window, nullptr);
        return true;
    case BM_CLICK:
        if (IsWindowEnabled(window)) Notify(window, BN_CLICKED);
        return true;
    default:
        return false;
    }
}
