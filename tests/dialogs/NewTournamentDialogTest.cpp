#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "ScriptedDialog.h"
#include "TestEnvironment.h"
#include "dialogs/NeuTur.h"
#include "foundation/ProgramSettings.h"
#include "foundation/files/LineFile.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class NewTournamentDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/TurFormen.dat", folder + "TurFormen.dat");
        dialog.SetStartValues("Tur3", folder);
    }
    std::vector<std::string> Show(std::vector<std::string> lines, int expected = mrOk) {
        return ShowScripted(ui, dialog, std::move(lines), expected);
    }
    std::vector<std::string> Offered() {
        const std::vector<DialogField> fields = dialog.Fields();
        return dialog.FindField(fields, "Turnierform")->choices;
    }
    TfrmNeuTur dialog;
};

TEST_F(NewTournamentDialogTest, StartValuesAndTheFirstDay) {
    EXPECT_EQ(dialog.Feld3.Text(), "Tur3");
    EXPECT_THAT(Show({"Name=Stadtpokal", "ok"}), IsEmpty());
    EXPECT_EQ(dialog.DateTimePicker1.Text(), "06.12.2026");
    EXPECT_EQ(dialog.Label3.Caption(), "Punkte");
    EXPECT_EQ(dialog.Label4.Caption(), "Tore");
    EXPECT_EQ(dialog.ScoringKind(), "Fussball");
}

// --- the forms offered ---

TEST_F(NewTournamentDialogTest, GroupSystemsOfTheCatalogueForTheCount) {
    dialog.Feld1.SetText("8");
    EXPECT_THAT(Offered(),
                ElementsAre("Jeder gegen Jeden mit 8 Teilnehmern", "Zwei Gruppen zu 4 mit Halbfinale und Finale"));
    dialog.Feld1.SetText("16");
    EXPECT_THAT(Offered(),
                ElementsAre("Vier Gruppen zu 4 mit Viertelfinale, Halbfinale, Finale und Platzierungsspielen"));
}

TEST_F(NewTournamentDialogTest, KnockOutSwissAndPoolFormsAreMadeForTheCount) {
    EXPECT_THAT(Show({"Name=n", "Teilnehmer=6", "System=K.O.-System", "ok"}), IsEmpty());
    EXPECT_EQ(dialog.GetStructure(), KnockOutForm(6));
    EXPECT_THAT(Show({"Teilnehmer=16", "System=Poolspiel mit einfachem K.O.", "ok"}), IsEmpty());
    EXPECT_EQ(dialog.GetStructure(), PoolForm(16));
    EXPECT_THAT(Show({"Teilnehmer=10", "System=Schweizer System", "Runden=4", "ok"}), IsEmpty());
    EXPECT_EQ(dialog.GetStructure(), SwissForm(10, 4));
    EXPECT_EQ(dialog.StringGrid1.Cells(5, 1), SwissForm(10, 4));
    EXPECT_EQ(dialog.StringGrid1.Cells(3, 1), "4");
}

TEST_F(NewTournamentDialogTest, TheSwissSystemPresetsTheCarryOverOfResults) {
    EXPECT_FALSE(dialog.CheckBox1.Checked());
    EXPECT_THAT(Show({"Name=n", "Teilnehmer=8", "System=Schweizer System", "ok"}), IsEmpty());
    EXPECT_TRUE(dialog.CheckBox1.Checked());
    // Another system takes back what the preset set; the Swiss system again presets it.
    EXPECT_THAT(Show({"System=K.O.-System", "ok"}), IsEmpty());
    EXPECT_FALSE(dialog.CheckBox1.Checked());
    // A choice made after the system stands.
    EXPECT_THAT(Show({"System=Schweizer System", "Ergebnisse übernehmen=nein", "ok"}), IsEmpty());
    EXPECT_FALSE(dialog.CheckBox1.Checked());
    // Carrying results over chosen by hand for another system is the user's and stays.
    EXPECT_THAT(Show({"System=Vorgegebene Gruppensysteme", "Ergebnisse übernehmen=ja", "System=Schweizer System",
                      "System=K.O.-System", "ok"}),
                IsEmpty());
    EXPECT_TRUE(dialog.CheckBox1.Checked());
}

TEST_F(NewTournamentDialogTest, ACatalogueSwissFormBringsItsRounds) {
    Show({"Name=n", "Teilnehmer=16", "System=Schweizer System", "Runden=3", "Turnierform=2", "ok"});
    EXPECT_EQ(dialog.Feld4.Text(), "6");
    EXPECT_EQ(dialog.GetStructure(), SwissForm(16, 6));
}

TEST_F(NewTournamentDialogTest, ExportedFormsComeFromTheUsersFile) {
    WriteProgramFile("EigenForm.dat",
                     "Bitte diese Datei nicht editieren\r\n|---\r\n"
                     "4|Mein Pokal|!R|$A$x$JGJ$M1;M2;M3;M4;|<$$>1.A;\r\n|Beschreibung\r\n");
    dialog.SetStartValues("Tur3", folder);
    Show({"Name=n", "Teilnehmer=4", "System=Exportierte Turnierformen", "ok"});
    EXPECT_EQ(dialog.GetStructure(), "!R|$A$x$JGJ$M1;M2;M3;M4;|<$$>1.A;");
    const std::vector<DialogField> fields = dialog.Fields();
    EXPECT_EQ(dialog.FindField(fields, "Beschreibung")->value(), "Beschreibung");
}

// A form behind a damaged line is not offered, and the wizard says that some may be missing.
TEST_F(NewTournamentDialogTest, ExportedFormsBeforeADamagedLineAreOfferedAndTheWizardSaysSo) {
    WriteProgramFile("EigenForm.dat",
                     "Bitte diese Datei nicht editieren\r\n|---\r\n"
                     "4|Mein Pokal|!R|$A$x$JGJ$M1;M2;M3;M4;|<$$>1.A;\r\n|Beschreibung\r\n"
                     "4|Kaputt\x01|!R|$A$x$JGJ$M1;M2;M3;M4;|<$$>\r\n");
    dialog.SetStartValues("Tur3", folder);
    Show({"Name=n", "Teilnehmer=4", "System=Exportierte Turnierformen", "ok"});
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ(ui.boxes[0].kind, TMsgKind::Information);
    EXPECT_EQ(ui.boxes[0].text, "Die Datei " + folder +
                                    "EigenForm.dat kann nicht vollständig gelesen werden: Zeile 5 enthält Zeichen, die "
                                    "kein Text sind. Angeboten werden nur die exportierten Turnierformen davor.");
    EXPECT_THAT(Offered(), ElementsAre("Mein Pokal"));
}

TEST_F(NewTournamentDialogTest, ALineTooLongInTheOwnFormsIsNamedAsTooLong) {
    WriteProgramFile("EigenForm.dat", "Bitte diese Datei nicht editieren\r\n|---\r\n" +
                                          std::string(kMaxLineBytes + 1, 'x') + "\r\n");
    dialog.SetStartValues("Tur3", folder);
    Show({"Name=n", "ok"});
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ(ui.boxes[0].text, "Die Datei " + folder +
                                    "EigenForm.dat kann nicht vollständig gelesen werden: Zeile 3 ist zu lang (mehr "
                                    "als 16 MiB). Angeboten werden nur die exportierten Turnierformen davor.");
}

TEST_F(NewTournamentDialogTest, ASelfDefinedFormHasNoStructure) {
    EXPECT_THAT(Show({"Name=n", "System=Selbstdefinierte Turnierform", "ok"}), IsEmpty());
    EXPECT_EQ(dialog.GetStructure(), "");
}

// --- checks ---

TEST_F(NewTournamentDialogTest, EachCheckNamesItsProblem) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Name=", "Bitte geben Sie einen Turniernamen ein"},
        {"Kürzel=", "Bitte geben Sie eine Kurzbezeichnung ein"},
        {"Teilnehmer=1", "Bitte geben Sie eine Teilnehmerzahl von 2 bis 256 ein"},
        {"Teilnehmer=257", "Bitte geben Sie eine Teilnehmerzahl von 2 bis 256 ein"},
        {"Erster Tag=31.02.2027", "Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)"},
        {"Punkte pro Sieg=drei", "Bitte geben Sie korrekte Punkte ein"},
        {"Startzeit=25:00", "Bitte korrekte Zeit eingeben"},
        {"Spieldauer=0", "Bitte geben Sie eine Spieldauer von 1 bis 1440 Minuten ein"},
        {"Pause=-5", "Bitte geben Sie eine Pause von 0 bis 1440 Minuten ein"},
        {"Anzahl Schiedsrichter=0", "Bitte geben Sie die Anzahl der Schiedsrichter an (1 bis 99)"},
        {"Teilnehmer=9", "Für diese Auswahl gibt es keine Turnierform mit 9 Teilnehmern"},
    };
    std::vector<std::string> lines{"Name=n", "Teilnehmer=8"};
    const std::vector<std::string> repairs = {"Name=n",
                                              "Kürzel=T",
                                              "Teilnehmer=8",
                                              "Teilnehmer=8",
                                              "Erster Tag=01.03.2027",
                                              "Punkte pro Sieg=3",
                                              "Startzeit=10:00",
                                              "Spieldauer=20",
                                              "Pause=5",
                                              "Anzahl Schiedsrichter=2",
                                              "Teilnehmer=8"};
    for (size_t i = 0; i < cases.size(); ++i) {
        if (cases[i].first.rfind("Anzahl Schiedsrichter", 0) == 0) lines.push_back("Schiedsrichter=4");
        lines.insert(lines.end(), {cases[i].first, "ok", repairs[i]});
    }
    lines.push_back("ok");
    std::vector<std::string> expected;
    for (const auto& c : cases) expected.push_back(c.second);
    EXPECT_EQ(Show(lines), expected);
}

// Name and short designation are shown wherever the tournament is: a character in them that
// steers the terminal (colour, window title, bell, a bidi override) is refused as it is typed.
TEST_F(NewTournamentDialogTest, NameAndShortDesignationHoldNoControlCharacters) {
    EXPECT_THAT(Show({"Name=Pokal\x1B[31mROT\x1B]0;Titel\a", "ok", "Name=Pokal \xC2\x9B" "31m", "ok",
                      "Name=\xE2\x80\xAE" "lakoP", "ok", "Name=Pokal", "Kürzel=P\x1B[5m", "ok", "Kürzel=P\tQ", "ok",
                      "Kürzel=P", "ok"}),
                ElementsAre("Der Turniername enthält Zeichen, die kein Text sind",
                            "Der Turniername enthält Zeichen, die kein Text sind",
                            "Der Turniername enthält Zeichen, die kein Text sind",
                            "Die Kurzbezeichnung enthält Zeichen, die kein Text sind",
                            "Die Kurzbezeichnung enthält Zeichen, die kein Text sind"));
    EXPECT_EQ(dialog.Edit1.Text(), "Pokal");
    EXPECT_EQ(dialog.Feld3.Text(), "P");
}

TEST_F(NewTournamentDialogTest, AThreeDigitYearIsNoFirstDay) {
    EXPECT_THAT(Show({"Name=n", "Erster Tag=1.2.202", "ok", "Erster Tag=1.2.26", "ok"}),
                ElementsAre("Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)"));
    EXPECT_EQ(dialog.FirstDay(), "01.02.2026");
}

// The group systems all come from the shipped forms file: without it the wizard says so, and
// where it looked, instead of only that there is no form for the count.
TEST_F(NewTournamentDialogTest, WithoutTheShippedFormsTheGroupSystemsSayWhereTheFileWasLookedFor) {
    std::filesystem::remove(folder + "TurFormen.dat");
    dialog.SetStartValues("Tur3", folder);
    const std::string none = "Für diese Auswahl gibt es keine Turnierform mit 8 Teilnehmern. ";
    EXPECT_THAT(Show({"Name=n", "ok", "System=K.O.-System", "ok"}),
                ElementsAre(none + "Die vorgegebenen Turnierformen fehlen: Die Datei " + folder +
                            "TurFormen.dat gibt es nicht."))
        << "the forms made for the count are there all the same";
    std::filesystem::create_directory(folder + "TurFormen.dat");
    dialog.SetStartValues("Tur3", folder);
    ui.boxes.clear();
    EXPECT_THAT(Show({"System=Vorgegebene Gruppensysteme", "ok", "abbrechen"}, mrCancel),
                ElementsAre(none + "Die vorgegebenen Turnierformen fehlen: " + folder +
                            "TurFormen.dat ist ein Ordner und keine Datei."));
    // A file read whole that has no form for the count is no problem of the file.
    std::filesystem::remove(folder + "TurFormen.dat");
    std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/TurFormen.dat", folder + "TurFormen.dat");
    dialog.SetStartValues("Tur3", folder);
    ui.boxes.clear();
    EXPECT_THAT(Show({"Teilnehmer=9", "ok", "abbrechen"}, mrCancel),
                ElementsAre("Für diese Auswahl gibt es keine Turnierform mit 9 Teilnehmern"));
}

TEST_F(NewTournamentDialogTest, TheSwissRoundLimitIsOneBelowThePlayers) {
    EXPECT_EQ(SwissRoundLimitProblem(7, 8, false), "");
    EXPECT_EQ(SwissRoundLimitProblem(8, 8, false), "Bei 8 Spielern sind höchstens 7 Runden möglich.");
    EXPECT_THAT(Show({"Name=n", "Teilnehmer=8", "System=Schweizer System", "Runden=8", "ok", "Runden=0", "ok",
                      "Runden=7", "ok"}),
                ElementsAre("Bei 8 Mannschaften sind höchstens 7 Runden möglich.",
                            "Bitte geben Sie die Anzahl der Runden für das Schweizer System an"));
}

// Every Swiss round pairs all participants: an odd number leaves one without an opponent, so
// the wizard proposes "spielfrei" before it looks at the rounds. Other systems take it.
TEST_F(NewTournamentDialogTest, TheSwissSystemRefusesAnOddNumberOfParticipants) {
    EXPECT_EQ(SwissOddCountProblem(28, "Spielern"), "");
    EXPECT_THAT(Show({"Name=n", "System=Schweizer System", "Teilnehmer=27", "Runden=7", "ok", "Teilnehmerart=Spieler",
                      "Teilnehmer=3", "Runden=9", "ok", "Teilnehmer=28", "ok"}),
                ElementsAre("Beim Schweizer System werden in jeder Runde alle Teilnehmer zu Paaren gelost: bei 27 "
                            "Mannschaften bliebe einer ohne Gegner, und schon die zweite Runde ließe sich nicht "
                            "auslosen. Bitte einen Teilnehmer „spielfrei“ hinzufügen (dann 28). Sein Spiel in jeder "
                            "Runde ist ein Spiel wie jedes andere: es wartet auf sein Ergebnis, etwa einen Sieg des "
                            "Gegners.",
                            HasSubstr("bei 3 Spielern bliebe einer ohne Gegner")));
    EXPECT_EQ(dialog.Feld1.Text(), "28");
    ui.boxes.clear();
    EXPECT_THAT(Show({"System=K.O.-System", "Teilnehmer=27", "ok"}), IsEmpty());
}

TEST_F(NewTournamentDialogTest, TheEnginesCheckKeepsTheDialogOpen) {
    int asked = 0;
    dialog.EngineCheck = [&] {
        return ++asked == 1 ? std::string("Die Feldereingabe ist nicht korrekt") : std::string();
    };
    EXPECT_THAT(Show({"Name=n", "ok", "ok"}), ElementsAre("Die Feldereingabe ist nicht korrekt"));
    EXPECT_EQ(asked, 2);
}

TEST_F(NewTournamentDialogTest, WithoutCancelTheWizardMustBeFinished) {
    dialog.SetCancelVisible(false);
    Show({"abbrechen", "Name=n", "ok"});
    EXPECT_THAT(ui.dialogProblems, Contains(testing::HasSubstr("abbrechen")));
    dialog.SetCancelVisible(true);
    Show({"abbrechen"}, mrCancel);
}

// --- scoring ---

TEST_F(NewTournamentDialogTest, ScoringNamesFollowTheScoringKind) {
    Show({"Name=n", "Sportart=Volleyball", "ok"});
    EXPECT_THAT((std::vector<std::string>{dialog.Label3.Caption(), dialog.Label4.Caption(), dialog.Label5.Caption()}),
                ElementsAre("Punkte", "Sätze", "Bälle"));
    Show({"Wertung=Spiel auf", "Spiel auf Punkte=15", "ok"});
    EXPECT_EQ(dialog.ScoringKind(), "Spiel auf 15");
    EXPECT_EQ(dialog.Label3.Caption(), "Punkte");
    EXPECT_EQ(dialog.Label4.Caption(), "");
    Show({"Wertung=Nur Sieger/Verlierer", "ok"});
    EXPECT_EQ(dialog.ScoringKind(), "Nur Sieger/Verlierer");
    EXPECT_EQ(dialog.Label3.Caption(), "");
    Show({"Wertung=Spiel mit Punkten", "ok"});
    EXPECT_EQ(dialog.ScoringKind(), "Spiel mit Punkten");
}

// --- the scoring chosen last ---

// A wizard made anew on the same settings store, as after a restart of the program.
class WizardMemoryTest : public NewTournamentDialogTest {
protected:
    std::string ShownScoring(std::vector<std::string> lines, int expected = mrOk) {
        TfrmNeuTur next;
        next.SetStartValues("Tur1", folder);
        ShowScripted(ui, next, std::move(lines), expected);
        return next.ScoringKind() + " | " + next.ComboBox2.Text() + " | " + next.ComboBox3.Text();
    }
};

TEST_F(WizardMemoryTest, SportTargetAndOptionConfirmedLastArePresetAfterARestart) {
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Fussball | Fussball | 21");
    Show({"Name=n", "Sportart=Handball", "Spiel auf Punkte=25", "Wertung=Spiel auf", "ok"});
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Spiel auf 25 | Handball | 25");
    Show({"Wertung=Nur Sieger/Verlierer", "Sportart=Tennis", "ok"});
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Nur Sieger/Verlierer | Tennis | 25");
    Show({"Wertung=Spiel mit Punkten", "ok"});
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Spiel mit Punkten | Tennis | 25");
}

// Only a confirmed wizard counts: what was chosen and cancelled is not offered again, neither
// by a new wizard nor by the same one shown once more.
TEST_F(WizardMemoryTest, ACancelledChoiceIsForgotten) {
    Show({"Name=n", "Sportart=Volleyball", "ok"});
    Show({"Sportart=Badminton", "Wertung=Spiel auf", "abbrechen"}, mrCancel);
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Volleyball | Volleyball | 21");
    Show({"ok"});
    EXPECT_EQ(dialog.ScoringKind(), "Volleyball");
}

// A typed target that is no item of the list, and values no wizard writes, leave the presets.
TEST_F(WizardMemoryTest, ValuesTheListsDoNotHaveGiveThePresets) {
    Show({"Name=n", "Wertung=Spiel auf", "Spiel auf Punkte=30", "ok"});
    EXPECT_EQ(dialog.ScoringKind(), "Spiel auf 30");
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Spiel auf 21 | Fussball | 21");
    RegWriteInt("Combo2", 9);
    RegWriteInt("Combo3", 4);
    RegWriteInt("Radio", 5);
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Fussball | Fussball | 21");
    RegWriteInt("Radio", 0);
    RegWriteInt("Combo2", 8);
    EXPECT_EQ(ShownScoring({"Name=n", "ok"}), "Tennis | Tennis | 21");
}
