#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <sstream>

#include "TestEnvironment.h"
#include "foundation/Logs.h"
#include "foundation/MessageBoxes.h"
#include "frontend/CommandTable.h"
#include "frontend/TerminalHost.h"
#include "frontend/TerminalInput.h"
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

// Typed on a terminal: "\x04" stands for Ctrl-D, after which reading goes on; the end of the
// text is the end for good.
class TypedOnATerminal : public InputSource {
public:
    explicit TypedOnATerminal(std::string typed) : typed_(std::move(typed)) {}
    int Get() override {
        if (at_ == typed_.size()) return -1;
        const char c = typed_[at_++];
        return c == '\x04' ? -1 : static_cast<unsigned char>(c);
    }
    bool Resumes() const override { return at_ < typed_.size(); }

private:
    std::string typed_;
    size_t at_ = 0;
};

// The host on a given input, as the terminal (script false) or a script.
class TerminalHostTest : public ProgramTest {
protected:
    void Use(const std::string& input, bool script) {
        in = std::make_unique<std::istringstream>(input);
        Attach(std::make_unique<InputReader>(*in), script);
    }
    void UseTerminal(const std::string& typed) {
        typing = std::make_unique<TypedOnATerminal>(typed);
        Attach(std::make_unique<InputReader>(*typing), false);
    }
    void Attach(std::unique_ptr<InputReader> input, bool script) {
        reader = std::move(input);
        host = std::make_unique<TerminalHost>(*reader, out, script);
        host->SetCommands(&ProgramCommands());
        SetUiHost(host.get());
    }
    void TearDown() override {
        SetUiHost(&ui);
        ProgramTest::TearDown();
    }
    std::unique_ptr<std::istringstream> in;
    std::unique_ptr<TypedOnATerminal> typing;
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

// A result stored is done, whatever a warning after it reports (no Swiss pairing left); a dialog
// the script gets refused still fails the command, and the next command starts afresh.
TEST_F(TerminalHostTest, AStoredChangeIsDoneDespiteTheWarningsAfterItButNotDespiteARefusal) {
    Use("", true);
    host->BeginCommand({});
    ShowMsg(3, " Keine Spielpaarungen mehr moeglich!! ");
    host->ChangeStored();
    EXPECT_TRUE(host->EndCommand("„ergebnis“", false));
    host->BeginCommand({"Farbe=rot", "ok"});
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    host->ChangeStored();
    EXPECT_FALSE(host->EndCommand("„ergebnis“", false));
    host->BeginCommand({});
    ShowMsg(3, "Noch eine Warnung");
    EXPECT_FALSE(host->EndCommand("„x“", false)) << "without a stored change a warning fails the command";
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

// Developer mode shows every error-log line as a warning: it shows more, and a command that did
// its work still counts as done, so a script goes on and ends with the same status.
TEST_F(TerminalHostTest, DeveloperWarningsShowButNeverFailTheCommand) {
    Use("", true);
    setenv("MAROVELKA_DEVELOPER", "1", 1);
    host->BeginCommand({});
    ErrorLog("[X] Get: Fehler im Befehl Get(Spielplan,3,99)");
    EXPECT_TRUE(host->EndCommand("„x“", false));
    host->BeginCommand({});
    ShowMsg(3, "Achtung");
    ErrorLog("[X] danach");
    EXPECT_FALSE(host->EndCommand("„x“", false)) << "a warning of the command itself still fails it";
    unsetenv("MAROVELKA_DEVELOPER");
    EXPECT_EQ(out.str(),
              "Warnung: [X] Get: Fehler im Befehl Get(Spielplan,3,99)\nWarnung: Achtung\nWarnung: [X] danach\n");
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

TEST_F(TerminalHostTest, CtrlDCancelsTheDialogOrQuestionItComesInAndTheTerminalGoesOn) {
    UseTerminal("Name=TSV Nord\n\x04ja\n\x04\x04Name=Süd\nok\n");
    host->BeginCommand({});
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_NE(out.str().find("Hinweis: Strg-D bricht den Dialog „Mannschaft“ ab, nichts geändert."), std::string::npos);
    EXPECT_EQ(AskYesNo("Weiter?"), mrYes) << "read again after Ctrl-D";
    try {
        AskYesNo("Jetzt speichern?");
        ADD_FAILURE() << "a question left with Ctrl-D has no answer, not even „nein“";
    } catch (const QuestionCancelled& cancelled) {
        EXPECT_EQ(cancelled.question, "Jetzt speichern?");
    }
    TOpenDialog open;
    open.Filter = "Textdatei (*.txt)|*.txt";
    EXPECT_FALSE(open.Execute()) << "Ctrl-D cancels the file question";
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Name.Text(), "Süd");
    EXPECT_TRUE(host->EndCommand("„x“", false));
    EXPECT_THROW(AskYesNo("Noch einmal?"), UnansweredQuestion) << "the end for good still ends";
}

TEST_F(TerminalHostTest, HilfeInADialogSaysWhatItWaitsFor) {
    Use("hilfe\nhilfe art\nHILFE OK\nhilfe ende\nhilfe farbe\nName=TSV Nord\nok\n", false);
    host->BeginCommand({});
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    const std::string shown = out.str();
    const std::string general = "Der Dialog „Mannschaft“ wartet auf Feld=Wert (ein Feld je Zeile) und zuletzt eine "
                                "Schaltfläche: ihren Namen eingeben.\n  ok\n  abbrechen\n"
                                "Eine leere Zeile zeigt die Felder mit ihren Werten, „hilfe FELD“ eines davon.\n"
                                "Befehle gibt es erst nach dem Dialog, an der Eingabe „>“.\n";
    EXPECT_NE(shown.find("Mannschaft> " + general + "Mannschaft> "), std::string::npos) << shown;
    EXPECT_NE(shown.find("Feld des Dialogs „Mannschaft“, gesetzt mit „Art=Wert“:\n  Art = Verein   (Verein, Schule)\n"),
              std::string::npos);
    EXPECT_NE(shown.find("Schaltfläche des Dialogs „Mannschaft“: „ok“\n"), std::string::npos);
    EXPECT_NE(shown.find("ende\n  Marovelkandis beenden\n"), std::string::npos) << "a command is explained";
    EXPECT_NE(shown.find("Befehle gibt es erst nach dem Dialog „Mannschaft“, an der Eingabe „>“; „hilfe“ zeigt, "
                         "worauf der Dialog wartet.\n"),
              std::string::npos);
    EXPECT_NE(shown.find("„farbe“ ist weder Feld noch Schaltfläche dieses Dialogs noch ein Befehl.\n" + general),
              std::string::npos);
    EXPECT_EQ(shown.find("Fehler"), std::string::npos) << "help is no wrong input";
    EXPECT_TRUE(host->EndCommand("„x“", false));
}

// What a window says above its fields, the text host says above them too, and again when asked.
TEST_F(TerminalHostTest, NotesOfADialogStandAboveItsFieldsAndInItsHelp) {
    class NotedDialog : public TeamDialog {
    public:
        std::vector<std::string> Notes() override { return {"Art: wer die Mannschaft stellt.", "Zweite Zeile."}; }
    } noted;
    Use("hilfe\nName=TSV Nord\nok\n", false);
    host->BeginCommand({});
    EXPECT_EQ(noted.ShowModal(), mrOk);
    const std::string shown = out.str();
    EXPECT_EQ(shown.find("[Dialog] Mannschaft\n  Art: wer die Mannschaft stellt.\n  Zweite Zeile.\n  Name =\n"), 0u)
        << shown;
    EXPECT_NE(shown.find("Mannschaft> Art: wer die Mannschaft stellt.\nZweite Zeile.\nDer Dialog „Mannschaft“ wartet"),
              std::string::npos)
        << shown;
    EXPECT_TRUE(host->EndCommand("„x“", false));
}

TEST_F(TerminalHostTest, HilfeAtAQuestionAndAtAFileQuestion) {
    UseTerminal("hilfe\nja\nhilfe\n\n");
    EXPECT_EQ(AskYesNo("Weiter?"), mrYes);
    TOpenDialog open;
    open.Filter = "Textdatei (*.txt)|*.txt";
    EXPECT_FALSE(open.Execute()) << "an empty line cancels";
    EXPECT_EQ(out.str(),
              "Frage: Weiter?\n(ja/nein)> Die Frage „Weiter?“ wartet auf „ja“ oder „nein“. Strg-D bricht den Befehl ab, "
              "der fragt; nichts wird geändert.\n(ja/nein)> "
              "Datei wählen: Textdatei (*.txt)\nDatei (leer = abbrechen)> Gesucht ist eine Datei: Textdatei (*.txt). "
              "Ein Name ohne Ordner meint eine Datei im Programmordner, ein Name ohne Endung die mit „.txt“. Eine "
              "leere Zeile bricht ab.\nDatei (leer = abbrechen)> ");
}

TEST_F(TerminalHostTest, ATerminalIsReadAgainAfterCtrlDUntilItHangsUpOrNoOneTypes) {
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    TerminalSource terminal(slave);
    InputReader input(terminal);
    const auto type = [&](const std::string& keys) { ASSERT_EQ(write(master, keys.data(), keys.size()), static_cast<ssize_t>(keys.size())); };
    EXPECT_FALSE(input.Wait(0)) << "nothing typed yet";
    type("ja\n");
    EXPECT_TRUE(input.Wait(5000));
    EXPECT_EQ(input.Next()->text, "ja");
    type("\x04");
    EXPECT_FALSE(input.Next());
    EXPECT_TRUE(input.Resumes());
    type("nein\n");
    EXPECT_EQ(input.Next()->text, "nein");
    for (int i = 0; i < TerminalSource::kMaxEndsInARow; ++i) {
        EXPECT_TRUE(input.Resumes()) << i;
        type("\x04");
        EXPECT_FALSE(input.Next());
    }
    EXPECT_FALSE(input.Resumes()) << "ends in a row and no key between: no one is typing any more";
    EXPECT_FALSE(input.Next());
    close(master);
    close(slave);
    // A terminal that hangs up ends at once.
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    TerminalSource gone(slave);
    close(master);
    EXPECT_TRUE(gone.Wait(5000));
    EXPECT_EQ(gone.Get(), -1);
    EXPECT_FALSE(gone.Resumes());
    close(slave);
}
