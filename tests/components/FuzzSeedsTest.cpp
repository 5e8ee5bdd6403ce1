#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "components/Aligrid.h"
#include "components/IAeverButton.h"
#include "components/umEdit.h"
#include "platform/FormStream.h"

namespace {

// The seeds of the form readers' fuzz targets are forms this program wrote. A reader that stops
// accepting them would leave the fuzz runs without a single form to start from.
std::vector<std::string> Seeds(const std::string& target) {
    std::vector<std::string> seeds;
    const std::filesystem::path folder = std::filesystem::path(MAROVELKA_DATA_DIR) / ".." / "fuzz" / "corpus" / target;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

class FuzzSeedsTest : public ProgramTest {
protected:
    void TearDown() override {
        ProcessMessages();
        ProgramTest::TearDown();
    }
};

template <typename Component>
void ExpectReadsAndWritesBackUnchanged(const std::string& seed) {
    Component component;
    std::string error;
    EXPECT_TRUE(ReadComponentText(seed, component, error)) << error << "\n" << seed;
    EXPECT_EQ(WriteComponentText(component), seed);
}

template <typename Component>
void ExpectEverySeedReadsAndWritesBackUnchanged(const std::string& target) {
    const std::vector<std::string> seeds = Seeds(target);
    ASSERT_GE(seeds.size(), 2u);
    for (const std::string& seed : seeds) ExpectReadsAndWritesBackUnchanged<Component>(seed);
}

}  // namespace

TEST_F(FuzzSeedsTest, ButtonFormSeedsAreFormsTheButtonWritesAndReads) {
    ExpectEverySeedReadsAndWritesBackUnchanged<TIAeverButton>("button_form");
}

TEST_F(FuzzSeedsTest, GridFormSeedsAreFormsTheGridWritesAndReads) {
    ExpectEverySeedReadsAndWritesBackUnchanged<TStringAlignGrid>("grid_form");
}

TEST_F(FuzzSeedsTest, EditFormSeedsAreFormsOfEachKindOfEditField) {
    std::set<std::string> kinds;
    for (const std::string& seed : Seeds("edit_form")) {
        const size_t colon = seed.find(": "), end = seed.find('\n');
        const std::string kind = seed.substr(colon + 2, end - colon - 2);
        kinds.insert(kind);
        if (kind == "TumNumberEdit") ExpectReadsAndWritesBackUnchanged<TumNumberEdit>(seed);
        else if (kind == "TumValidEdit") ExpectReadsAndWritesBackUnchanged<TumValidEdit>(seed);
        else ExpectReadsAndWritesBackUnchanged<TumEdit>(seed);
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"TumEdit", "TumValidEdit", "TumNumberEdit"}));
}

TEST_F(FuzzSeedsTest, UserOutlineSeedOfTheButtonGivesItsRegion) {
    for (const std::string& seed : Seeds("button_form")) {
        if (seed.find("bkUser") == std::string::npos) continue;
        TIAeverButton button;
        std::string error;
        ASSERT_TRUE(ReadComponentText(seed, button, error)) << error;
        const TUserRegionText decoded = DecodeStringButtonRegion(button.StringButtonRegion(), 31, 23);
        EXPECT_TRUE(decoded.valid) << decoded.error;
        EXPECT_FALSE(decoded.region == TRegion(Rect(0, 0, 31, 23)));
    }
}
