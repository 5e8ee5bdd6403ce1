#include "frontend/StopSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {

constexpr int kStopSignals[] = {SIGHUP, SIGTERM, SIGQUIT, SIGPIPE, SIGINT};

// Lock-free, so that a handler may touch them.
std::atomic<int> stopSignal{0};
std::atomic<bool> interrupt{false};
std::atomic<bool> interruptAsks{false};
std::atomic<int> wakeRead{-1}, wakeWrite{-1};

void Wake() {
    const int fd = wakeWrite.load();
    if (fd < 0) return;
    const char byte = 1;
    // A full pipe wakes the waiter already.
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
}

void OnSignal(int signal) {
    const int savedErrno = errno;
    NoteStopSignal(signal);
    errno = savedErrno;
}

void DrainWakePipe() {
    const int fd = wakeRead.load();
    if (fd < 0) return;
    char bytes[64];
    while (::read(fd, bytes, sizeof bytes) > 0) {
    }
}

}  // namespace

void NoteStopSignal(int signal) {
    if (signal == SIGINT && interruptAsks.load()) {
        interrupt.store(true);
    } else {
        int none = 0;
        stopSignal.compare_exchange_strong(none, signal);
    }
    Wake();
}

void InstallStopSignals(bool atTerminal) {
    interruptAsks.store(atTerminal);
    if (wakeRead.load() < 0) {
        int pipe[2];
        if (::pipe2(pipe, O_NONBLOCK | O_CLOEXEC) == 0) {
            wakeRead.store(pipe[0]);
            wakeWrite.store(pipe[1]);
        }
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : kStopSignals) sigaddset(&action.sa_mask, signal);
    // Calls such as a wait for a file lock go on after the handler; a wait for input wakes by
    // the pipe.
    action.sa_flags = SA_RESTART;
    for (int signal : kStopSignals) ::sigaction(signal, &action, nullptr);
}

int StopSignal() { return stopSignal.load(); }

bool InterruptPending() { return interrupt.load(); }

bool TakeInterrupt() {
    if (!interrupt.exchange(false)) return false;
    if (StopSignal() == 0) DrainWakePipe();
    return true;
}

int StopSignalWakeDescriptor() { return wakeRead.load(); }

void ResetStopSignals() {
    stopSignal.store(0);
    interrupt.store(false);
    DrainWakePipe();
}

std::string StopSignalText(int signal) {
    switch (signal) {
        case SIGHUP: return "das Terminal wurde geschlossen (SIGHUP)";
        case SIGTERM: return "es wurde dazu aufgefordert (SIGTERM)";
        case SIGQUIT: return "es wurde zum sofortigen Ende aufgefordert (SIGQUIT)";
        case SIGPIPE: return "seine Ausgabe wird nicht mehr gelesen (SIGPIPE)";
        case SIGINT: return "es wurde mit Strg-C abgebrochen (SIGINT)";
        default: return "Signal " + std::to_string(signal);
    }
}
