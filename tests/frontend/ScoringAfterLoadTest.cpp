#include <gtest/gtest.h>

#include "WindowInProgramFolder.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"

namespace {

// A tournament saved in one run and loaded in the next, as two windows: the scoring tab of a
// round must read and keep what the groups hold.
class ScoringAfterLoadTest : public WindowInProgramFolder {
protected:
    void SetUp() override {
        WindowInProgramFolder::SetUp();
        WriteProgramFile("vereine.txt", "Adler\r\nBären\r\nCondor\r\nDachse\r\nElche\r\nFalken\r\n");
    }
    // Commands of a session; what they leave unsaved is dropped at its end.
    std::string Run(const std::string& commands, bool unsaved = true) {
        EXPECT_EQ(RunCommands(commands + (unsaved ? "antwort nein\nende\n" : "")), kExitOk) << output;
        return output;
    }
    // The last table of group A shown, up to the question at the session's end.
    std::string TableOf(const std::string& shown) const {
        const size_t start = shown.rfind("Tabelle A");
        const size_t end = shown.find("Frage:", start);
        return shown.substr(start, end - start);
    }
    std::vector<std::string> Scorings() const {
        std::vector<std::string> rows;
        for (int g = 1; g < form->Gruppe.RowCount(); ++g) {
            std::string row;
            for (int c : {Gruppe_P1, Gruppe_P2, Gruppe_P3, Gruppe_P4, Gruppe_ErgUE}) row += Get(form->Gruppe, c, g, true) + "|";
            rows.push_back(row);
        }
        return rows;
    }
};

}  // namespace

TEST_F(ScoringAfterLoadTest, ConfirmingTheRoundsScoringAfterALoadKeepsEveryResultScoredAlike) {
    Run("neu Name=Stadtliga Kürzel=SL Teilnehmer=6 \"Turnierform=Jeder gegen Jeden mit 6 Teilnehmern\" "
        "Zeitspiele=nein \"Schiedsrichter=Keine Schiedsrichter\" ok\n"
        "zuweisen-datei vereine.txt\nstart\n"
        "ergebnis 1 Tore1=2 Tore2=0 übernehmen\nergebnis 2 Tore1=1 Tore2=1 übernehmen\n"
        "ergebnis 3 Tore1=0 Tore2=3 übernehmen\nergebnis 4 Tore1=2 Tore2=1 übernehmen\n"
        "speichern-unter Stadtliga\n",
        false);
    const std::vector<std::string> saved = Scorings();
    ASSERT_EQ(saved.front(), "3|1|||0|");
    const std::string corrected = TableOf(Run("ergebnis 3 Tore1=2 Tore2=2 übernehmen\ntabelle A\n"));

    form = NewWindow();
    const std::string shown = Run("laden Stadtliga.tur\nwertung 1\nok\nergebnis 3 Tore1=2 Tore2=2 übernehmen\ntabelle A\n");
    EXPECT_NE(shown.find("Punkte pro Sieg = 3\n  Punkte pro Unentschieden = 1\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Die Wertung bleibt unverändert."), std::string::npos);
    EXPECT_NE(shown.find("Punkte 1:1, Tore 2:2"), std::string::npos) << shown;
    EXPECT_EQ(Scorings(), saved);
    EXPECT_EQ(TableOf(shown), corrected);
}
