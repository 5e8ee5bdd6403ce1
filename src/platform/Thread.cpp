#include "platform/Thread.h"

#include <chrono>

TThread::~TThread() { Stop(); }

void TThread::Resume() {
    std::lock_guard lock(mutex_);
    if (terminated_) return;
    suspended_ = false;
    if (!started_) {
        started_ = true;
        thread_ = std::thread([this] { Run(); });
    }
    changed_.notify_all();
}

void TThread::Suspend() {
    std::lock_guard lock(mutex_);
    suspended_ = true;
    changed_.notify_all();
}

void TThread::Terminate() {
    std::lock_guard lock(mutex_);
    terminated_ = true;
    changed_.notify_all();
}

void TThread::WaitUntil(const std::function<bool()>& reached, const std::function<void()>& dispatch) {
    std::unique_lock lock(mutex_);
    while (started_ && !reached()) {
        if (dispatch) {
            lock.unlock();
            dispatch();
            lock.lock();
            changed_.wait_for(lock, std::chrono::milliseconds(1), reached);
        } else {
            changed_.wait(lock, reached);
        }
    }
}

void TThread::WaitFor(const std::function<void()>& dispatch) {
    WaitUntil([this] { return finished_; }, dispatch);
    if (thread_.joinable()) thread_.join();
}

void TThread::WaitParked(const std::function<void()>& dispatch) {
    WaitUntil([this] { return parked_ || finished_; }, dispatch);
}

void TThread::Stop(const std::function<void()>& dispatch) {
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
        suspended_ = false;
        changed_.notify_all();
    }
    WaitFor(dispatch);
}

bool TThread::Started() const { std::lock_guard lock(mutex_); return started_; }
bool TThread::Suspended() const { std::lock_guard lock(mutex_); return suspended_; }
bool TThread::Terminated() const { std::lock_guard lock(mutex_); return terminated_; }
bool TThread::Parked() const { std::lock_guard lock(mutex_); return parked_; }
bool TThread::Finished() const { std::lock_guard lock(mutex_); return finished_; }

bool TThread::PausePoint() {
    std::unique_lock lock(mutex_);
    if (suspended_ && !terminated_) {
        parked_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return !suspended_ || terminated_; });
        parked_ = false;
    }
    return !terminated_;
}

bool TThread::Wait(int ms) {
    std::unique_lock lock(mutex_);
    const bool interrupted = changed_.wait_for(lock, std::chrono::milliseconds(ms < 0 ? 0 : ms),
                                               [this] { return suspended_ || terminated_; });
    return !interrupted;
}

void TThread::Run() {
    Execute();
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}
