#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Geometry.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Region.h"

// The windows of the program: a registry of integer handles, each with its procedure, place,
// window region, state and an off-screen surface that stands in for its pixels on the screen.
//
// Threads: a window belongs to the thread that created it and everything but SendMessage,
// PostMessage and IsWindow must be called on that thread. Each thread has one queue. A message
// sent from another thread waits in that queue until the owner thread pumps it
// (ProcessMessages or HandleSentMessages), and the sender blocks until then; destroying the
// window releases a waiting sender with the result 0, so a sender never waits for a dead window.

class TWindowProc {
public:
    virtual ~TWindowProc() = default;
    virtual void WndProc(TMessage& message) = 0;
};

struct TWindowParams {
    std::string windowClass;   // "BUTTON" gives the push-button behaviour of DefWindowProc
    unsigned style = 0;        // WS_* and, for buttons, BS_*
    unsigned classStyle = 0;   // CS_DBLCLKS
    unsigned id = 0;           // control id, handed on in notifications
    HWND parent = 0;           // 0: a top-level window placed on the screen
    TRect bounds;              // in the parent's client coordinates
};

HWND CreateWindowHandle(TWindowProc* proc, const TWindowParams& params);
// Also destroys the window's children, timers and queued messages. False for no window.
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);

intptr_t SendMessage(HWND window, unsigned message, intptr_t wParam = 0, intptr_t lParam = 0);
// False when the window does not exist.
bool PostMessage(HWND window, unsigned message, intptr_t wParam = 0, intptr_t lParam = 0);
// Pumps the calling thread's queue until it is idle: messages sent from other threads first,
// then posted messages, then due timers (WM_TIMER), then WM_PAINT for invalid windows.
// Returns how many messages were handled.
int ProcessMessages();
// Handles only what other threads sent to this thread's windows (for waits that must not
// deadlock a sender). Returns how many were handled.
int HandleSentMessages();
// Sleeps until a message waits in the calling thread's queue (sent or posted); false when the
// timeout (milliseconds; negative: none) passed first. Handles nothing itself.
bool WaitMessage(int timeoutMs = -1);

// Place and tree.
HWND GetParent(HWND window);
std::string GetWindowClass(HWND window);
unsigned GetWindowStyle(HWND window);
void SetWindowStyle(HWND window, unsigned style);
unsigned GetWindowId(HWND window);
unsigned GetWindowClassStyle(HWND window);
// One value per window for the window class's own state (its extra window bytes).
intptr_t GetWindowExtra(HWND window);
void SetWindowExtra(HWND window, intptr_t value);
TRect GetWindowRect(HWND window);  // in the parent's client coordinates
TPoint ScreenOrigin(HWND window);  // the client's top-left corner on the screen
// Sends WM_MOVE and/or WM_SIZE for what changed; repaint invalidates the window.
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint);

// The window region, in the window's own coordinates. The window takes the region over;
// nullopt gives the whole rectangle back. Pixels outside the region are neither drawn nor hit.
bool SetWindowRgn(HWND window, std::optional<TRegion> region, bool redraw);
std::optional<TRegion> GetWindowRgn(HWND window);
// Whether the window's own point (x, y) lies in its rectangle and its region.
bool WindowContainsPoint(HWND window, int x, int y);
// The deepest visible window under a screen point.
HWND WindowFromPoint(TPoint screen);

bool ShowWindow(HWND window, bool visible);
bool IsWindowVisible(HWND window);
// Sends WM_ENABLE on a change; a disabled window loses the focus and the mouse capture.
bool EnableWindow(HWND window, bool enable);
bool IsWindowEnabled(HWND window);

// Focus: WM_KILLFOCUS to the old window, WM_SETFOCUS to the new one, then CM_FOCUSCHANGED
// (LParam = the new focus window, 0 for none) to every window of the thread. Hidden or disabled
// windows cannot take the focus. Returns the previous focus window.
HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetCapture(HWND window);
void ReleaseCapture();
HWND GetCapture();

// Painting: an invalid region per window; WM_PAINT comes when the queue is otherwise idle.
void InvalidateRect(HWND window, const TRect* rect);
void InvalidateRgn(HWND window, const TRegion& region);
void ValidateWindow(HWND window);
TRegion GetUpdateRegion(HWND window);
// Sends WM_PAINT at once when the window has something to paint.
bool UpdateWindow(HWND window);
// The window's pixels; nullptr for no window.
const TBitmap* WindowSurface(HWND window);
// The window with its visible children, each cut to its region, as the screen shows them.
TBitmap CaptureWindow(HWND window);

// A canvas on the window's surface, cut to its window region (GetDC).
class TWindowDC {
public:
    explicit TWindowDC(HWND window);
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    virtual ~TWindowDC();
    // False when the window does not exist; the canvas then draws into a bitmap of no size.
    bool Valid() const { return valid_; }
    TCanvas& Canvas() { return *canvas_; }

protected:
    HWND window_;
    bool valid_ = false;
    TBitmap nothing_;
    std::unique_ptr<TCanvas> canvas_;
};

// The canvas of a WM_PAINT answer (BeginPaint/EndPaint): also cut to the update region, which
// it validates.
class TPaintDC : public TWindowDC {
public:
    explicit TPaintDC(HWND window);
    const TRegion& UpdateRegion() const { return update_; }

private:
    TRegion update_;
};

// Timers of the calling thread, on the injectable clock (GetTickCount). A due timer posts one
// WM_TIMER (WParam = id) and is due again an interval later; missed intervals do not pile up.
constexpr int USER_TIMER_MINIMUM = 10;
bool SetTimer(HWND window, unsigned id, int intervalMs);
bool KillTimer(HWND window, unsigned id);

// The user's mouse and keyboard, for tests and the headless front end. Positions are screen
// coordinates. Moving the mouse sends CM_MOUSELEAVE / CM_MOUSEENTER when the window under it
// changes (hit-tested through window regions, disabled windows included); buttons and moves
// go to the capturing window or the window under the mouse when it is enabled. A second press
// of the same button on the same window within the double-click time and distance is a
// WM_xBUTTONDBLCLK when the window's class style asks for double clicks.
namespace userinput {
constexpr int kDoubleClickMs = 500;
constexpr int kDoubleClickDistance = 2;
void MouseMove(int x, int y);
void MouseDown(TMouseButton button, int x, int y);
void MouseUp(TMouseButton button, int x, int y);
// A full click: move there, press, release.
void Click(int x, int y);
// Keys go to the focus window.
void KeyDown(unsigned short key);
void KeyUp(unsigned short key);
// The characters of a text typed on the keyboard, each a WM_CHAR to the focus window.
void Type(std::string_view text);
// Forgets the window under the mouse and the last press (a fresh screen for the next test).
void Reset();
}  // namespace userinput

// The default behaviour of a window class for a message the control did not consume.
void DefWindowProc(HWND window, TMessage& message);
