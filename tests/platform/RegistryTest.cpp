#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "TestEnvironment.h"
#include "RefusingFileOperations.h"
#include "platform/Registry.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kKey = "Software\\Durnwalde\\Marovelkandis4";
}

class RegistryTest : public ProgramTest {
protected:
    std::string StoreFile() const { return folder + "config/marovelkandis/registry"; }
    std::string StoreContent() const { return ReadProgramFile("config/marovelkandis/registry"); }
    void WriteStore(const std::string& content) const {
        fs::create_directories(folder + "config/marovelkandis");
        WriteProgramFile("config/marovelkandis/registry", content);
    }
};

TEST_F(RegistryTest, StoreLivesUnderTheUsersConfigFolder) {
    EXPECT_EQ(registry::StorePath(), StoreFile());
    const char* home = getenv("HOME");
    const std::string savedHome = home ? home : "";
    setenv("HOME", "/home/anna", 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(registry::StorePath(), "/home/anna/.config/marovelkandis/registry");
    setenv("XDG_CONFIG_HOME", "relativ/pfad", 1);
    EXPECT_EQ(registry::StorePath(), "/home/anna/.config/marovelkandis/registry") << "a relative folder is ignored";
    unsetenv("HOME");
    EXPECT_EQ(registry::StorePath(), "");
    EXPECT_FALSE(registry::WriteString(kKey, "Logo", "x"));
    EXPECT_EQ(registry::ReadString(kKey, "Logo"), std::nullopt);
    if (home) setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(RegistryTest, IntegersAndTextsComeBackUnchanged) {
    const std::string awkward = "Größe=5; Ärger\tmit %20 und\r\nZeilen";
    EXPECT_TRUE(registry::WriteInteger(kKey, "Tree1Height", 350));
    EXPECT_TRUE(registry::WriteInteger(kKey, "Farbe4", static_cast<int>(0x80000018u)));
    EXPECT_TRUE(registry::WriteInteger(kKey, "Klein", INT_MIN));
    EXPECT_TRUE(registry::WriteString(kKey, "Farbschema", "Grau"));
    EXPECT_TRUE(registry::WriteString(kKey, "Logo", ""));
    EXPECT_TRUE(registry::WriteString(kKey, "TurFileDir", awkward));
    EXPECT_EQ(registry::ReadInteger(kKey, "Tree1Height"), 350);
    EXPECT_EQ(registry::ReadInteger(kKey, "Farbe4"), static_cast<int>(0x80000018u));
    EXPECT_EQ(registry::ReadInteger(kKey, "Klein"), INT_MIN);
    EXPECT_EQ(registry::ReadString(kKey, "Farbschema"), "Grau");
    EXPECT_EQ(registry::ReadString(kKey, "Logo"), "") << "an empty text exists";
    EXPECT_EQ(registry::ReadString(kKey, "TurFileDir"), awkward);
}

TEST_F(RegistryTest, MissingValueOrKeyOrStoreGivesNothing) {
    EXPECT_EQ(registry::ReadString(kKey, "Farbschema"), std::nullopt);
    EXPECT_FALSE(fs::exists(StoreFile())) << "reading creates nothing";
    registry::WriteString(kKey, "Farbschema", "Blau");
    EXPECT_EQ(registry::ReadString(kKey, "SoundDir"), std::nullopt);
    EXPECT_EQ(registry::ReadString("Software\\Anderes", "Farbschema"), std::nullopt);
}

TEST_F(RegistryTest, EachValueHasOneKind) {
    registry::WriteString(kKey, "Radio", "2");
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio"), std::nullopt);
    registry::WriteInteger(kKey, "Radio", 3);
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio"), 3);
    EXPECT_EQ(registry::ReadString(kKey, "Radio"), std::nullopt);
}

TEST_F(RegistryTest, NamesMatchWithoutRegardToCase) {
    registry::WriteString(kKey, "SoundMinuten", "5");
    registry::WriteString("SOFTWARE\\durnwalde\\marovelkandis4", "soundminuten", "7");
    EXPECT_EQ(registry::ReadString(kKey, "SoundMinuten"), "7");
    EXPECT_EQ(StoreContent().find("soundminuten"), std::string::npos) << "the first spelling stays";
}

TEST_F(RegistryTest, WritingOneValueKeepsAllOthers) {
    registry::WriteInteger(kKey, "Combo2", 4);
    registry::WriteString("Software\\Anderes", "Combo2", "fremd");
    registry::WriteInteger(kKey, "Combo3", 5);
    registry::WriteInteger(kKey, "Combo2", 6);
    EXPECT_EQ(registry::ReadInteger(kKey, "Combo2"), 6);
    EXPECT_EQ(registry::ReadInteger(kKey, "Combo3"), 5);
    EXPECT_EQ(registry::ReadString("Software\\Anderes", "Combo2"), "fremd");
}

TEST_F(RegistryTest, StoreIsPrivateAndNoTemporaryFileIsLeft) {
    registry::WriteString(kKey, "Logo", "logo.bmp");
    registry::WriteString(kKey, "Logo", "neu.bmp");
    struct stat info {};
    ASSERT_EQ(stat(StoreFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder + "config/marovelkandis")) {
        EXPECT_EQ(entry.path().filename(), "registry");
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(RegistryTest, DamagedStoreReadsAsEmptyAndSurvivesReading) {
    for (const std::string& damaged : {std::string("kein Speicher\n"), std::string(),
                                      std::string("Marovelkandis registry 1\nSoftware\\X\tName\tinteger\tzwölf\n"),
                                      std::string("Marovelkandis registry 1\nSoftware\\X\tName\ttext\t%4\n"),
                                      std::string("Marovelkandis registry 1\nSoftware\\X\tName\ttext\tabgeschnitten"),
                                      std::string("Marovelkandis registry 1\nSoftware\\X\tName\ttext\tWindows\r\n"),
                                      std::string("Marovelkandis registry 1\n\0\xff\n", 28)}) {
        WriteStore(damaged);
        EXPECT_EQ(registry::ReadString("Software\\X", "Name"), std::nullopt);
        EXPECT_EQ(registry::ReadInteger("Software\\X", "Name"), std::nullopt);
        EXPECT_EQ(StoreContent(), damaged);
    }
}

TEST_F(RegistryTest, EveryDamagedStoreIsKeptUnderANumberOfItsOwn) {
    WriteStore("kaputt\n");
    EXPECT_TRUE(registry::WriteString(kKey, "Farbschema", "Grau"));
    EXPECT_EQ(registry::ReadString(kKey, "Farbschema"), "Grau");
    WriteStore("wieder kaputt\n");
    EXPECT_TRUE(registry::WriteInteger(kKey, "Radio", 2));
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio"), 2);
    EXPECT_EQ(ReadProgramFile("config/marovelkandis/registry.damaged.1"), "kaputt\n");
    EXPECT_EQ(ReadProgramFile("config/marovelkandis/registry.damaged.2"), "wieder kaputt\n");
}

TEST_F(RegistryTest, AStoreKeptAlreadyIsNotKeptTwiceWhenTheWriteFailed) {
    WriteStore(std::string(200, 'x'));
    {
        FileSizeLimit full(100);
        if (!full.Active()) GTEST_SKIP() << "no file size limit";
        EXPECT_FALSE(registry::WriteString(kKey, "Logo", std::string(300, 'y')));
    }
    EXPECT_EQ(StoreContent(), std::string(200, 'x'));
    EXPECT_TRUE(registry::WriteString(kKey, "Logo", "logo.bmp"));
    EXPECT_EQ(ReadProgramFile("config/marovelkandis/registry.damaged.1"), std::string(200, 'x'));
    EXPECT_FALSE(fs::exists(StoreFile() + ".damaged.2"));
}

TEST_F(RegistryTest, EveryCallThatFindsTheStoreDamagedSaysSo) {
    std::vector<registry::DamagedStore> told;
    const registry::DamagedStoreNotice notice = [&told](const registry::DamagedStore& store) { told.push_back(store); };
    EXPECT_EQ(registry::ReadString(kKey, "Logo", notice), std::nullopt);
    EXPECT_TRUE(told.empty()) << "a missing store is not a damaged one";
    WriteStore("kaputt\n");
    EXPECT_EQ(registry::ReadString(kKey, "Logo", notice), std::nullopt);
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio", notice), std::nullopt);
    EXPECT_TRUE(registry::WriteInteger(kKey, "Radio", 3, notice));
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio", notice), 3);
    ASSERT_EQ(told.size(), 3u);
    for (const auto& store : told) EXPECT_EQ(store.path, StoreFile());
    EXPECT_EQ(told[0].keptAs, "");
    EXPECT_EQ(told[1].keptAs, "");
    EXPECT_EQ(told[2].keptAs, StoreFile() + ".damaged.1");
}

TEST_F(RegistryTest, ReadOnlyConfigFolderLosesWritesAndKeepsTheStore) {
    registry::WriteString(kKey, "Farbschema", "Grau");
    const std::string before = StoreContent();
    RefusingFileOperations readOnly;
    readOnly.readOnlyFolder = folder + "config/marovelkandis";
    ScopedFileOperations scope(readOnly);
    EXPECT_FALSE(registry::WriteString(kKey, "Farbschema", "Blau"));
    EXPECT_EQ(registry::ReadString(kKey, "Farbschema"), "Grau");
    EXPECT_EQ(StoreContent(), before);
}

TEST_F(RegistryTest, ConfigFolderThatCannotBeCreatedLosesWrites) {
    RefusingFileOperations readOnly;
    readOnly.readOnlyFolder = folder + "config";
    ScopedFileOperations scope(readOnly);
    EXPECT_FALSE(registry::WriteInteger(kKey, "Radio", 2));
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio"), std::nullopt);
    EXPECT_FALSE(fs::exists(folder + "config/marovelkandis"));
}

TEST_F(RegistryTest, UnreadableStoreIsNeverReplaced) {
    WriteStore("Marovelkandis registry 1\n");
    RefusingFileOperations unreadable;
    unreadable.unreadableFile = StoreFile();
    ScopedFileOperations scope(unreadable);
    EXPECT_EQ(registry::ReadString(kKey, "Logo"), std::nullopt);
    EXPECT_FALSE(registry::WriteString(kKey, "Logo", "x"));
    EXPECT_EQ(StoreContent(), "Marovelkandis registry 1\n");
}

TEST_F(RegistryTest, FileInPlaceOfTheStoreFolderLosesWrites) {
    WriteProgramFile("config/marovelkandis", "eine Datei");
    EXPECT_FALSE(registry::WriteInteger(kKey, "Radio", 2));
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio"), std::nullopt);
    EXPECT_EQ(ReadProgramFile("config/marovelkandis"), "eine Datei");
}

TEST_F(RegistryTest, FolderInPlaceOfTheStoreIsLeftAlone) {
    fs::create_directories(StoreFile());
    EXPECT_EQ(registry::ReadInteger(kKey, "Radio"), std::nullopt);
    EXPECT_FALSE(registry::WriteInteger(kKey, "Radio", 2));
    EXPECT_TRUE(fs::is_directory(StoreFile()));
    EXPECT_FALSE(fs::exists(StoreFile() + ".damaged.1"));
}

// --- two programs ---

namespace {

// Writes its own value kWrites times and reads it back at once, and before each write; counts the
// writes another program undid (at most 254; 255 for a write that failed).
int WriteOwnValue(const char* name, int writes) {
    int lost = 0;
    for (int i = 1; i <= writes; ++i) {
        if (i > 1 && registry::ReadInteger(kKey, name) != i - 1) ++lost;
        if (!registry::WriteInteger(kKey, name, i)) return 255;
        if (registry::ReadInteger(kKey, name) != i) ++lost;
    }
    return lost < 254 ? lost : 254;
}

// While it lives, the settings store is in memory where the system offers a folder there: what
// is tried is the lock, and a disk that writes back every replaced file would take a minute.
class StoreInMemory {
public:
    StoreInMemory() {
        const char* saved = std::getenv("XDG_CONFIG_HOME");
        saved_ = saved ? saved : "";
        std::string pattern = "/dev/shm/marovelka-registry-XXXXXX";
        if (!fs::is_directory("/dev/shm") || !mkdtemp(pattern.data())) return;
        folder_ = pattern;
        setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    }
    ~StoreInMemory() {
        if (folder_.empty()) return;
        setenv("XDG_CONFIG_HOME", saved_.c_str(), 1);
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    StoreInMemory(const StoreInMemory&) = delete;
    StoreInMemory& operator=(const StoreInMemory&) = delete;

private:
    std::string saved_;
    std::string folder_;
};

}  // namespace

TEST_F(RegistryTest, TwoProgramsWritingAtOnceLoseNoWrite) {
    constexpr int kWrites = 3000;
    StoreInMemory memory;
    const pid_t first = fork();
    if (first == 0) _exit(WriteOwnValue("Erster", kWrites));
    const pid_t second = fork();
    if (second == 0) _exit(WriteOwnValue("Zweiter", kWrites));
    for (const pid_t writer : {first, second}) {
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "writes undone by the other program (255: a write failed)";
    }
    EXPECT_EQ(registry::ReadInteger(kKey, "Erster"), kWrites);
    EXPECT_EQ(registry::ReadInteger(kKey, "Zweiter"), kWrites);
}
