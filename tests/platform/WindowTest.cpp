#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "TestEnvironment.h"
#include "platform/ButtonWindow.h"
#include "platform/WinControl.h"

namespace {

// A window that writes down every message it gets and then handles it as any control would.
class RecordingWindow : public TPanel, public TWinControl {
public:
    explicit RecordingWindow(TRect bounds, TWinControl* parent = nullptr, std::string windowClass = "")
        : TWinControl(static_cast<TPanel&>(*this)), windowClass_(std::move(windowClass)) {
        Left = bounds.left;
        Top = bounds.top;
        Width = bounds.Width();
        Height = bounds.Height();
        Color = clWhite;
        SetParentControl(parent);
        Handle();
    }
    ~RecordingWindow() override { DestroyHandle(); }

    void WndProc(TMessage& m) override {
        received.push_back(m);
        if (m.Msg == CN_DRAWITEM) drawStates.push_back(reinterpret_cast<TDrawItemStruct*>(m.LParam)->itemState);
        if (m.Msg == CN_COMMAND) notifications.push_back(static_cast<unsigned>(HiWord(m.WParam)));
        if (m.Msg == WM_USER) m.Result = m.WParam * 2;
        TWinControl::WndProc(m);
    }
    int Count(unsigned msg) const {
        int n = 0;
        for (const TMessage& m : received) n += m.Msg == msg ? 1 : 0;
        return n;
    }
    std::vector<unsigned> Messages() const {
        std::vector<unsigned> out;
        for (const TMessage& m : received) out.push_back(m.Msg);
        return out;
    }

    std::vector<TMessage> received;
    std::vector<unsigned> drawStates;
    std::vector<unsigned> notifications;

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        if (!windowClass_.empty()) {
            p.WinClassName = windowClass_;
            p.Style |= BS_OWNERDRAW;
            p.ClassStyle = CS_DBLCLKS;
        }
    }

private:
    std::string windowClass_;
};

class WindowLayer : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        userinput::Reset();
    }
    void TearDown() override {
        ProcessMessages();
        ProgramTest::TearDown();
    }
};

}  // namespace

TEST_F(WindowLayer, SentMessagesAreAnsweredAtOncePostedOnesWhenPumped) {
    RecordingWindow w(Rect(0, 0, 10, 10));
    EXPECT_EQ(SendMessage(w.Handle(), WM_USER, 21), 42);
    EXPECT_TRUE(PostMessage(w.Handle(), WM_USER + 1, 7));
    EXPECT_EQ(w.Count(WM_USER + 1), 0);
    ProcessMessages();
    EXPECT_EQ(w.Count(WM_USER + 1), 1);
}

TEST_F(WindowLayer, AStaleHandleNamesNoWindowAndLosesItsQueuedMessages) {
    HWND stale = 0;
    {
        RecordingWindow w(Rect(0, 0, 10, 10));
        stale = w.Handle();
        PostMessage(stale, WM_USER, 1);
    }
    EXPECT_FALSE(IsWindow(stale));
    EXPECT_EQ(SendMessage(stale, WM_USER, 21), 0);
    EXPECT_FALSE(PostMessage(stale, WM_USER, 1));
    ProcessMessages();  // the message posted before must not reach the freed window (ASan)
    RecordingWindow next(Rect(0, 0, 10, 10));
    EXPECT_NE(next.Handle(), stale);
}

TEST_F(WindowLayer, MovingAndSizingReachTheControl) {
    RecordingWindow w(Rect(5, 6, 30, 20));
    w.received.clear();
    w.SetBounds(7, 6, 40, 14);
    EXPECT_EQ(w.Messages(), (std::vector<unsigned>{WM_MOVE, WM_SIZE}));
    EXPECT_EQ(w.Left, 7);
    EXPECT_EQ(w.Width, 40);
    EXPECT_EQ(w.Height, 14);
    EXPECT_EQ(WindowSurface(w.Handle())->Width(), 40);
}

TEST_F(WindowLayer, FocusMovesWithKillAndSetAndEveryWindowHearsOfIt) {
    RecordingWindow a(Rect(0, 0, 10, 10)), b(Rect(20, 0, 30, 10));
    a.SetFocus();
    a.received.clear();
    b.received.clear();
    b.SetFocus();
    EXPECT_TRUE(b.Focused());
    // The controls hear of it as exit and enter, right after the window messages.
    EXPECT_EQ(a.Messages(), (std::vector<unsigned>{WM_KILLFOCUS, CM_EXIT, CM_FOCUSCHANGED}));
    EXPECT_EQ(b.Messages(), (std::vector<unsigned>{WM_SETFOCUS, CM_ENTER, CM_FOCUSCHANGED}));
    EXPECT_EQ(a.received.back().LParam, b.Handle());

    b.SetEnabled(false);
    EXPECT_EQ(GetFocus(), 0);
    EXPECT_FALSE(IsWindowEnabled(b.Handle()));
    EXPECT_EQ(SetFocus(b.Handle()), 0);
    EXPECT_EQ(GetFocus(), 0);
}

TEST_F(WindowLayer, MouseEnterAndLeaveFollowTheWindowRegion) {
    RecordingWindow form(Rect(0, 0, 100, 100));
    RecordingWindow child(Rect(10, 10, 50, 30), &form);
    SetWindowRgn(child.Handle(), TRegion(Rect(0, 0, 20, 20)), false);  // only the left half
    userinput::MouseMove(5, 5);
    EXPECT_EQ(form.Count(CM_MOUSEENTER), 1);
    userinput::MouseMove(15, 15);
    EXPECT_EQ(child.Count(CM_MOUSEENTER), 1);
    EXPECT_EQ(form.Count(CM_MOUSELEAVE), 1);
    userinput::MouseMove(40, 15);  // inside the rectangle, outside the region
    EXPECT_EQ(child.Count(CM_MOUSELEAVE), 1);
    EXPECT_EQ(form.Count(CM_MOUSEENTER), 2);
    child.SetEnabled(false);  // disabled windows still hear enter and leave, but no moves
    child.received.clear();
    userinput::MouseMove(12, 12);
    EXPECT_EQ(child.Messages(), (std::vector<unsigned>{CM_MOUSEENTER}));
}

TEST_F(WindowLayer, PaintingKeepsToTheWindowRegionAndTheCaptureShowsChildrenCut) {
    RecordingWindow form(Rect(0, 0, 40, 20));
    form.Color = clNavy;
    RecordingWindow child(Rect(10, 5, 30, 15), &form);
    child.Color = clYellow;
    TRegion diamond = PolygonRegion({{10, 0}, {20, 5}, {10, 10}, {0, 5}});
    SetWindowRgn(child.Handle(), diamond, true);
    ProcessMessages();
    const TBitmap screen = CaptureWindow(form.Handle());
    EXPECT_EQ(screen.Pixel(20, 10), clYellow);  // middle of the diamond
    EXPECT_EQ(screen.Pixel(11, 6), clNavy);     // child's corner, cut away
    EXPECT_EQ(screen.Pixel(2, 2), clNavy);
    EXPECT_EQ(GetWindowRgn(child.Handle()), diamond);
}

TEST_F(WindowLayer, TimersRunOnTheManualClockWithoutPilingUp) {
    RecordingWindow w(Rect(0, 0, 10, 10));
    ASSERT_TRUE(SetTimer(w.Handle(), 3, 40));
    clock->Advance(39);
    ProcessMessages();
    EXPECT_EQ(w.Count(WM_TIMER), 0);
    clock->Advance(1);
    ProcessMessages();
    EXPECT_EQ(w.Count(WM_TIMER), 1);
    EXPECT_EQ(w.received.back().WParam, 3);
    clock->Advance(400);  // ten intervals missed: still one message
    ProcessMessages();
    EXPECT_EQ(w.Count(WM_TIMER), 2);
    EXPECT_TRUE(KillTimer(w.Handle(), 3));
    clock->Advance(400);
    ProcessMessages();
    EXPECT_EQ(w.Count(WM_TIMER), 2);
}

TEST_F(WindowLayer, ATimerMayStopOrDestroyItselfInItsHandler) {
    auto timer = std::make_unique<TTimer>();
    int ticks = 0;
    timer->SetInterval(40);
    timer->SetOnTimer([&](TObject*) {
        if (++ticks == 2) timer.reset();  // freed inside its own handler
    });
    for (int i = 0; i < 5; ++i) {
        clock->Advance(40);
        ProcessMessages();
    }
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(timer, nullptr);

    TTimer quiet;
    quiet.SetOnTimer([&](TObject*) { ++ticks; });
    quiet.SetInterval(40);
    quiet.SetEnabled(false);
    clock->Advance(100);
    ProcessMessages();
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(quiet.Running());
}

TEST_F(WindowLayer, LoadingStateLastsUntilLoaded) {
    TButton b;
    EXPECT_FALSE(b.Loading());
    b.BeginLoading();
    EXPECT_TRUE(b.Loading());
    b.Loaded();
    EXPECT_FALSE(b.Loading());
}

// ---- the owner-drawn button's press ----

TEST_F(WindowLayer, APressIsDrawnAndClicksOnlyWhenReleasedOverTheButton) {
    RecordingWindow button(Rect(10, 10, 40, 30), nullptr, "BUTTON");
    userinput::MouseMove(20, 20);
    userinput::MouseDown(TMouseButton::mbLeft, 20, 20);
    EXPECT_TRUE(ButtonPushed(button.Handle()));
    EXPECT_TRUE(button.Focused());
    ASSERT_FALSE(button.drawStates.empty());
    EXPECT_EQ(button.drawStates.back() & ODS_SELECTED, ODS_SELECTED);
    userinput::MouseMove(60, 20);  // dragged off: shown released, still captured
    EXPECT_FALSE(ButtonPushed(button.Handle()));
    userinput::MouseUp(TMouseButton::mbLeft, 60, 20);
    EXPECT_TRUE(button.notifications.empty());

    clock->Advance(1000);  // not a double click
    userinput::Click(20, 20);
    EXPECT_EQ(button.notifications, (std::vector<unsigned>{BN_CLICKED}));
    EXPECT_EQ(button.drawStates.back() & ODS_SELECTED, 0u);
}

TEST_F(WindowLayer, ASecondQuickPressIsADoubleClickTheOwnerDrawnButtonOnlyReports) {
    RecordingWindow button(Rect(0, 0, 30, 20), nullptr, "BUTTON");
    userinput::Click(5, 5);
    clock->Advance(200);
    userinput::MouseDown(TMouseButton::mbLeft, 6, 5);
    userinput::MouseUp(TMouseButton::mbLeft, 6, 5);
    EXPECT_EQ(button.Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(button.notifications, (std::vector<unsigned>{BN_CLICKED, BN_DOUBLECLICKED}));
    clock->Advance(600);  // too slow for a double click
    userinput::Click(5, 5);
    EXPECT_EQ(button.Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(button.Count(WM_LBUTTONDOWN), 2);
}

TEST_F(WindowLayer, TheSpaceKeyClicksAndADisabledButtonIgnoresEverything) {
    RecordingWindow button(Rect(0, 0, 30, 20), nullptr, "BUTTON");
    button.SetFocus();
    userinput::KeyDown(VK_SPACE);
    EXPECT_TRUE(ButtonPushed(button.Handle()));
    userinput::KeyUp(VK_SPACE);
    EXPECT_EQ(button.notifications, (std::vector<unsigned>{BN_CLICKED}));
    button.SetEnabled(false);
    userinput::Click(5, 5);
    userinput::KeyDown(VK_SPACE);
    userinput::KeyUp(VK_SPACE);
    EXPECT_EQ(button.notifications.size(), 1u);
    EXPECT_EQ(button.drawStates.empty() ? 0u : button.drawStates.back() & ODS_SELECTED, 0u);
}

TEST_F(WindowLayer, LosingTheFocusMidPressReleasesWithoutAClick) {
    RecordingWindow button(Rect(0, 0, 30, 20), nullptr, "BUTTON");
    RecordingWindow other(Rect(50, 0, 60, 20));
    userinput::MouseDown(TMouseButton::mbLeft, 5, 5);
    other.SetFocus();
    EXPECT_FALSE(ButtonPushed(button.Handle()));
    EXPECT_EQ(GetCapture(), 0);
    userinput::MouseUp(TMouseButton::mbLeft, 5, 5);
    EXPECT_TRUE(button.notifications.empty());
}

// ---- threads ----

TEST(WindowThread, ASendFromAnotherThreadRunsOnTheWindowThread) {
    RecordingWindow w(Rect(0, 0, 10, 10));
    const HWND handle = w.Handle();
    std::atomic<intptr_t> answer{-1};
    std::thread sender([&] { answer = SendMessage(handle, WM_USER, 5); });
    while (w.Count(WM_USER) == 0) {
        WaitMessage();
        ProcessMessages();
    }
    sender.join();
    EXPECT_EQ(answer, 10);
    EXPECT_EQ(w.Count(WM_USER), 1);  // handled here, where the window lives
}

TEST(WindowThread, DestroyingTheWindowReleasesAWaitingSender) {
    auto w = std::make_unique<RecordingWindow>(Rect(0, 0, 10, 10));
    const HWND handle = w->Handle();
    std::atomic<bool> returned{false};
    std::thread sender([&] {
        SendMessage(handle, WM_USER, 5);
        returned = true;
    });
    // Let the message arrive, then destroy the window without pumping.
    WaitMessage();
    w.reset();
    sender.join();
    EXPECT_TRUE(returned);
}

TEST(WindowThread, ASendRacingTheWindowsDestructionIsNeverLeftWaiting) {
    // The sender finds the window, and the window is destroyed before the message is queued:
    // the sender must still be answered, or a thread joined after destroying its target window
    // would wait for ever. Each round destroys the window at a slightly different moment.
    // The sender says when it is through; a sender that is never answered shows after a minute,
    // which no busy machine needs for one message.
    int stuck = 0;
    for (int round = 0; round < 3000; ++round) {
        auto w = std::make_unique<RecordingWindow>(Rect(0, 0, 10, 10));
        const HWND handle = w->Handle();
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        std::thread sender([&] {
            while (SendMessage(handle, WM_USER, 5) != 0 || IsWindow(handle)) {}
            std::lock_guard lock(mutex);
            done = true;
            finished.notify_all();
        });
        while (w->Count(WM_USER) == 0) {
            WaitMessage();
            HandleSentMessages();
        }
        std::atomic<int> spin{0};
        while (spin.fetch_add(1, std::memory_order_relaxed) < round % 1000) {}
        w.reset();
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::minutes(1), [&] { return done; })) {
            ++stuck;
            while (!done) {  // release it, so the test fails instead of hanging
                lock.unlock();
                HandleSentMessages();
                lock.lock();
            }
        }
        lock.unlock();
        sender.join();
    }
    EXPECT_EQ(stuck, 0);
}
