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

namespace {

// The folders a program finds by the environment: its own, the user's home and the XDG folders.
// A test points every one of them into its own folder, so that nothing it runs writes elsewhere.
const char* const kFolderVariables[] = {"MAROVELKA_HOME",  "HOME",           "XDG_CONFIG_HOME",
                                        "XDG_DATA_HOME",   "XDG_CACHE_HOME", "XDG_STATE_HOME"};

// A fresh folder in the temporary folder, ending in '/'; empty when none could be made.
std::string MakeTemporaryFolder(const char* prefix) {
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    const char* made = mkdtemp(pattern.data());
    return made ? std::string(made) + "/" : std::string();
}

}  // namespace

void ProgramTest::SetUp() {
    for (const char* variable : kFolderVariables)
        if (const char* value = std::getenv(variable)) savedFolders_.emplace_back(variable, value);
    folder = MakeTemporaryFolder("marovelka-test");
    ASSERT_FALSE(folder.empty());
    // The home beside the program folder, not in it: tests count what the program folder holds.
    home = MakeTemporaryFolder("marovelka-heim");
    ASSERT_FALSE(home.empty());
    fs::create_directories(folder + "config");
    setenv("MAROVELKA_HOME", folder.c_str(), 1);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder + "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + ".local/share").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + ".cache").c_str(), 1);
    setenv("XDG_STATE_HOME", (home + ".local/state").c_str(), 1);
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
    if (!home.empty()) fs::remove_all(home, error);
    // The next test of this process, or one that is no ProgramTest, finds the folders as they were.
    for (const char* variable : kFolderVariables) unsetenv(variable);
    for (const auto& [variable, value] : savedFolders_) setenv(variable.c_str(), value.c_str(), 1);
    savedFolders_.clear();
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
