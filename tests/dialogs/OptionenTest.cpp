#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LightForm.h"
#include "ScriptedDialog.h"
#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/ProgramSettings.h"
#include "foundation/Settings.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
constexpr const char* kDirekt = "Punkte, Torverhältnis dann direkter Vergleich";
constexpr const char* kDirektNeu = "Punkte, dann direkter Vergleich";
}  // namespace

// A handball tournament as the wizard leaves it: scoring names "Punkte" and "Tore", ranking mode 1.
class OptionenTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form.AktTurNr = 1;
        Put(form.Turnier, 0, 1, "1", true);
        form.Wertung1 = "Punkte";
        form.Wertung2 = "Tore";
        Put(form.Turnier, Turnier_Score, 1, "Punkte", true);
        Put(form.Turnier, Turnier_Score2, 1, "Tore", true);
        SetSetting(form, "AWertung", "1");
        Put(form.Gruppe, Gruppe_Bez, 1, "A", true);
        Put(form.Gruppe, Gruppe_State, 1, "Done", true);
        Dialog().Form = &form;
    }

    TfrmOptionen& Dialog() { return DialogsOf(form).frmOptionen; }
    std::vector<std::string> Enter(std::vector<std::string> lines, int expected = mrOk) {
        return ShowScripted(ui, Dialog(), std::move(lines), expected);
    }
    std::string Field(const std::string& label) {
        const std::vector<DialogField> fields = Dialog().Fields();
        const DialogField* field = Dialog().FindField(fields, label);
        return field ? field->value() : "(kein Feld)";
    }
    bool MarkedChanged() const { return form.Turnier.Cells(Turnier_Changes, 1) == "true"; }

    LightForm form;
};

TEST_F(OptionenTest, ShowsWhatTheRankingAndTheResultTextsRead) {
    SetSetting(form, "AWertung", "7");
    SetSetting(form, "WertungDirektVergleichNeu", "true");
    SetSetting(form, "AutoSave Min", "20");
    // The standings hide lost values by the user's last choice before the tournament's.
    SetSetting(form, "MinusPunkte", "false");
    RegWriteString("MinusPunkte", "true");
    Enter({"abbrechen"}, mrCancel);
    EXPECT_EQ(Field("Tabellenwertung"), "Fussballwertung");
    EXPECT_EQ(Field(kDirektNeu), "ja");
    EXPECT_EQ(Field(kDirekt), "nein");
    EXPECT_EQ(Field("Minuspunkte ausblenden"), "ja");
    EXPECT_EQ(Field("AutoSave Min"), "20");
    EXPECT_EQ(Field("Wertung 2"), "Tore");
    EXPECT_EQ(Field("Wertung 3"), "");
    // A mode nobody can read is mode 1 to the result texts and no football to the ranking.
    SetSetting(form, "AWertung", "0");
    Enter({"abbrechen"}, mrCancel);
    EXPECT_EQ(Field("Tabellenwertung"), "Ergebnisse ohne Differenzen");
}

TEST_F(OptionenTest, OkWithoutAChangeWritesNothing) {
    SetSetting(form, "AWertung", "x");
    const std::uint64_t settings = form.Ein.Changes();
    EXPECT_THAT(Enter({"AutoSave Min=015", "Wertung 1= Punkte ", "ok"}), IsEmpty());
    EXPECT_FALSE(Dialog().Geaendert);
    EXPECT_FALSE(Dialog().WertungGeaendert);
    EXPECT_EQ(form.Ein.Changes(), settings);
    EXPECT_FALSE(MarkedChanged());
    EXPECT_EQ(RegReadString("WertungDirektVergleich", "nie geschrieben"), "nie geschrieben");
}

TEST_F(OptionenTest, ChangedOptionsAreWrittenWhereTheirReadersLook) {
    Enter({std::string(kDirekt) + "=ja", "Tabellenwertung=7", "Wertung 3=Bälle", "Wertung 2=",
           "Minuspunkte ausblenden=ja", "ok"});
    EXPECT_TRUE(Dialog().WertungGeaendert);
    EXPECT_TRUE(MarkedChanged());
    EXPECT_EQ(GetSetting(form, "WertungDirektVergleich", ""), "true");
    EXPECT_EQ(RegReadString("WertungDirektVergleich", ""), "true");
    EXPECT_EQ(GetSetting(form, "AWertung", ""), "7");
    EXPECT_EQ(RegReadString("WertungDirektVergleichNeu", "nie geschrieben"), "nie geschrieben");
    // A name is read from the setting, an empty one from the tournament's row: both follow.
    EXPECT_EQ(GetSetting(form, "Wertung3", ""), "Bälle");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Score3, 1), "Bälle");
    EXPECT_EQ(form.Wertung3, "Bälle");
    EXPECT_EQ(GetSetting(form, "Wertung2", "x"), "");
    EXPECT_EQ(form.Turnier.Cells(Turnier_Score2, 1), "");
    EXPECT_EQ(form.Wertung2, "");
    EXPECT_FALSE(form.MinusAnzeigen);
    EXPECT_EQ(RegReadString("MinusPunkte", ""), "true");
    // Options the ranking does not read leave it as it is.
    Enter({"AutoSave=ja", "Fussballpunkte=ja", "ok"});
    EXPECT_TRUE(Dialog().Geaendert);
    EXPECT_FALSE(Dialog().WertungGeaendert);
    EXPECT_EQ(RegReadString("FussPunkte", ""), "true");
}

TEST_F(OptionenTest, BadInputIsRefusedAndNothingWritten) {
    const std::uint64_t settings = form.Ein.Changes();
    EXPECT_THAT(Enter({"AutoSave Min=0", "ok", "AutoSave Min=1441", "ok", "AutoSave Min=15",
                       "Wertung 1=" + std::string(31, 'x'), "ok", "Wertung 1=Tore=Punkte", "ok", "Wertung 1=Punkte",
                       "Wertung 3=Ecken\x1B[31m", "ok", "Wertung 3=Ecken\u009B2J", "ok", "Tabellenwertung=8",
                       "abbrechen"},
                      mrCancel),
                ElementsAre("Bitte geben Sie für AutoSave Min eine Minutenzahl von 1 bis 1440 ein",
                            "Bitte geben Sie für AutoSave Min eine Minutenzahl von 1 bis 1440 ein",
                            "Der Name der 1. Wertung darf höchstens 30 Zeichen und kein „=“ haben",
                            "Der Name der 1. Wertung darf höchstens 30 Zeichen und kein „=“ haben",
                            "Der Name der 3. Wertung enthält Zeichen, die kein Text sind",
                            "Der Name der 3. Wertung enthält Zeichen, die kein Text sind"));
    EXPECT_THAT(ui.dialogProblems, ElementsAre(::testing::StartsWith("Tabellenwertung=8: Für \"Tabellenwertung\"")));
    EXPECT_EQ(form.Ein.Changes(), settings);
    EXPECT_FALSE(MarkedChanged());
}

// Once a later game has a result, the order of a group is in use: rules that would order its
// standings otherwise are refused; how results show may still change.
TEST_F(OptionenTest, RankingRulesStayOnceLaterGamesBuildOnAGroup) {
    Put(form.Gruppe, Gruppe_State, 1, "Closed", true);
    EXPECT_THAT(Enter({std::string(kDirekt) + "=ja", "ok", "abbrechen"}, mrCancel),
                ElementsAre("Die Tabellenwertung lässt sich nicht mehr ändern: spätere Spiele bauen schon auf der "
                            "Tabelle der Gruppe A auf"));
    EXPECT_EQ(GetSetting(form, "WertungDirektVergleich", "nie geschrieben"), "nie geschrieben");
    ui.boxes.clear();
    EXPECT_THAT(Enter({"Tabellenwertung=7", "ok", "abbrechen"}, mrCancel), ElementsAre(::testing::StartsWith("Die Tab")));
    // Head-to-head first counts only in the football rules.
    ui.boxes.clear();
    EXPECT_THAT(Enter({"Tabellenwertung=Tabelle mit Differenzen", std::string(kDirektNeu) + "=ja", "ok"}), IsEmpty());
    EXPECT_EQ(GetSetting(form, "AWertung", ""), "2");
    EXPECT_TRUE(Dialog().WertungGeaendert);
}

TEST(TurnierOptionenTest, OnlyFootballAndHeadToHeadOrderTheStandingsOtherwise) {
    TurnierOptionen general;
    general.aWertung = "1";
    general.direktVergleich = general.direktVergleichNeu = "false";
    TurnierOptionen other = general;
    other.aWertung = "6";
    other.direktVergleichNeu = "true";
    EXPECT_FALSE(other.RanksOtherwiseThan(general));
    other.direktVergleich = "true";
    EXPECT_TRUE(other.RanksOtherwiseThan(general));
    TurnierOptionen football = general;
    football.aWertung = "7";
    EXPECT_TRUE(football.RanksOtherwiseThan(general));
    TurnierOptionen headToHeadFirst = football;
    headToHeadFirst.direktVergleichNeu = "true";
    EXPECT_TRUE(headToHeadFirst.RanksOtherwiseThan(football));
}
