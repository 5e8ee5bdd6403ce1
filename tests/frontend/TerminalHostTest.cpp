#include <gtest/gtest.h>

#include <sstream>

#include "TestEnvironment.h"
#include "foundation/MessageBoxes.h"
#include "frontend/TerminalHost.h"
#include "platform/Dialog.h"

namespace {

class TeamDialog : public TDialog {
public:
    TeamDialog() {
        SetCaption("Mannschaft");
        Art.Items.SetText("Verein\nSchule");
        Art.SetItemIndex(0);
    }
    std::vector<DialogField> Fields() override { return {TextField("Name", Name), ChoiceField("Art", Art)}; }
    TEdit Name;
    TRadioGroup Art;

protected:
    bool CheckOk() override {
        if (!Name.Text().empty()) return true;
        ShowMsg(3, "Bitte einen Namen angeben");
        return false;
    }
};

// The host on a given input, as the terminal (script false) or a script.
class TerminalHostTest : public ProgramTest {
protected:
    void Use(const std::string& input, bool script) {
        in = std::make_unique<std::istringstream>(input);
        reader = std::make_unique<InputReader>(*in);
        host = std::make_unique<TerminalHost>(*reader, out, script);
        SetUiHost(host.get());
    }
    void TearDown() override {
        SetUiHost(&ui);
        ProgramTest::TearDown();
    }
    std::unique_ptr<std::istringstream> in;
    std::unique_ptr<InputReader> reader;
    std::ostringstream out;
    std::unique_ptr<TerminalHost> host;
    TeamDialog dialog;
};

}  // namespace

TEST_F(TerminalHostTest, PresetsAndOkConfirmAtOnceAndTheDialogIsShownAsConfirmed) {
    Use("", true);
    host->BeginCommand({"Name=TSV Nord", "Art=Schule", "ok"});
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(host->EndCommand("„x“", false));
    EXPECT_EQ(dialog.Name.Text(), "TSV Nord");
    EXPECT_EQ(out.str(), "[Dialog] Mannschaft\n  Name = TSV Nord\n  Art = Schule   (Verein, Schule)\n"
                         "  Schaltflächen: ok abbrechen\n");
}

TEST_F(TerminalHostTest, OnTheTerminalAFailedCheckKeepsTheDialogOpen) {
    Use("ok\nArt=Turnier\n\nName=TSV Nord\nok\n", false);
    host->BeginCommand({});
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    const std::string shown = out.str();
    EXPECT_NE(shown.find("Mannschaft> Warnung: Bitte einen Namen angeben\nMannschaft> "), std::string::npos) << shown;
    EXPECT_NE(shown.find("Fehler: Für \"Art\" ist \"Turnier\" nicht möglich (möglich: Verein, Schule)\n"),
              std::string::npos);
    EXPECT_NE(shown.find("Mannschaft> [Dialog] Mannschaft\n"), std::string::npos) << "a blank line shows it again";
    EXPECT_EQ(dialog.Name.Text(), "TSV Nord");
}

TEST_F(TerminalHostTest, InAScriptARefusedLineOrFailedCheckCancelsAndFailsTheCommand) {
    for (const std::vector<std::string>& presets :
         {std::vector<std::string>{"Art=Schule", "ok"}, std::vector<std::string>{"Farbe=rot", "Name=x", "ok"}}) {
        Use("Name=spät\nok\n", true);
        dialog.Name.SetText("");
        host->BeginCommand(presets);
        EXPECT_EQ(dialog.ShowModal(), mrCancel);
        EXPECT_FALSE(host->EndCommand("„x“", false));
        EXPECT_EQ(dialog.Name.Text(), "") << "nothing after the refusal is taken";
        EXPECT_NE(out.str().find("Fehler: Der Dialog „Mannschaft“ wird abgebrochen, nichts geändert.\n"),
                  std::string::npos);
        out.str("");
    }
}

TEST_F(TerminalHostTest, EndOfInputInsideADialogCancelsIt) {
    Use("Name=TSV Nord\n", true);
    host->BeginCommand({});
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_FALSE(host->EndCommand("„x“", false)) << "a script that ends inside a dialog did not finish";
    EXPECT_NE(out.str().find("Fehler: Die Eingabe endet im Dialog „Mannschaft“; er wird abgebrochen, nichts geändert."),
              std::string::npos);
    Use("Name=TSV Nord\n", false);
    host->BeginCommand({});
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(host->EndCommand("„x“", false)) << "on the terminal the user simply stopped";
}

TEST_F(TerminalHostTest, ALineTooLongInsideADialogIsRefusedAndTheDialogGoesOn) {
    Use("Name=" + std::string(100000, 'x') + "\nName=Kurz\nok\n", false);
    host->BeginCommand({});
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Name.Text(), "Kurz");
    EXPECT_NE(out.str().find("Fehler: Zeile 1 ist zu lang (100005 Bytes, höchstens 65536) und wird nicht ausgeführt."),
              std::string::npos);
}

TEST_F(TerminalHostTest, QuestionsAreAnsweredFromTheQueueOrTheTerminal) {
    Use("vielleicht\nn\n", false);
    host->QueueAnswers({"JA"});
    EXPECT_EQ(AskYesNo("Jetzt speichern?"), mrYes);
    EXPECT_EQ(AskYesNo("Wirklich?"), mrNo);
    EXPECT_EQ(out.str(), "Frage: Jetzt speichern?\nAntwort: JA\nFrage: Wirklich?\n(ja/nein)> Bitte „ja“ oder „nein“ "
                         "eingeben.\n(ja/nein)> ");
    EXPECT_THROW(AskYesNo("Noch einmal?"), UnansweredQuestion) << "the input has ended";
}

TEST_F(TerminalHostTest, AScriptNeverWaitsForAnAnswer) {
    Use("ja\n", true);
    try {
        AskYesNo("Ein oder mehrere Turniere wurden noch nicht gespeichert\r\n\r\nJetzt speichern?");
        ADD_FAILURE() << "answered without an answer";
    } catch (const UnansweredQuestion& unanswered) {
        EXPECT_EQ(unanswered.question, "Ein oder mehrere Turniere wurden noch nicht gespeichert – Jetzt speichern?");
    }
    EXPECT_EQ(reader->LineNumber(), 0) << "the next script line is not taken as the answer";
    host->QueueAnswers({"vielleicht"});
    EXPECT_THROW(AskYesNo("Wirklich?"), UnfitAnswer);
}

TEST_F(TerminalHostTest, FileQuestions) {
    Use("", true);
    host->QueueAnswers({"/daten/a b.txt", "abbrechen"});
    TOpenDialog open;
    open.Filter = "Textdatei (*.txt)|*.txt|Alle (*.*)|*.*";
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName, "/daten/a b.txt");
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(out.str(), "Datei wählen: Textdatei (*.txt), Alle (*.*)\nAntwort: /daten/a b.txt\n"
                         "Datei wählen: Textdatei (*.txt), Alle (*.*)\nAntwort: abbrechen\n");
    EXPECT_THROW(open.Execute(), UnansweredQuestion);
}

TEST_F(TerminalHostTest, BoxesAreOneLineAndWarningsFailTheCommand) {
    Use("", true);
    host->BeginCommand({});
    ShowMsg(1, "Datei wurde schon geladen\r\n\r\n/daten/a.tur");
    ShowMsg(0, "Hallo");
    EXPECT_TRUE(host->EndCommand("„x“", false));
    host->BeginCommand({});
    ShowMsg(4, "Kann Datei nicht öffnen");
    EXPECT_FALSE(host->EndCommand("„x“", false));
    EXPECT_EQ(out.str(), "Information: Datei wurde schon geladen – /daten/a.tur\nMeldung: Hallo\n"
                         "Fehler: Kann Datei nicht öffnen\n");
    EXPECT_EQ(TerminalHost::BoxLine(TMsgKind::Confirmation, "Weiter?"), "Frage: Weiter?");
    EXPECT_EQ(TerminalHost::BoxLine(TMsgKind::Warning, "Achtung"), "Warnung: Achtung");
}

TEST_F(TerminalHostTest, WhatACommandDidNotUseIsAnError) {
    Use("", true);
    host->BeginCommand({"Name=x", "ok"});
    host->QueueAnswers({"ja"});
    EXPECT_FALSE(host->EndCommand("„hilfe“", false));
    EXPECT_EQ(out.str(), "Fehler: „hilfe“ hat keinen Dialog geöffnet; die Angaben „Name=x ok“ wurden nicht gebraucht.\n"
                         "Fehler: „hilfe“ hat nichts mehr gefragt; die Antwort „ja“ wurde nicht gebraucht.\n");
    host->QueueAnswers({"nein"});
    EXPECT_TRUE(host->EndCommand("„antwort“", true)) << "answers wait for the next command";
    EXPECT_EQ(AskYesNo("Weiter?"), mrNo);
}
