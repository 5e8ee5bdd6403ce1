#pragma once
#include <cstdint>

// Window handles are plain integers; 0 is no window. Handles are never reused, so a stale
// handle simply names no window any more.
using HWND = int32_t;

// One message as a window procedure receives it. Result is what SendMessage returns.
struct TMessage {
    unsigned Msg = 0;
    intptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// Window messages, by their Win32 numbers.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_DRAWITEM = 0x002B;
constexpr unsigned WM_MEASUREITEM = 0x002C;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_USER = 0x0400;

// Button messages and notifications.
constexpr unsigned BM_GETSTATE = 0x00F2;
constexpr unsigned BM_SETSTATE = 0x00F3;
constexpr unsigned BM_SETSTYLE = 0x00F4;
constexpr unsigned BM_CLICK = 0x00F5;
constexpr unsigned BN_CLICKED = 0;
constexpr unsigned BN_DOUBLECLICKED = 5;
constexpr unsigned BST_PUSHED = 0x0004;
constexpr unsigned BST_FOCUS = 0x0008;

// The class library's own messages (control messages) and the notifications it reflects
// from the parent back to the control that caused them (CN_BASE + the window message).
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
// Focus arriving at and leaving a control (after WM_SETFOCUS / WM_KILLFOCUS).
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr unsigned CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr unsigned CN_COMMAND = CN_BASE + WM_COMMAND;

// Window styles.
constexpr unsigned WS_CHILD = 0x40000000;
constexpr unsigned WS_VISIBLE = 0x10000000;
constexpr unsigned WS_DISABLED = 0x08000000;
constexpr unsigned WS_TABSTOP = 0x00010000;
constexpr unsigned BS_PUSHBUTTON = 0x0000;
constexpr unsigned BS_DEFPUSHBUTTON = 0x0001;
constexpr unsigned BS_OWNERDRAW = 0x000B;
constexpr unsigned BS_TYPEMASK = 0x000F;
// Class style: the window gets double clicks as WM_xBUTTONDBLCLK.
constexpr unsigned CS_DBLCLKS = 0x0008;

// Mouse key flags in WParam of mouse messages.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;

// Owner drawing.
constexpr unsigned ODT_BUTTON = 4;
constexpr unsigned ODA_DRAWENTIRE = 0x0001;
constexpr unsigned ODA_SELECT = 0x0002;
constexpr unsigned ODA_FOCUS = 0x0004;
constexpr unsigned ODS_SELECTED = 0x0001;
constexpr unsigned ODS_DISABLED = 0x0004;
constexpr unsigned ODS_FOCUS = 0x0010;

// What an owner-drawn control is asked to draw; CN_DRAWITEM carries a pointer to it in LParam.
struct TDrawItemStruct {
    unsigned CtlType = 0;
    unsigned CtlID = 0;
    unsigned itemID = 0;
    unsigned itemAction = 0;
    unsigned itemState = 0;
    HWND hwndItem = 0;
    int rcLeft = 0, rcTop = 0, rcRight = 0, rcBottom = 0;
};

// CN_MEASUREITEM carries a pointer to this; the control fills in its size.
struct TMeasureItemStruct {
    unsigned CtlType = 0;
    unsigned CtlID = 0;
    unsigned itemID = 0;
    int itemWidth = 0;
    int itemHeight = 0;
};

// Two 16-bit halves packed as Win32 packs them; the halves are signed when unpacked from
// coordinates, so positions left of or above a window survive the trip.
constexpr intptr_t MakeLong(int low, int high) {
    return static_cast<intptr_t>(static_cast<uint32_t>(static_cast<uint16_t>(low)) |
                                 (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}
constexpr int LoWord(intptr_t value) { return static_cast<uint16_t>(value & 0xFFFF); }
constexpr int HiWord(intptr_t value) { return static_cast<uint16_t>((value >> 16) & 0xFFFF); }
constexpr int SignedLoWord(intptr_t value) { return static_cast<int16_t>(value & 0xFFFF); }
constexpr int SignedHiWord(intptr_t value) { return static_cast<int16_t>((value >> 16) & 0xFFFF); }
