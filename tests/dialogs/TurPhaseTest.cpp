#include <gtest/gtest.h>

#include "ScriptedDialog.h"
#include "TestEnvironment.h"
#include "dialogs/turPhase.h"

using Strings = std::vector<std::string>;

class TurPhaseTest : public ProgramTest {
protected:
    TfrmTurPhase dialog;
};

TEST(SplitTeilnehmerTest, NamesComeOnePerLineOrSeparatedBySemicolons) {
    EXPECT_EQ(SplitTeilnehmer(" Adler ; Bären;;\r\nCondor\n\n Dachse\t"), (Strings{"Adler", "Bären", "Condor", "Dachse"}));
    EXPECT_TRUE(SplitTeilnehmer(" ; \n").empty());
}

TEST_F(TurPhaseTest, ConfirmedParticipantsAndKindAreTakenInOrder) {
    EXPECT_TRUE(ShowScripted(ui, dialog, {"Art=K.O.-System", "Teilnehmer=Elche; Adler ;Bären", "ok"}, mrOk).empty());
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseKO);
    EXPECT_EQ(dialog.Teilnehmer.ToVector(), (Strings{"Elche", "Adler", "Bären"}));
    EXPECT_EQ(dialog.TurFormDatei, "");
    EXPECT_EQ(dialog.Fields()[1].value(), "Elche; Adler; Bären");
    dialog.Reset();
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseKeine);
    EXPECT_EQ(dialog.Teilnehmer.Count(), 0);
    // The fields keep what was typed: confirming again prepares the same.
    ShowScripted(ui, dialog, {"ok"}, mrOk);
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseKO);
    EXPECT_EQ(dialog.Teilnehmer.Count(), 3);
}

TEST_F(TurPhaseTest, AStoredFormNeedsAnExistingTournamentFile) {
    ShowScripted(ui, dialog, {"Art=Gespeicherte Turnierform", "Turnierform=", "ok", "abbrechen"}, mrCancel);
    ShowScripted(ui, dialog, {"Turnierform=" + folder + "namen.txt", "ok", "abbrechen"}, mrCancel);
    ShowScripted(ui, dialog, {"Turnierform=" + folder + "fehlt.tur", "ok", "abbrechen"}, mrCancel);
    const Strings boxes = ShowScripted(ui, dialog, {"Turnierform=" + folder, "ok", "abbrechen"}, mrCancel);
    EXPECT_EQ(boxes, (Strings{"Bitte wählen Sie die gespeicherte Turnierform (eine Turnierdatei .tur).",
                              "„" + folder + "namen.txt“ ist keine Turnierdatei (.tur).",
                              "Die Datei „" + folder + "fehlt.tur“ gibt es nicht.",
                              "„" + folder + "“ ist keine Turnierdatei (.tur)."}));
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseKeine) << "nothing prepared while the checks fail";
    WriteProgramFile("pokal.tur", "");
    ShowScripted(ui, dialog, {"Turnierform=" + folder + "pokal.tur", "ok"}, mrOk);
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseGespeichert);
    EXPECT_EQ(dialog.TurFormDatei, folder + "pokal.tur");
    EXPECT_EQ(dialog.Teilnehmer.Count(), 0) << "a stored form may be loaded without names";
}

TEST_F(TurPhaseTest, TheFileFieldBelongsToTheStoredFormOnly) {
    ShowScripted(ui, dialog, {"Art=Poolspiel", "Turnierform=x.tur", "abbrechen"}, mrCancel);
    ASSERT_EQ(ui.dialogProblems.size(), 1u);
    EXPECT_NE(ui.dialogProblems[0].find("Das Feld \"Turnierform\" gibt es im Dialog \"Vorbereitung\" nicht"),
              std::string::npos);
}

TEST_F(TurPhaseTest, EachCheckNamesItsProblemAndTakesNothing) {
    const std::pair<Strings, std::string> wrong[] = {
        {{}, "Bitte wählen Sie die Art des Turniers."},
        {{"Art=Schweizer System", "Teilnehmer=Adler"}, "Bitte geben Sie mindestens zwei Teilnehmer an."},
        {{"Art=Poolspiel", "Teilnehmer=Adler;Bären;adler"}, "Der Name „adler“ steht zweimal in der Liste."},
        {{"Art=K.O.-System", "Teilnehmer=Adler;Sportgemeinschaft Oberndorf-Übe"},
         "Der Name „Sportgemeinschaft Oberndorf-Übe“ ist länger als 30 Zeichen."},
        {{"Art=K.O.-System", "Teilnehmer=Adler;Bä\x01ren"}, "Der Name „Bä\x01ren“ enthält Zeichen, die kein Text sind."},
    };
    for (const auto& [lines, message] : wrong) {
        TfrmTurPhase fresh;
        ui.boxes.clear();
        Strings script = lines;
        script.insert(script.end(), {"ok", "abbrechen"});
        EXPECT_EQ(ShowScripted(ui, fresh, script, mrCancel), Strings{message});
        EXPECT_EQ(fresh.TurPhaseArt, kTurPhaseKeine);
        EXPECT_EQ(fresh.Teilnehmer.Count(), 0);
    }
}

TEST_F(TurPhaseTest, ASwissSystemTakesAnEvenNumberOfParticipantsOnly) {
    const Strings boxes =
        ShowScripted(ui, dialog, {"Art=Schweizer System", "Teilnehmer=Anna; Bernd; Clara", "ok", "abbrechen"}, mrCancel);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("bei 3 Teilnehmern bliebe einer ohne Gegner"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("Bitte einen Teilnehmer „spielfrei“ hinzufügen (dann 4)"), std::string::npos) << boxes[0];
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseKeine);
    ShowScripted(ui, dialog, {"Art=K.O.-System", "ok"}, mrOk);
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseKO) << "a knock-out system gives byes";
    ShowScripted(ui, dialog, {"Art=Schweizer System", "Teilnehmer=Anna; Bernd; Clara; spielfrei", "ok"}, mrOk);
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseSchweiz);
    EXPECT_EQ(dialog.Teilnehmer.Count(), 4);
}

TEST_F(TurPhaseTest, ThirtyCharactersAreANameNotTooLong) {
    ShowScripted(ui, dialog, {"Art=1", "Teilnehmer=Sportgemeinschaft Oberndorf-Üb;Adler", "ok"}, mrOk);
    EXPECT_EQ(dialog.TurPhaseArt, kTurPhaseSchweiz);
    EXPECT_EQ(dialog.Teilnehmer[0], "Sportgemeinschaft Oberndorf-Üb");
}
