#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A worker thread with cooperative pause and stop. It is created paused and starts at the
// first Resume. A pause or stop request takes effect only where Execute asks for it (Wait,
// PausePoint), so the thread is never held while it owns anything, and waiting is
// interruptible: a stop request ends a Wait at once.
class TThread {
public:
    TThread() = default;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    // Stops and joins; a derived class must call Stop() in its own destructor, because Execute
    // must not outlive the derived object.
    virtual ~TThread();

    // Starts the thread on its first call, lifts a pause afterwards; nothing after Terminate.
    void Resume();
    // Asks for a pause at the next pause point.
    void Suspend();
    void Terminate();
    // Waits for the end of Execute; while waiting, dispatch (when given) is called repeatedly so
    // the waiting thread can still serve what the worker is waiting for.
    void WaitFor(const std::function<void()>& dispatch = nullptr);
    // Terminate, resume a paused thread so it sees the request, and wait.
    void Stop(const std::function<void()>& dispatch = nullptr);
    // Waits until the thread rests at a pause point (or has ended, or never started); dispatch
    // as for WaitFor.
    void WaitParked(const std::function<void()>& dispatch = nullptr);

    bool Started() const;
    bool Suspended() const;
    bool Terminated() const;
    // True while the thread actually rests at a pause point.
    bool Parked() const;
    bool Finished() const;

protected:
    virtual void Execute() = 0;
    // Blocks while a pause is asked for; false once termination is requested.
    bool PausePoint();
    // Sleeps up to ms milliseconds; false when a pause or stop request cut it short.
    bool Wait(int ms);

private:
    void Run();
    // Waits (under the lock) until reached() holds, calling dispatch between short waits.
    void WaitUntil(const std::function<bool()>& reached, const std::function<void()>& dispatch);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
    bool started_ = false;
    bool suspended_ = false;
    bool terminated_ = false;
    bool parked_ = false;
    bool finished_ = false;
};
