#include <gtest/gtest.h>

#include <sstream>

#include "TestEnvironment.h"
#include "platform/Dialog.h"
#include "platform/UiHost.h"

namespace {

// A dialog with one field of each kind and a check on OK.
class SampleDialog : public TDialog {
public:
    SampleDialog() {
        SetCaption("Beispiel");
        System.Items.SetText("Jeder gegen Jeden\nSchweizer System");
        System.SetItemIndex(0);
        Sport.Items.SetText("Fussball\nVolleyball");
        Sport.Style = TComboBoxStyle::csDropDownList;
        Teams.SetChecked(true);
    }
    std::vector<DialogField> Fields() override {
        return {TextField("Name", Name), ChoiceField("System", System), ChoiceField("Sportart", Sport),
                FlagField("Zufall", Random),
                OptionField("Teilnehmer", {{"Mannschaften", &Teams}, {"Spieler", &Players}})};
    }
    TEdit Name;
    TRadioGroup System;
    TComboBox Sport;
    TCheckBox Random;
    TRadioButton Teams, Players;
    int shown = 0, accepted = 0;

protected:
    void FormShow() override { ++shown; }
    bool CheckOk() override {
        if (!Name.Text().empty()) return true;
        Ui().MessageBox(TMsgKind::Information, "Bitte Bezeichnung angeben", TMsgButtons::Ok);
        return false;
    }
    void AcceptOk() override { ++accepted; }
};

class DialogTest : public ProgramTest {
protected:
    SampleDialog dialog;
};

}  // namespace

TEST_F(DialogTest, FieldsAreSetByLabelChoiceTextOrNumber) {
    ui.QueueDialog({"name=Stadtturnier", "System=2", "Sportart=volleyball", "Zufall=ja", "Teilnehmer=Spieler", "ok"});
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Name.Text(), "Stadtturnier");
    EXPECT_EQ(dialog.System.ItemIndex(), 1);
    EXPECT_EQ(dialog.Sport.ItemIndex(), 1);
    EXPECT_TRUE(dialog.Random.Checked());
    EXPECT_TRUE(dialog.Players.Checked());
    EXPECT_FALSE(dialog.Teams.Checked());
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(dialog.accepted, 1);
    EXPECT_EQ(ui.dialogCaptions, std::vector<std::string>{"Beispiel"});
}

TEST_F(DialogTest, FailedCheckKeepsTheDialogOpenWithItsMessage) {
    ui.QueueDialog({"ok", "Name=Liga", "ok"});
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Bitte Bezeichnung angeben");
    EXPECT_EQ(dialog.accepted, 1);
}

TEST_F(DialogTest, BadLinesChangeNothingAndSayWhy) {
    ui.QueueDialog({"Sportart=Schach", "System=3", "Zufall=vielleicht", "Farbe=blau", "drucken", "abbrechen"});
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(dialog.Sport.ItemIndex(), -1);
    EXPECT_EQ(dialog.System.ItemIndex(), 0);
    EXPECT_FALSE(dialog.Random.Checked());
    ASSERT_EQ(ui.dialogProblems.size(), 5u);
    EXPECT_EQ(ui.dialogProblems[0],
              "Sportart=Schach: Für \"Sportart\" ist \"Schach\" nicht möglich (möglich: Fussball, Volleyball)");
    EXPECT_EQ(ui.dialogProblems[3], "Farbe=blau: Das Feld \"Farbe\" gibt es im Dialog \"Beispiel\" nicht");
    EXPECT_EQ(ui.dialogProblems[4],
              "drucken: Unbekannte Schaltfläche \"drucken\" im Dialog \"Beispiel\" (möglich: ok, abbrechen)");
    EXPECT_EQ(dialog.accepted, 0);
}

TEST_F(DialogTest, DialogLeftOpenIsUnscriptedAndCancelled) {
    ui.QueueDialog({"Name=x"});
    EXPECT_THROW(dialog.ShowModal(), UnscriptedQuestion);
    EXPECT_EQ(dialog.ModalResult, mrCancel);
    ui.unscripted.clear();
}

TEST_F(DialogTest, FieldsButtonsAndChoicesTakeTwoLetterUmlauts) {
    // A label, a choice and a button with umlauts, typed on a keyboard without them.
    struct Umlauts : SampleDialog {
        std::vector<DialogField> Fields() override { return {TextField("Größe", Name), ChoiceField("Spielart", System)}; }
        std::vector<DialogAction> Actions() override {
            return {{"übernehmen", "Übernehmen", [this] {
                         ModalResult = mrOk;
                         return true;
                     }}};
        }
    } umlauts;
    umlauts.System.Items.SetText("Hin-/Rückrunde\nSchweizer System");
    umlauts.System.SetItemIndex(1);
    ui.QueueDialog({"Groesse=12", "SPIELART=hin-/rueckrunde", "Uebernehmen"});
    EXPECT_EQ(umlauts.ShowModal(), mrOk);
    EXPECT_EQ(umlauts.Name.Text(), "12");
    EXPECT_EQ(umlauts.System.ItemIndex(), 0);
    bool closed = true;
    EXPECT_EQ(ApplyDialogLine(umlauts, "Grösse=13", closed), "") << "ö and oe alike, and so ss and ß";
    EXPECT_EQ(ApplyDialogLine(umlauts, "Groeße=14", closed), "");
    EXPECT_EQ(umlauts.Name.Text(), "14");
    EXPECT_NE(ApplyDialogLine(umlauts, "Grosse=15", closed), "") << "o is not ö";
    EXPECT_EQ(umlauts.Name.Text(), "14");
}

// A choice shown with a box mark before it and blanks to line it up is typed as it reads.
TEST_F(DialogTest, AChoiceIsTypedWithoutItsBoxMarkAndWithSingleBlanks) {
    const std::vector<std::string> referees = {"Aus der Runde", "[X]      Neutrale Schiedsrichter",
                                               "Keine Schiedsrichter", "[FREILOS]"};
    EXPECT_EQ(TypedChoice(referees[1]), "Neutrale Schiedsrichter");
    EXPECT_EQ(TypedChoice("  Spiel   auf\tPunkte "), "Spiel auf Punkte");
    EXPECT_EQ(TypedChoice("[FREILOS]"), "[FREILOS]") << "a name in brackets is no box mark";
    for (const char* typed : {"[X]      Neutrale Schiedsrichter", "Neutrale Schiedsrichter", "neutrale  schiedsrichter",
                              "[ ] Neutrale Schiedsrichter", "2"})
        EXPECT_EQ(MatchChoice(referees, typed), 1) << typed;
    EXPECT_EQ(MatchChoice(referees, "[FREILOS]"), 3);
    EXPECT_EQ(MatchChoice(referees, "FREILOS"), -1);
    EXPECT_EQ(MatchChoice(referees, "Neutrale"), -1) << "a part of an item is none";

    dialog.System.Items.SetText(referees[0] + "\n" + referees[1]);
    bool closed = true;
    EXPECT_EQ(ApplyDialogLine(dialog, "System=Neutrale Schiedsrichter", closed), "");
    EXPECT_EQ(dialog.System.ItemIndex(), 1);
    EXPECT_EQ(ApplyDialogLine(dialog, "System=Niemand", closed),
              "Für \"System\" ist \"Niemand\" nicht möglich (möglich: Aus der Runde, Neutrale Schiedsrichter)")
        << "the refusal lists the choices as they can be typed";
}

// A dialog may take a whole line before it is read as a field or a button.
TEST_F(DialogTest, ADialogThatTakesALineTakesItBeforeFieldsAndButtons) {
    struct Taking : SampleDialog {
        bool TakeLine(const std::string& line, bool& closed) override {
            if (line.rfind("weiter ", 0) != 0) return false;
            taken = line;
            ModalResult = mrOk;
            closed = true;
            return true;
        }
        std::string taken;
    } taking;
    bool closed = false;
    EXPECT_EQ(ApplyDialogLine(taking, "weiter Name=Liga ok", closed), "");
    EXPECT_TRUE(closed);
    EXPECT_EQ(taking.taken, "weiter Name=Liga ok");
    EXPECT_EQ(taking.Name.Text(), "");
    EXPECT_EQ(ApplyDialogLine(taking, "Name=Liga", closed), "");
    EXPECT_FALSE(closed);
    EXPECT_EQ(taking.Name.Text(), "Liga");
}
