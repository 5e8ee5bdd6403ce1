#pragma once
// The built program as a process of its own, in a program folder of its own (one program runs
// per program folder), fed its input line by line through a pipe while the test waits for what
// it shows: so that another process can act between two of its commands.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

class ProgramProcess {
public:
    // typed: the input is taken as typed at a terminal (prompts, questions asked); else it is
    // a script (questions answered by "antwort" lines, none left unanswered).
    ProgramProcess(const std::string& home, bool typed, const std::vector<std::string>& arguments = {}) {
        std::filesystem::create_directories(home + "config");
        std::vector<std::string> environment{"PATH=/usr/bin:/bin", "LANG=C.UTF-8", "HOME=" + home,
                                             "MAROVELKA_HOME=" + home, "XDG_CONFIG_HOME=" + home + "config",
                                             "MAROVELKA_TEST=1", "MAROVELKA_CLOCK=06.12.2026 09:05:03"};
        if (typed) environment.push_back("MAROVELKA_TERMINAL=1");
        // A sanitizer build's program keeps its options; its leak checker lists no suppressions.
        for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"})
            if (const char* value = std::getenv(name)) environment.push_back(std::string(name) + "=" + value);
        const char* leaks = std::getenv("LSAN_OPTIONS");
        environment.push_back(std::string("LSAN_OPTIONS=print_suppressions=0") + (leaks ? std::string(":") + leaks : ""));
        std::vector<std::string> argv{std::string(MAROVELKA_BINARY_DIR) + "/marovelkandis"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        // A program that ended before its input did must not end the test with it.
        signal(SIGPIPE, SIG_IGN);
        int input[2], output[2];
        if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            signal(SIGPIPE, SIG_DFL);
            dup2(input[0], STDIN_FILENO);
            dup2(output[1], STDOUT_FILENO);
            dup2(output[1], STDERR_FILENO);
            std::vector<char*> args, envp;
            for (std::string& a : argv) args.push_back(a.data());
            for (std::string& e : environment) envp.push_back(e.data());
            args.push_back(nullptr);
            envp.push_back(nullptr);
            execve(args[0], args.data(), envp.data());
            _exit(127);
        }
        close(input[0]);
        close(output[1]);
        in_ = input[1];
        out_ = output[0];
    }
    ~ProgramProcess() {
        EndInput();
        if (out_ >= 0) close(out_);
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return pid_ > 0 && in_ >= 0 && out_ >= 0; }
    void Send(const std::string& line) {
        const std::string bytes = line + "\n";
        if (in_ < 0 || write(in_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) EndInput();
    }
    // Reads until the output holds `text` after what was read before; false when the program
    // ends or stays silent for a long while (or for `patience`) first.
    bool WaitFor(const std::string& text, std::chrono::milliseconds patience = std::chrono::seconds(60)) {
        const size_t from = seen_;
        return ReadUntil(
            [&] {
                const size_t at = output_.find(text, from);
                if (at != std::string::npos) seen_ = at + text.size();
                return at != std::string::npos;
            },
            patience);
    }
    // Ends the input, reads what is left and waits for the program: its exit status, -1 when
    // it did not end by itself.
    int ExitStatus() {
        EndInput();
        return WaitForExit();
    }
    // Waits for the program to end by itself, its input left open (it ends on a signal, not
    // because its input did): the exit status, -1 when it was killed instead.
    int WaitForExit() {
        ReadUntil([] { return false; }, std::chrono::seconds(60));
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_) return -1;
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Signal(int number) {
        if (pid_ > 0 && !exited_) kill(pid_, number);
    }
    const std::string& Output() const { return output_; }

    // Runs the program on a script given as its lines to the end; its exit status.
    static int RunScript(const std::string& home, const std::vector<std::string>& lines, std::string* shown = nullptr) {
        ProgramProcess program(home, false);
        for (const std::string& line : lines) program.Send(line);
        const int status = program.ExitStatus();
        if (shown) *shown = program.Output();
        return status;
    }

private:
    template <typename Done>
    bool ReadUntil(Done done, std::chrono::milliseconds patience) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!done()) {
            if (ended_) return false;
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd ready{out_, POLLIN, 0};
            if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
            char buffer[4096];
            const ssize_t got = read(out_, buffer, sizeof buffer);
            if (got <= 0) ended_ = true;
            else output_.append(buffer, static_cast<size_t>(got));
        }
        return true;
    }
    void EndInput() {
        if (in_ >= 0) close(in_);
        in_ = -1;
    }

    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    std::string output_;
    size_t seen_ = 0;
    bool ended_ = false;
    bool exited_ = false;
};
