#include "platform/Window.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/ButtonWindow.h"
#include "platform/Clock.h"
#include "platform/Utf8.h"

namespace {

struct SentMessage {
    HWND window = 0;
    TMessage message;
    bool done = false;
};

struct PostedMessage {
    HWND window = 0;
    TMessage message;
};

// What other threads may hand to a thread: sent and posted messages. Guarded by its mutex.
struct ThreadQueue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::deque<PostedMessage> posted;
    bool alive = true;
};

struct Timer {
    HWND window = 0;
    unsigned id = 0;
    int interval = 0;
    int64_t due = 0;
    bool pending = false;
};

struct LastPress {
    HWND window = 0;
    TMouseButton button = TMouseButton::mbLeft;
    int64_t tick = 0;
    int x = 0, y = 0;
};

// What only the owning thread touches.
struct ThreadState {
    std::shared_ptr<ThreadQueue> queue = std::make_shared<ThreadQueue>();
    std::vector<Timer> timers;
    HWND focus = 0;
    HWND capture = 0;
    HWND hot = 0;
    std::optional<LastPress> lastPress;

    ~ThreadState() {
        // Senders still waiting for this thread get their answer (0) instead of waiting forever.
        std::lock_guard lock(queue->mutex);
        queue->alive = false;
        for (auto& sent : queue->sent) sent->done = true;
        queue->sent.clear();
        queue->posted.clear();
        queue->changed.notify_all();
    }
};

thread_local ThreadState threadState;

struct WindowEntry {
    TWindowProc* proc = nullptr;
    std::thread::id owner;
    std::shared_ptr<ThreadQueue> queue;
    TWindowParams params;
    std::optional<TRegion> region;
    bool visible = false;
    bool enabled = true;
    TRegion invalid;
    std::unique_ptr<TBitmap> surface;
    intptr_t extra = 0;
};

std::mutex registryMutex;
std::map<HWND, WindowEntry> windows;
HWND nextHandle = 1;

// Runs f on the entry under the registry lock; returns fallback for no window.
template <class F, class R>
R WithEntry(HWND window, R fallback, F f) {
    std::lock_guard lock(registryMutex);
    auto it = windows.find(window);
    return it == windows.end() ? fallback : f(it->second);
}

TWindowProc* OwnProc(HWND window) {
    return WithEntry(window, static_cast<TWindowProc*>(nullptr), [](WindowEntry& e) {
        return e.owner == std::this_thread::get_id() ? e.proc : nullptr;
    });
}

std::vector<HWND> ThreadWindows(HWND parent, bool anyParent) {
    std::lock_guard lock(registryMutex);
    std::vector<HWND> result;
    for (const auto& [handle, e] : windows) {
        if (e.owner == std::this_thread::get_id() && (anyParent || e.params.parent == parent)) result.push_back(handle);
    }
    return result;
}

intptr_t Deliver(HWND window, unsigned message, intptr_t wParam, intptr_t lParam) {
    TWindowProc* proc = OwnProc(window);
    if (!proc) return 0;
    TMessage m{message, wParam, lParam, 0};
    proc->WndProc(m);
    return m.Result;
}

TRect ClientRect(const WindowEntry& e) { return Rect(0, 0, e.params.bounds.Width(), e.params.bounds.Height()); }

TRegion VisibleArea(const WindowEntry& e) {
    const TRegion all(ClientRect(e));
    return e.region ? all.Intersection(*e.region) : all;
}

void ForgetWindowInThread(HWND window) {
    ThreadState& s = threadState;
    std::erase_if(s.timers, [&](const Timer& t) { return t.window == window; });
    if (s.focus == window) s.focus = 0;
    if (s.capture == window) s.capture = 0;
    if (s.hot == window) s.hot = 0;
    if (s.lastPress && s.lastPress->window == window) s.lastPress.reset();
}

bool DispatchOnePosted() {
    ThreadQueue& q = *threadState.queue;
    PostedMessage posted;
    {
        std::lock_guard lock(q.mutex);
        if (q.posted.empty()) return false;
        posted = q.posted.front();
        q.posted.pop_front();
    }
    if (posted.message.Msg == WM_TIMER) {
        for (Timer& t : threadState.timers) {
            if (t.window == posted.window && t.id == static_cast<unsigned>(posted.message.WParam)) t.pending = false;
        }
    }
    Deliver(posted.window, posted.message.Msg, posted.message.WParam, posted.message.LParam);
    return true;
}

bool PostDueTimers() {
    const int64_t now = GetTickCount();
    bool any = false;
    for (Timer& t : threadState.timers) {
        if (t.pending || now < t.due) continue;
        t.pending = true;
        t.due = now + t.interval;
        any = PostMessage(t.window, WM_TIMER, static_cast<intptr_t>(t.id), 0) || any;
    }
    return any;
}

bool PaintOneWindow() {
    for (HWND window : ThreadWindows(0, true)) {
        const bool needsPaint = WithEntry(window, false, [](WindowEntry& e) { return e.visible && !e.invalid.IsEmpty(); });
        if (!needsPaint) continue;
        Deliver(window, WM_PAINT, 0, 0);
        ValidateWindow(window);  // a window that did not paint is not asked again and again
        return true;
    }
    return false;
}

HWND HitDeep(HWND window, TPoint inParent) {
    TPoint local;
    const bool hit = WithEntry(window, false, [&](WindowEntry& e) {
        if (!e.visible || !e.params.bounds.Contains(inParent.x, inParent.y)) return false;
        local = TPoint{inParent.x - e.params.bounds.left, inParent.y - e.params.bounds.top};
        return !e.region || e.region->Contains(local.x, local.y);
    });
    if (!hit) return 0;
    const std::vector<HWND> children = ThreadWindows(window, false);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (HWND found = HitDeep(*it, local)) return found;
    }
    return window;
}

}  // namespace

HWND CreateWindowHandle(TWindowProc* proc, const TWindowParams& params) {
    std::lock_guard lock(registryMutex);
    if (params.parent != 0 && windows.find(params.parent) == windows.end()) return 0;
    const HWND handle = nextHandle++;
    WindowEntry& e = windows[handle];
    e.proc = proc;
    e.owner = std::this_thread::get_id();
    e.queue = threadState.queue;
    e.params = params;
    e.visible = (params.style & WS_VISIBLE) != 0;
    e.enabled = (params.style & WS_DISABLED) == 0;
    e.surface = std::make_unique<TBitmap>(params.bounds.Width(), params.bounds.Height());
    e.invalid = TRegion(ClientRect(e));
    return handle;
}

bool DestroyWindow(HWND window) {
    if (!IsWindow(window)) return false;
    for (HWND child : ThreadWindows(window, false)) DestroyWindow(child);
    std::shared_ptr<ThreadQueue> queue;
    {
        std::lock_guard lock(registryMutex);
        auto it = windows.find(window);
        if (it == windows.end()) return false;
        queue = it->second.queue;
        windows.erase(it);
    }
    {
        std::lock_guard lock(queue->mutex);
        std::erase_if(queue->posted, [&](const PostedMessage& p) { return p.window == window; });
        std::erase_if(queue->sent, [&](const std::shared_ptr<SentMessage>& s) {
            if (s->window != window) return false;
            s->done = true;  // result 0: the window is gone
            return true;
        });
        queue->changed.notify_all();
    }
    ForgetWindowInThread(window);
    return true;
}

bool IsWindow(HWND window) {
    std::lock_guard lock(registryMutex);
    return windows.count(window) != 0;
}

intptr_t SendMessage(HWND window, unsigned message, intptr_t wParam, intptr_t lParam) {
    std::shared_ptr<ThreadQueue> queue;
    bool sameThread = false;
    {
        std::lock_guard lock(registryMutex);
        auto it = windows.find(window);
        if (it == windows.end()) return 0;
        sameThread = it->second.owner == std::this_thread::get_id();
        queue = it->second.queue;
    }
    if (sameThread) return Deliver(window, message, wParam, lParam);

    auto sent = std::make_shared<SentMessage>();
    sent->window = window;
    sent->message = TMessage{message, wParam, lParam, 0};
    std::unique_lock lock(queue->mutex);
    if (!queue->alive) return 0;
    // The window may have gone since it was looked up; its destruction has then already
    // answered everything queued for it and would never answer this message.
    if (!IsWindow(window)) return 0;
    queue->sent.push_back(sent);
    queue->changed.notify_all();
    while (!sent->done) {
        queue->changed.wait_for(lock, std::chrono::milliseconds(2), [&] { return sent->done; });
        if (sent->done) break;
        // Meanwhile serve what is sent to our own windows, so two threads sending to each other
        // do not wait for ever.
        lock.unlock();
        HandleSentMessages();
        lock.lock();
    }
    return sent->message.Result;
}

bool PostMessage(HWND window, unsigned message, intptr_t wParam, intptr_t lParam) {
    std::shared_ptr<ThreadQueue> queue = WithEntry(window, std::shared_ptr<ThreadQueue>(), [](WindowEntry& e) { return e.queue; });
    if (!queue) return false;
    std::lock_guard lock(queue->mutex);
    if (!queue->alive) return false;
    queue->posted.push_back(PostedMessage{window, TMessage{message, wParam, lParam, 0}});
    queue->changed.notify_all();
    return true;
}

int HandleSentMessages() {
    ThreadQueue& q = *threadState.queue;
    int handled = 0;
    for (;;) {
        std::shared_ptr<SentMessage> sent;
        {
            std::lock_guard lock(q.mutex);
            if (q.sent.empty()) return handled;
            sent = q.sent.front();
            q.sent.pop_front();
        }
        if (TWindowProc* proc = OwnProc(sent->window)) proc->WndProc(sent->message);
        {
            std::lock_guard lock(q.mutex);
            sent->done = true;
        }
        q.changed.notify_all();
        ++handled;
    }
}

bool WaitMessage(int timeoutMs) {
    ThreadQueue& q = *threadState.queue;
    std::unique_lock lock(q.mutex);
    const auto waiting = [&q] { return !q.sent.empty() || !q.posted.empty(); };
    if (timeoutMs < 0) {
        q.changed.wait(lock, waiting);
        return true;
    }
    return q.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), waiting);
}

int ProcessMessages() {
    int handled = 0;
    for (;;) {
        const int sent = HandleSentMessages();
        handled += sent;
        if (sent > 0) continue;
        if (DispatchOnePosted()) {
            ++handled;
            continue;
        }
        if (PostDueTimers()) continue;
        if (PaintOneWindow()) {
            ++handled;
            continue;
        }
        return handled;
    }
}

HWND GetParent(HWND window) { return WithEntry(window, HWND{0}, [](WindowEntry& e) { return e.params.parent; }); }

std::string GetWindowClass(HWND window) {
    return WithEntry(window, std::string(), [](WindowEntry& e) { return e.params.windowClass; });
}

unsigned GetWindowStyle(HWND window) { return WithEntry(window, 0u, [](WindowEntry& e) { return e.params.style; }); }

void SetWindowStyle(HWND window, unsigned style) {
    WithEntry(window, 0, [&](WindowEntry& e) {
        e.params.style = style;
        return 0;
    });
}

unsigned GetWindowId(HWND window) { return WithEntry(window, 0u, [](WindowEntry& e) { return e.params.id; }); }

unsigned GetWindowClassStyle(HWND window) { return WithEntry(window, 0u, [](WindowEntry& e) { return e.params.classStyle; }); }

intptr_t GetWindowExtra(HWND window) { return WithEntry(window, intptr_t{0}, [](WindowEntry& e) { return e.extra; }); }

void SetWindowExtra(HWND window, intptr_t value) {
    WithEntry(window, 0, [&](WindowEntry& e) {
        e.extra = value;
        return 0;
    });
}

TRect GetWindowRect(HWND window) { return WithEntry(window, TRect{}, [](WindowEntry& e) { return e.params.bounds; }); }

TPoint ScreenOrigin(HWND window) {
    TPoint origin;
    for (HWND w = window; w != 0; w = GetParent(w)) {
        const TRect r = GetWindowRect(w);
        origin.x += r.left;
        origin.y += r.top;
    }
    return origin;
}

bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    TRect old;
    const bool exists = WithEntry(window, false, [&](WindowEntry& e) {
        old = e.params.bounds;
        e.params.bounds = Rect(x, y, x + width, y + height);
        e.surface->SetSize(width, height);
        e.invalid = e.invalid.Intersection(TRegion(ClientRect(e)));
        return true;
    });
    if (!exists) return false;
    if (old.left != x || old.top != y) SendMessage(window, WM_MOVE, 0, MakeLong(x, y));
    if (old.Width() != width || old.Height() != height) SendMessage(window, WM_SIZE, 0, MakeLong(width, height));
    if (repaint) InvalidateRect(window, nullptr);
    return true;
}

bool SetWindowRgn(HWND window, std::optional<TRegion> region, bool redraw) {
    const bool exists = WithEntry(window, false, [&](WindowEntry& e) {
        e.region = std::move(region);
        return true;
    });
    if (exists && redraw) InvalidateRect(window, nullptr);
    return exists;
}

std::optional<TRegion> GetWindowRgn(HWND window) {
    return WithEntry(window, std::optional<TRegion>(), [](WindowEntry& e) { return e.region; });
}

bool WindowContainsPoint(HWND window, int x, int y) {
    return WithEntry(window, false, [&](WindowEntry& e) {
        return ClientRect(e).Contains(x, y) && (!e.region || e.region->Contains(x, y));
    });
}

HWND WindowFromPoint(TPoint screen) {
    const std::vector<HWND> tops = ThreadWindows(0, false);
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if (HWND found = HitDeep(*it, screen)) return found;
    }
    return 0;
}

bool ShowWindow(HWND window, bool visible) {
    const bool was = WithEntry(window, false, [&](WindowEntry& e) {
        const bool before = e.visible;
        e.visible = visible;
        if (visible) e.invalid = TRegion(ClientRect(e));
        return before;
    });
    if (!visible && GetFocus() == window) SetFocus(0);
    return was;
}

bool IsWindowVisible(HWND window) {
    for (HWND w = window; w != 0; w = GetParent(w)) {
        if (!WithEntry(w, false, [](WindowEntry& e) { return e.visible; })) return false;
    }
    return IsWindow(window);
}

bool EnableWindow(HWND window, bool enable) {
    bool changed = false;
    const bool wasDisabled = WithEntry(window, false, [&](WindowEntry& e) {
        const bool before = !e.enabled;
        changed = e.enabled != enable;
        e.enabled = enable;
        return before;
    });
    if (!changed) return wasDisabled;
    if (!enable) {
        if (GetFocus() == window) SetFocus(0);
        if (GetCapture() == window) ReleaseCapture();
    }
    SendMessage(window, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND window) { return WithEntry(window, false, [](WindowEntry& e) { return e.enabled; }); }

HWND SetFocus(HWND window) {
    ThreadState& s = threadState;
    if (window != 0 && (!IsWindowVisible(window) || !IsWindowEnabled(window) || !OwnProc(window))) return 0;
    const HWND old = s.focus;
    if (old == window) return old;
    s.focus = window;
    if (IsWindow(old)) SendMessage(old, WM_KILLFOCUS, window, 0);
    if (window != 0) SendMessage(window, WM_SETFOCUS, old, 0);
    for (HWND w : ThreadWindows(0, true)) SendMessage(w, CM_FOCUSCHANGED, 0, window);
    return old;
}

HWND GetFocus() { return threadState.focus; }

HWND SetCapture(HWND window) {
    const HWND old = threadState.capture;
    threadState.capture = OwnProc(window) ? window : 0;
    return old;
}

void ReleaseCapture() { threadState.capture = 0; }

HWND GetCapture() { return threadState.capture; }

void InvalidateRect(HWND window, const TRect* rect) {
    WithEntry(window, 0, [&](WindowEntry& e) {
        const TRegion all(ClientRect(e));
        e.invalid = e.invalid.Union(rect ? all.Intersection(TRegion(*rect)) : all);
        return 0;
    });
}

void InvalidateRgn(HWND window, const TRegion& region) {
    WithEntry(window, 0, [&](WindowEntry& e) {
        e.invalid = e.invalid.Union(region.Intersection(TRegion(ClientRect(e))));
        return 0;
    });
}

void ValidateWindow(HWND window) {
    WithEntry(window, 0, [](WindowEntry& e) {
        e.invalid = TRegion();
        return 0;
    });
}

TRegion GetUpdateRegion(HWND window) { return WithEntry(window, TRegion(), [](WindowEntry& e) { return e.invalid; }); }

bool UpdateWindow(HWND window) {
    if (GetUpdateRegion(window).IsEmpty() || !IsWindowVisible(window)) return false;
    SendMessage(window, WM_PAINT, 0, 0);
    ValidateWindow(window);
    return true;
}

const TBitmap* WindowSurface(HWND window) {
    return WithEntry(window, static_cast<const TBitmap*>(nullptr), [](WindowEntry& e) { return e.surface.get(); });
}

TBitmap CaptureWindow(HWND window) {
    const TBitmap* surface = WindowSurface(window);
    if (!surface) return TBitmap();
    TBitmap picture = *surface;
    for (HWND child : ThreadWindows(window, false)) {
        if (!WithEntry(child, false, [](WindowEntry& e) { return e.visible; })) continue;
        const TBitmap childPicture = CaptureWindow(child);
        const TRect at = GetWindowRect(child);
        TRegion area = WithEntry(child, TRegion(), [](WindowEntry& e) { return VisibleArea(e); });
        area.Offset(at.left, at.top);
        TCanvas canvas(picture);
        canvas.SetClipRegion(area);
        canvas.Draw(at.left, at.top, childPicture);
    }
    return picture;
}

TWindowDC::TWindowDC(HWND window) : window_(window) {
    TRegion clip;
    TBitmap* surface = WithEntry(window, static_cast<TBitmap*>(nullptr), [&](WindowEntry& e) {
        clip = VisibleArea(e);
        return e.surface.get();
    });
    valid_ = surface != nullptr;
    canvas_ = std::make_unique<TCanvas>(surface ? *surface : nothing_);
    canvas_->SetClipRegion(clip);
}

TWindowDC::~TWindowDC() = default;

TPaintDC::TPaintDC(HWND window) : TWindowDC(window) {
    update_ = WithEntry(window, TRegion(), [](WindowEntry& e) {
        TRegion update = e.invalid;
        e.invalid = TRegion();
        return update;
    });
    canvas_->SetClipRegion(canvas_->ClipRegion()->Intersection(update_));
}

bool SetTimer(HWND window, unsigned id, int intervalMs) {
    if (!OwnProc(window)) return false;
    const int interval = std::max(intervalMs, USER_TIMER_MINIMUM);
    auto& timers = threadState.timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it == timers.end()) it = timers.insert(timers.end(), Timer{window, id, 0, 0, false});
    it->interval = interval;
    it->due = GetTickCount() + interval;
    return true;
}

bool KillTimer(HWND window, unsigned id) {
    auto& timers = threadState.timers;
    const size_t before = timers.size();
    std::erase_if(timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    ThreadQueue& q = *threadState.queue;
    {
        std::lock_guard lock(q.mutex);
        std::erase_if(q.posted, [&](const PostedMessage& p) {
            return p.window == window && p.message.Msg == WM_TIMER && static_cast<unsigned>(p.message.WParam) == id;
        });
    }
    return timers.size() != before;
}

namespace userinput {

namespace {

unsigned DownMessage(TMouseButton button) { return button == TMouseButton::mbRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN; }
unsigned UpMessage(TMouseButton button) { return button == TMouseButton::mbRight ? WM_RBUTTONUP : WM_LBUTTONUP; }
unsigned DoubleMessage(TMouseButton button) { return button == TMouseButton::mbRight ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK; }
intptr_t Keys(TMouseButton button) { return button == TMouseButton::mbRight ? MK_RBUTTON : MK_LBUTTON; }

HWND MouseTarget(int x, int y) {
    const HWND target = GetCapture() != 0 ? GetCapture() : WindowFromPoint(TPoint{x, y});
    return target != 0 && IsWindowEnabled(target) ? target : 0;
}

intptr_t ClientPoint(HWND window, int x, int y) {
    const TPoint origin = ScreenOrigin(window);
    return MakeLong(x - origin.x, y - origin.y);
}

bool IsDoubleClick(HWND window, TMouseButton button, int x, int y) {
    const auto& last = threadState.lastPress;
    if (!last || last->window != window || last->button != button) return false;
    if ((GetWindowClassStyle(window) & CS_DBLCLKS) == 0) return false;
    return GetTickCount() - last->tick <= kDoubleClickMs && std::abs(x - last->x) <= kDoubleClickDistance &&
           std::abs(y - last->y) <= kDoubleClickDistance;
}

}  // namespace

void MouseMove(int x, int y) {
    ThreadState& s = threadState;
    const HWND under = WindowFromPoint(TPoint{x, y});
    if (under != s.hot) {
        const HWND old = s.hot;
        s.hot = under;
        if (IsWindow(old)) SendMessage(old, CM_MOUSELEAVE, 0, 0);
        if (under != 0) SendMessage(under, CM_MOUSEENTER, 0, 0);
    }
    if (const HWND target = MouseTarget(x, y)) SendMessage(target, WM_MOUSEMOVE, 0, ClientPoint(target, x, y));
}

void MouseDown(TMouseButton button, int x, int y) {
    const HWND target = MouseTarget(x, y);
    if (target == 0) return;
    if (IsDoubleClick(target, button, x, y)) {
        threadState.lastPress.reset();  // a third press starts a new pair
        SendMessage(target, DoubleMessage(button), Keys(button), ClientPoint(target, x, y));
        return;
    }
    threadState.lastPress = LastPress{target, button, GetTickCount(), x, y};
    SendMessage(target, DownMessage(button), Keys(button), ClientPoint(target, x, y));
}

void MouseUp(TMouseButton button, int x, int y) {
    if (const HWND target = MouseTarget(x, y)) SendMessage(target, UpMessage(button), 0, ClientPoint(target, x, y));
}

void Click(int x, int y) {
    MouseMove(x, y);
    MouseDown(TMouseButton::mbLeft, x, y);
    MouseUp(TMouseButton::mbLeft, x, y);
}

void KeyDown(unsigned short key) {
    const HWND focus = GetFocus();
    if (focus != 0 && IsWindowEnabled(focus)) SendMessage(focus, WM_KEYDOWN, key, 0);
}

void KeyUp(unsigned short key) {
    const HWND focus = GetFocus();
    if (focus != 0 && IsWindowEnabled(focus)) SendMessage(focus, WM_KEYUP, key, 0);
}

void Type(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = utf8::Next(text, pos);
        const HWND focus = GetFocus();
        if (focus != 0 && IsWindowEnabled(focus)) SendMessage(focus, WM_CHAR, static_cast<intptr_t>(c), 0);
    }
}

void Reset() {
    threadState.hot = 0;
    threadState.capture = 0;
    threadState.lastPress.reset();
}

}  // namespace userinput

void DefWindowProc(HWND window, TMessage& message) {
    if (GetWindowClass(window) == "BUTTON" && ButtonWindowProc(window, message)) return;
    if (message.Msg == WM_PAINT) TPaintDC paint(window);  // validates
}
