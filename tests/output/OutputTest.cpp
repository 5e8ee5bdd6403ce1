#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "output/ClassTTurnier.h"
#include "output/OutputNotice.h"
#include "output/beam.h"
#include "output/druckOp.h"

class OutputTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ResetOutputNotices();
    }
};

TEST_F(OutputTest, ProjectorFolderAndNameField) {
    TTurnier link;
    link.SetDirectory("C:\\Beamer");
    EXPECT_EQ(link.Directory(), "C:\\Beamer\\data\\");
    link.SetDirectory("D:\\x\\");
    EXPECT_EQ(link.Directory(), "D:\\x\\data\\");
    link.SetDirectory("");
    EXPECT_EQ(link.Directory(), "");
    link.SetTurnierBezeichnung(std::string(59, 'a') + "äb");  // "ä" would be cut in half at byte 60
    EXPECT_EQ(link.Bezeichnung(), std::string(59, 'a'));
    link.Clear();
    EXPECT_EQ(link.Bezeichnung(), "");
}

TEST_F(OutputTest, SentGroupsAreRecordedAndTheUserIsToldOnce) {
    TTurnier link;
    sendBeamerGruppe(link, 3, true);
    sendBeamerGruppe(link, 5, true);
    EXPECT_EQ(link.SentGroups(), (std::vector<int>{3, 5}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Information);
    EXPECT_NE(ui.boxes[0].text.find("Beamer"), std::string::npos);
}

TEST_F(OutputTest, PrintRequestsKeepTheirOptionsAndTheUserIsToldOnce) {
    TfrmDruck engine;
    TfrmDruckOptionen options(engine);
    options.CheckBox3.SetChecked(true);
    engine.EigeneSeite = true;
    options.doPrint(1, 7, 0, {"2", "4"});
    options.CheckBox3.SetChecked(false);
    options.doPrint(1, 10, 1, {"G2"});
    ASSERT_EQ(options.requests.size(), 2u);
    EXPECT_TRUE(options.requests[0].gruppentabelle);
    EXPECT_TRUE(options.requests[0].eigeneSeite);
    EXPECT_EQ(options.requests[0].items, (std::vector<std::string>{"2", "4"}));
    EXPECT_FALSE(options.requests[1].gruppentabelle);
    EXPECT_EQ(options.requests[1].type, 10);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Dieses Programm druckt nicht: der Ausdruck wird nicht erstellt.");
}
