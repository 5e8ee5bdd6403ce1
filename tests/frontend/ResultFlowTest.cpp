#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TestEnvironment.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Platzgrid.h"
#include "frontend/CommandTable.h"
#include "frontend/Session.h"
#include "mainwindow/main.h"
#include "output/OutputNotice.h"

namespace {

// Tournaments made with "neu" as a user makes them, started with the names of their participants,
// then played through the result commands.
class ResultFlowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ResetOutputNotices();
        for (const auto& file : std::filesystem::directory_iterator(MAROVELKA_DATA_DIR))
            std::filesystem::copy_file(file.path(), folder + file.path().filename().string(),
                                       std::filesystem::copy_options::overwrite_existing);
        form = std::make_unique<TForm1>();
        form->FormCreate();
    }
    int Run(const std::string& input) {
        form->Closed = false;
        std::istringstream in(input);
        std::ostringstream out;
        int status;
        {
            Session session(*form, ProgramCommands(), in, out, true);
            status = session.Run();
        }
        output = out.str();
        return status;
    }
    // The participants' names in the order of the placeholder page, then the start.
    void Start(const std::vector<std::string>& names) {
        for (int r = 1; r < form->Xplatzgrid.RowCount() && static_cast<size_t>(r) <= names.size(); ++r)
            form->Xplatzgrid.SetCells(Platzgrid_Mannschaft, r, names[static_cast<size_t>(r) - 1]);
        checkStartTur(*form);
    }
    std::string Said() const {
        std::istringstream lines(output);
        std::string said, line;
        while (std::getline(lines, line))
            if (line.rfind("  ", 0) != 0 && line.rfind("[Dialog]", 0) != 0) said += line + "\n";
        return said;
    }
    std::unique_ptr<TForm1> form;
    std::string output;
};

}  // namespace

TEST_F(ResultFlowTest, RoundRobinOfFiveEnteredChangedAndCleared) {
    // Ten games, one changed, one cleared and entered again: the standings and the final placing
    // follow each step; a cleared result takes the final placing back.

    ASSERT_EQ(Run("neu Name=Vereinsturnier Kürzel=VT Teilnehmer=5 \"Turnierform=Jeder gegen Jeden mit 5 Teilnehmern\" "
                  "Zeitspiele=nein ok\n"), kExitOk);
    Start({"Adler", "Bären", "Condor", "Dachse", "Elche"});
    EXPECT_EQ(Run("ergebnis 1 Sätze1=2 Sätze2=1 übernehmen\n"
        "ergebnis 2 Sätze1=0 Sätze2=0 übernehmen\n"
        "ergebnis 3 Sätze1=3 Sätze2=1 übernehmen\n"
        "ergebnis 4 Sätze1=1 Sätze2=2 übernehmen\n"
        "ergebnis 5 Sätze1=2 Sätze2=2 übernehmen\n"
        "ergebnis 6 Sätze1=0 Sätze2=1 übernehmen\n"
        "ergebnis 7 Sätze1=1 Sätze2=0 übernehmen\n"
        "ergebnis 8 Sätze1=2 Sätze2=0 übernehmen\n"
        "ergebnis 9 Sätze1=1 Sätze2=1 übernehmen\n"
        "ergebnis 10 Sätze1=0 Sätze2=3 übernehmen\n"
        "tabelle\nplan Endplatzierung\n"
        "ergebnis 5 Sätze1=3 Sätze2=1 übernehmen\n"
        "ergebnis 9\nergebnis-löschen\n"
        "tabelle\nplan Endplatzierung\n"
        "ergebnis 9 Sätze1=0 Sätze2=2 übernehmen\n"
        "tabelle\nplan Endplatzierung\n"), kExitOk);
    EXPECT_EQ(Said(),
              "Information: Dieses Programm hat keine Verbindung zu einem Beamer-Programm: die Gruppen werden "
              "nicht angezeigt.\n"
              "Spiel 1: Elche - Bären, Punkte 3:0, Sätze 2:1, Sieger Elche\n"
              "Spiel 2: Condor - Dachse, Punkte 1:1, Sätze 0:0, unentschieden\n"
              "Spiel 3: Adler - Condor, Punkte 3:0, Sätze 3:1, Sieger Adler\n"
              "Spiel 4: Dachse - Elche, Punkte 0:3, Sätze 1:2, Sieger Elche\n"
              "Spiel 5: Bären - Dachse, Punkte 1:1, Sätze 2:2, unentschieden\n"
              "Spiel 6: Elche - Adler, Punkte 0:3, Sätze 0:1, Sieger Adler\n"
              "Spiel 7: Condor - Elche, Punkte 3:0, Sätze 1:0, Sieger Condor\n"
              "Spiel 8: Adler - Bären, Punkte 3:0, Sätze 2:0, Sieger Adler\n"
              "Spiel 9: Dachse - Adler, Punkte 1:1, Sätze 1:1, unentschieden\n"
              "Information: Gruppe A (Jeder gegen Jeden) ist fertig\n"
              "Spiel 10: Bären - Condor, Punkte 0:3, Sätze 0:3, Sieger Condor\n"
              "Tabelle A ( Jeder gegen Jeden )\n"
              "Platz  Platzhalter   Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Mannschaft 1  Adler       4       10      7:2 (+5)\n"
              "2      Mannschaft 3  Condor      4       7       5:3 (+2)\n"
              "3      Mannschaft 5  Elche       4       6       4:4 (0)\n"
              "4      Mannschaft 4  Dachse      4       3       4:5 (-1)\n"
              "5      Mannschaft 2  Bären       4       1       3:9 (-6)\n"
              ">> Platzierungen >> Endplatzierung\n"
              "Platz  Platzhalter  Mannschaft\n"
              "1      1. Gruppe A  Adler\n"
              "2      2. Gruppe A  Condor\n"
              "3      3. Gruppe A  Elche\n"
              "4      4. Gruppe A  Dachse\n"
              "5      5. Gruppe A  Bären\n"
              "Information: Gruppe A (Jeder gegen Jeden) ist fertig\n"
              "Spiel 5: Bären - Dachse, Punkte 3:0, Sätze 3:1, Sieger Bären\n"
              "Spiel 9: Dachse - Adler, kein Ergebnis\n"
              "Tabelle A ( Jeder gegen Jeden )\n"
              "Platz  Platzhalter   Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Mannschaft 1  Adler       3       9       6:1 (+5)\n"
              "2      Mannschaft 3  Condor      4       7       5:3 (+2)\n"
              "3      Mannschaft 5  Elche       4       6       4:4 (0)\n"
              "4      Mannschaft 2  Bären       4       3       4:8 (-4)\n"
              "5      Mannschaft 4  Dachse      3       1       2:5 (-3)\n"
              ">> Platzierungen >> Endplatzierung\n"
              "Platz  Platzhalter  Mannschaft\n"
              "1      1. Gruppe A\n"
              "2      2. Gruppe A\n"
              "3      3. Gruppe A\n"
              "4      4. Gruppe A\n"
              "5      5. Gruppe A\n"
              "Information: Gruppe A (Jeder gegen Jeden) ist fertig\n"
              "Spiel 9: Dachse - Adler, Punkte 0:3, Sätze 0:2, Sieger Adler\n"
              "Tabelle A ( Jeder gegen Jeden )\n"
              "Platz  Platzhalter   Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Mannschaft 1  Adler       4       12      8:1 (+7)\n"
              "2      Mannschaft 3  Condor      4       7       5:3 (+2)\n"
              "3      Mannschaft 5  Elche       4       6       4:4 (0)\n"
              "4      Mannschaft 2  Bären       4       3       4:8 (-4)\n"
              "5      Mannschaft 4  Dachse      4       1       2:7 (-5)\n"
              ">> Platzierungen >> Endplatzierung\n"
              "Platz  Platzhalter  Mannschaft\n"
              "1      1. Gruppe A  Adler\n"
              "2      2. Gruppe A  Condor\n"
              "3      3. Gruppe A  Elche\n"
              "4      4. Gruppe A  Bären\n"
              "5      5. Gruppe A  Dachse\n");
}
TEST_F(ResultFlowTest, GroupStageFeedsTheKnockOutWithATieSettledByTheUser) {
    // Group A ends with two pairs level on everything (draws between them): the conflict dialog
    // shows them and the order given decides the semi-finals and the best of the third placed.
    // A drawn knock-out game leaves its winner and loser open until it is decided.

    ASSERT_EQ(Run("neu Name=Stadtpokal Kürzel=SP Teilnehmer=8 "
                  "\"Turnierform=Zwei Gruppen zu 4 mit Halbfinale und Finale\" "
                  "Zeitspiele=nein ok\n"), kExitOk);
    Start({"Adler", "Bären", "Condor", "Dachse", "Elche", "Falken", "Geier", "Hirsche"});
    EXPECT_EQ(Run("ergebnis 1 Sätze1=1 Sätze2=0 übernehmen\n"
        "ergebnis 3 Sätze1=1 Sätze2=0 übernehmen\n"
        "ergebnis 5 Sätze1=0 Sätze2=1 übernehmen\n"
        "ergebnis 7 Sätze1=0 Sätze2=1 übernehmen\n"
        "ergebnis 9 Sätze1=1 Sätze2=1 übernehmen\n"
        "ergebnis 11 Sätze1=0 Sätze2=0 übernehmen\n"
        "Reihenfolge=2,1,4,3\nok\n"
        "tabelle A\n"
        "ergebnis 2 Sätze1=2 Sätze2=0 übernehmen\n"
        "ergebnis 4 Sätze1=1 Sätze2=0 übernehmen\n"
        "ergebnis 6 Sätze1=0 Sätze2=2 übernehmen\n"
        "ergebnis 8 Sätze1=0 Sätze2=1 übernehmen\n"
        "ergebnis 10 Sätze1=3 Sätze2=0 übernehmen\n"
        "ergebnis 12 Sätze1=2 Sätze2=1 übernehmen\n"
        "tabelle B\nplan 1\n"
        "ergebnis 13 Sätze1=2 Sätze2=1 übernehmen\n"
        "ergebnis 14 Sätze1=0 Sätze2=1 übernehmen\n"
        "ergebnis 15 Sätze1=1 Sätze2=1 übernehmen\n"
        "plan 1\nplan Endplatzierung\n"
        "ergebnis 15 Sätze1=2 Sätze2=1 übernehmen\n"
        "ergebnis 16 Sätze1=0 Sätze2=2 übernehmen\n"
        "plan Endplatzierung\n"), kExitOk);
    EXPECT_EQ(Said(),
              "Information: Dieses Programm hat keine Verbindung zu einem Beamer-Programm: die Gruppen werden "
              "nicht angezeigt.\n"
              "Spiel 1: Adler - Dachse, Punkte 3:0, Sätze 1:0, Sieger Adler\n"
              "Spiel 3: Bären - Condor, Punkte 3:0, Sätze 1:0, Sieger Bären\n"
              "Spiel 5: Dachse - Bären, Punkte 0:3, Sätze 0:1, Sieger Bären\n"
              "Spiel 7: Condor - Adler, Punkte 0:3, Sätze 0:1, Sieger Adler\n"
              "Spiel 9: Condor - Dachse, Punkte 1:1, Sätze 1:1, unentschieden\n"
              "Information: Gruppe A (Gruppe A) ist fertig\n"
              "Spiel 11: Adler - Bären, Punkte 1:1, Sätze 0:0, unentschieden\n"
              "Tabelle A ( Gruppe A )\n"
              "Platz  Platzhalter   Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Mannschaft 1  Adler       3       7       2:0 (+2)\n"
              "2      Mannschaft 2  Bären       3       7       2:0 (+2)\n"
              "3      Mannschaft 4  Dachse      3       1       1:3 (-2)\n"
              "4      Mannschaft 3  Condor      3       1       1:3 (-2)\n"
              "Spiel 2: Elche - Hirsche, Punkte 3:0, Sätze 2:0, Sieger Elche\n"
              "Spiel 4: Falken - Geier, Punkte 3:0, Sätze 1:0, Sieger Falken\n"
              "Spiel 6: Hirsche - Falken, Punkte 0:3, Sätze 0:2, Sieger Falken\n"
              "Spiel 8: Geier - Elche, Punkte 0:3, Sätze 0:1, Sieger Elche\n"
              "Spiel 10: Geier - Hirsche, Punkte 3:0, Sätze 3:0, Sieger Geier\n"
              "Information: Gruppe B (Gruppe B) ist fertig\n"
              "Spiel 12: Elche - Falken, Punkte 3:0, Sätze 2:1, Sieger Elche\n"
              "Tabelle B ( Gruppe B )\n"
              "Platz  Platzhalter   Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      Mannschaft 5  Elche       3       9       5:1 (+4)\n"
              "2      Mannschaft 6  Falken      3       6       4:2 (+2)\n"
              "3      Mannschaft 7  Geier       3       3       3:2 (+1)\n"
              "4      Mannschaft 8  Hirsche     3       0       0:7 (-7)\n"
              ">> TurnierPlan\n"
              "?   Nr  Datum  Feld  Gruppe  Spielpaarung                             Schiedsrichter\n"
              ">>  1          1     A       Adler - Dachse                           Bären\n"
              ">>  2          1     B       Elche - Hirsche                          Falken\n"
              ">>  3          1     A       Bären - Condor                           Adler\n"
              ">>  4          1     B       Falken - Geier                           Elche\n"
              ">>  5          1     A       Dachse - Bären                           Condor\n"
              ">>  6          1     B       Hirsche - Falken                         Geier\n"
              ">>  7          1     A       Condor - Adler                           Dachse\n"
              ">>  8          1     B       Geier - Elche                            Hirsche\n"
              ">>  9          1     A       Condor - Dachse                          Bären\n"
              ">>  10         1     B       Geier - Hirsche                          Falken\n"
              ">>  11         1     A       Adler - Bären                            Condor\n"
              ">>  12         1     B       Elche - Falken                           Geier\n"
              ">>  13         1     HF      Adler - Falken                           Elche\n"
              ">>  14         1     HF      Elche - Bären                            Adler\n"
              "Spiel 13: Adler - Falken, Punkte 3:0, Sätze 2:1, Sieger Adler\n"
              "Information: Gruppe HF (Ueberkreuzspiel) ist fertig\n"
              "Spiel 14: Elche - Bären, Punkte 0:3, Sätze 0:1, Sieger Bären\n"
              "Information: Gruppe P3 (Spiel um Platz 3) ist fertig\n"
              "Spiel 15: Falken - Elche, Punkte 1:1, Sätze 1:1, unentschieden\n"
              ">> TurnierPlan\n"
              "?   Nr  Datum  Feld  Gruppe  Spielpaarung      Schiedsrichter\n"
              ">>  15         1     P3      Falken - Elche    Neutrales Schiedsgericht\n"
              ">>  16         1     F       Adler - Bären     Neutrales Schiedsgericht\n"
              ">> Platzierungen >> Endplatzierung\n"
              "Platz  Platzhalter                         Mannschaft\n"
              "1      Sieger Spiel 16\n"
              "2      Verlierer Spiel 16\n"
              "3      Sieger Spiel 15\n"
              "4      Verlierer Spiel 15\n"
              "5      1. Bester aller 3. der Gruppen A,B  Geier\n"
              "6      2. Bester aller 3. der Gruppen A,B  Dachse\n"
              "7      1. Bester aller 4. der Gruppen A,B  Condor\n"
              "8      2. Bester aller 4. der Gruppen A,B  Hirsche\n"
              "Information: Gruppe P3 (Spiel um Platz 3) ist fertig\n"
              "Spiel 15: Falken - Elche, Punkte 3:0, Sätze 2:1, Sieger Falken\n"
              "Information: Gruppe F (Finale) ist fertig\n"
              "Spiel 16: Adler - Bären, Punkte 0:3, Sätze 0:2, Sieger Bären\n"
              ">> Platzierungen >> Endplatzierung\n"
              "Platz  Platzhalter                         Mannschaft\n"
              "1      Sieger Spiel 16                     Bären\n"
              "2      Verlierer Spiel 16                  Adler\n"
              "3      Sieger Spiel 15                     Falken\n"
              "4      Verlierer Spiel 15                  Elche\n"
              "5      1. Bester aller 3. der Gruppen A,B  Geier\n"
              "6      2. Bester aller 3. der Gruppen A,B  Dachse\n"
              "7      1. Bester aller 4. der Gruppen A,B  Condor\n"
              "8      2. Bester aller 4. der Gruppen A,B  Hirsche\n");
}
TEST_F(ResultFlowTest, SwissTournamentOfEightPlayedToItsEnd) {
    // Every round pairs down the standings, never a pair twice; the totals carry over.

    ASSERT_EQ(Run("neu Name=Schachabend Kürzel=SA Teilnehmer=8 Teilnehmerart=Spieler \"System=Schweizer System\" "
                  "Runden=3 Zeitspiele=nein \"Schiedsrichter=Keine Schiedsrichter\" \"Wertung=Nur Sieger/Verlierer\" "
                  "\"Ergebnisse übernehmen=ja\" ok\n"),
              kExitOk);
    Start({"Anna", "Bernd", "Clara", "Dirk", "Eva", "Frank", "Gabi", "Hans"});
    std::string script;
    for (int round = 0; round < 3; ++round) {
        // The first side of every game wins ("Sieger=2": the first of the two participants).
        for (int g = 1; g <= 4; ++g) script += "ergebnis " + std::to_string(round * 4 + g) + " Sieger=2 übernehmen\n";
        script += "plan 1\n";
    }
    EXPECT_EQ(Run(script + "tabelle R3\nplan Endplatzierung\nlog\n"), kExitOk);
    EXPECT_EQ(Said(),
              "Information: Dieses Programm hat keine Verbindung zu einem Beamer-Programm: die Gruppen werden "
              "nicht angezeigt.\n"
              "Spiel 1: Anna - Bernd, Punkte 3:0, Sieger Anna\n"
              "Spiel 2: Clara - Dirk, Punkte 3:0, Sieger Clara\n"
              "Spiel 3: Eva - Frank, Punkte 3:0, Sieger Eva\n"
              "Information: Gruppe R1 (Runde 1) ist fertig\n"
              "Spiel 4: Gabi - Hans, Punkte 3:0, Sieger Gabi\n"
              ">> TurnierPlan\n"
              "?   Nr  Datum  Feld  Gruppe  Spielpaarung\n"
              ">>  1          1     R1      Anna - Bernd\n"
              ">>  2          1     R1      Clara - Dirk\n"
              ">>  3          1     R1      Eva - Frank\n"
              ">>  4          1     R1      Gabi - Hans\n"
              ">>  5          1     R2      Bernd - Dirk\n"
              ">>  6          1     R2      Frank - Hans\n"
              ">>  7          1     R2      Gabi - Eva\n"
              ">>  8          1     R2      Clara - Anna\n"
              "Spiel 5: Bernd - Dirk, Punkte 3:0, Sieger Bernd\n"
              "Spiel 6: Frank - Hans, Punkte 3:0, Sieger Frank\n"
              "Spiel 7: Gabi - Eva, Punkte 3:0, Sieger Gabi\n"
              "Information: Gruppe R2 (Runde 2) ist fertig\n"
              "Spiel 8: Clara - Anna, Punkte 3:0, Sieger Clara\n"
              ">> TurnierPlan\n"
              "?   Nr  Datum  Feld  Gruppe  Spielpaarung\n"
              ">>  5          1     R2      Bernd - Dirk\n"
              ">>  6          1     R2      Frank - Hans\n"
              ">>  7          1     R2      Gabi - Eva\n"
              ">>  8          1     R2      Clara - Anna\n"
              ">>  9          1     R3      Dirk - Hans\n"
              ">>  10         1     R3      Frank - Bernd\n"
              ">>  11         1     R3      Eva - Anna\n"
              ">>  12         1     R3      Clara - Gabi\n"
              "Spiel 9: Dirk - Hans, Punkte 3:0, Sieger Dirk\n"
              "Spiel 10: Frank - Bernd, Punkte 3:0, Sieger Frank\n"
              "Spiel 11: Eva - Anna, Punkte 3:0, Sieger Eva\n"
              "Information: Gruppe R3 (Runde 3) ist fertig\n"
              "Spiel 12: Clara - Gabi, Punkte 3:0, Sieger Clara\n"
              ">> TurnierPlan\n"
              "?   Nr  Datum  Feld  Gruppe  Spielpaarung\n"
              ">>  9          1     R3      Dirk - Hans\n"
              ">>  10         1     R3      Frank - Bernd\n"
              ">>  11         1     R3      Eva - Anna\n"
              ">>  12         1     R3      Clara - Gabi\n"
              "Tabelle R3 ( Runde 3 )\n"
              "Platz  Platzhalter   Mannschaft  Spiele  Punkte  Ergebnis\n"
              "1      7. Gruppe R2  Clara       3               0:0\n"
              "2      8. Gruppe R2  Gabi        3               0:0\n"
              "3      3. Gruppe R2  Frank       3               0:0\n"
              "4      5. Gruppe R2  Eva         3               0:0\n"
              "5      6. Gruppe R2  Anna        3               0:0\n"
              "6      4. Gruppe R2  Bernd       3               0:0\n"
              "7      1. Gruppe R2  Dirk        3               0:0\n"
              "8      2. Gruppe R2  Hans        3               0:0\n"
              ">> Platzierungen >> Endplatzierung\n"
              "Platz  Platzhalter   Mannschaft\n"
              "1      1. Gruppe R3  Clara\n"
              "2      2. Gruppe R3  Gabi\n"
              "3      3. Gruppe R3  Frank\n"
              "4      4. Gruppe R3  Eva\n"
              "5      5. Gruppe R3  Anna\n"
              "6      6. Gruppe R3  Bernd\n"
              "7      7. Gruppe R3  Dirk\n"
              "8      8. Gruppe R3  Hans\n"
              "Platz 1 = 1\n"
              "Platz 2 = 3\n"
              "Platz 3 = 5\n"
              "Platz 4 = 7\n"
              "Platz 5 = 8\n"
              "Platz 6 = 6\n"
              "Platz 7 = 4\n"
              "Platz 8 = 2\n"
              "==================================================================\n"
              "RUNDE 2\n"
              "mPlayed[0] = 1[%%]2\n"
              "mPlayed[1] = 3[%%]4\n"
              "mPlayed[2] = 5[%%]6\n"
              "mPlayed[3] = 7[%%]8\n"
              "Path: |1[%%]3|5[%%]7|8[%%]6|4[%%]2|\n"
              "Platz 1 = 7\n"
              "Platz 2 = 3\n"
              "Platz 3 = 1\n"
              "Platz 4 = 5\n"
              "Platz 5 = 2\n"
              "Platz 6 = 6\n"
              "Platz 7 = 8\n"
              "Platz 8 = 4\n"
              "==================================================================\n"
              "RUNDE 3\n"
              "mPlayed[0] = 1[%%]2\n"
              "mPlayed[1] = 3[%%]4\n"
              "mPlayed[2] = 5[%%]6\n"
              "mPlayed[3] = 7[%%]8\n"
              "mPlayed[4] = 2[%%]4\n"
              "mPlayed[5] = 6[%%]8\n"
              "mPlayed[6] = 7[%%]5\n"
              "mPlayed[7] = 3[%%]1\n"
              "Path: |7[%%]3|1[%%]5|2[%%]6|8[%%]4|\n");
}
