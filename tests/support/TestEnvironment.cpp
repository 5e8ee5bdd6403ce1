#include "TestEnvironment.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Random.h"

// Built twice: for the platform's tests alone, and with the program's globals for every layer
// from the tables on, whose state must not leak from one test into the next.
#ifdef MAROVELKA_TEST_PROGRAM_GLOBALS
#include "foundation/ProgramGlobals.h"
namespace {
void ResetProgramGlobals() {
    DebugModus = false;
    LogMemo = nullptr;
    IniPath.clear();
}
}  // namespace
#else
namespace {
void ResetProgramGlobals() {}
}  // namespace
#endif

namespace fs = std::filesystem;

TDateTime TestStartTime() {
    TDateTime t;
    t.Year = 2026;
    t.Month = 12;
    t.Day = 6;
    t.Hour = 9;
    t.Minute = 5;
    t.Second = 3;
    return t;
}

void ProgramTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "marovelka-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    ASSERT_NE(made, nullptr);
    folder = std::string(made) + "/";
    fs::create_directories(folder + "config");
    setenv("MAROVELKA_HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder + "config").c_str(), 1);
    unsetenv("MAROVELKA_DEVELOPER");
    clock = std::make_unique<ManualClock>(TestStartTime());
    SetClock(clock.get());
    SetUiHost(&ui);
    ResetProgramGlobals();
    prng::Seed(4711);
}

void ProgramTest::TearDown() {
    EXPECT_TRUE(ui.unscripted.empty()) << "unscripted question: " << ui.unscripted.front();
    EXPECT_EQ(ui.PendingAnswers(), 0u) << "answers queued but never asked for";
    SetUiHost(nullptr);
    SetClock(nullptr);
    ResetProgramGlobals();
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(folder, error);
}

std::string ProgramTest::ReadProgramFile(const std::string& name) const {
    std::ifstream in(folder + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool ProgramTest::ProgramFileExists(const std::string& name) const { return fs::exists(folder + name); }

void ProgramTest::WriteProgramFile(const std::string& name, const std::string& content) const {
    std::ofstream out(folder + name, std::ios::binary | std::ios::trunc);
    out << content;
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
    // A write past the limit would otherwise end the process with SIGXFSZ.
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
    savedSoftLimit_ = limit.rlim_cur;
    if (limit.rlim_max != RLIM_INFINITY && bytes > limit.rlim_max) return;
    limit.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    if (active_ && getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = static_cast<rlim_t>(savedSoftLimit_);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, savedHandler_);
}
