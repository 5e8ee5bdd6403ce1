#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"
#include "engine/NeuesTurnier.h"
#include "engine/TurnierWechsel.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/TurnierStore.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class NeuesTurnierTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* file : {"TurFormen.dat", "Spklrs.dat"})
            std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/" + file, folder + file);
        form = std::make_unique<LightForm>();
    }
    NeuesTurnierErgebnis New(std::vector<std::string> lines, bool first = false) {
        lines.push_back("ok");
        ui.QueueDialog(std::move(lines));
        return newTurnier(*form, first);
    }
    std::string Turnier(int column) const { return Get(form->Turnier, column, 1, true); }
    std::string Setting(const std::string& key) const { return GetSetting(*form, key, "(fehlt)"); }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const MessageBoxRecord& box : ui.boxes) texts.push_back(box.text);
        return texts;
    }
    std::unique_ptr<LightForm> form;
};

// --- a tournament from the wizard ---

TEST_F(NeuesTurnierTest, AKnockOutFromTheCatalogueWithEverythingItNeeds) {
    const NeuesTurnierErgebnis made = New(
        {"Name=Stadtpokal", "Kürzel=SP", "Teilnehmer=8", "Erster Tag=14.03.2027", "System=Vorgegebene Gruppensysteme",
         "Turnierform=Zwei Gruppen zu 4 mit Halbfinale und Finale", "Startzeit=09:30", "Felder=1-2"},
        true);
    EXPECT_EQ(made, NeuesTurnierErgebnis::MitRunden);
    EXPECT_EQ(form->AktTurNr, 1);
    EXPECT_EQ(form->AnzTurniere, 1);
    EXPECT_EQ(form->AnzRunden, 3);
    EXPECT_EQ(Turnier(Turnier_Name), "Stadtpokal");
    EXPECT_EQ(Turnier(Turnier_AnzMann), "8");
    EXPECT_EQ(Turnier(Turnier_Datum), "14.03.2027");
    EXPECT_EQ(Turnier(Turnier_Sportart), "Fussball");
    EXPECT_EQ(Turnier(Turnier_Score), "Punkte");
    EXPECT_EQ(Turnier(Turnier_Score2), "Tore");
    EXPECT_EQ(Turnier(Turnier_Bez), "SP");
    EXPECT_EQ(Turnier(Turnier_System), "GruppenSpiele");
    EXPECT_EQ(Turnier(Turnier_Changes), "true");
    EXPECT_THAT(form->XComboBox1.Items.ToVector(), ElementsAre("[SP] Stadtpokal"));
    EXPECT_EQ(form->XComboBox1.ItemIndex(), 0);
    EXPECT_EQ(form->Label39.Caption(), "[SP] Stadtpokal");
    EXPECT_EQ(form->Label20.Caption(), "8");
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Von, 1, true), "09:30");
    EXPECT_EQ(Get(form->Spielplan, Spielplan_Feld, 2, true), "2");
    EXPECT_EQ(form->TPlatz.RowCount(), 9);
    EXPECT_EQ(form->TPlatz.Cells(1, 1), "Sieger Spiel 16");
    EXPECT_EQ(Setting("TeamTyp"), "Mannschaft");
    EXPECT_EQ(Setting("FussPunkte"), "true");
    EXPECT_EQ(Setting("AWertung"), "7");
    EXPECT_EQ(Setting("ZeitSpiele"), "true");
    EXPECT_EQ(Setting("Spalte Schiri"), "On");
    EXPECT_EQ(Setting("Spalte Punkte"), "Off");
    EXPECT_EQ(Setting("SchiriAuswahl"), "0");
    EXPECT_THAT(form->calls, Contains("setStatusText(1,Neues Turnier hinzugefügt)"));
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_FALSE(IsBusy(*form));
}

// The tables keep days as "dd.mm.yyyy", whatever short form was typed; a time after the day is
// no day (the start time has its field), and nothing is made of it.
TEST_F(NeuesTurnierTest, TheFirstDayIsStoredAsTheTablesKeepDays) {
    New({"Name=Winter", "Teilnehmer=4", "Erster Tag=1.2.27 10:30", "ok", "Erster Tag=", "ok",
         "Erster Tag= 1.2.27"});
    EXPECT_THAT(Boxes(), ElementsAre("Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)",
                                     "Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)"));
    EXPECT_EQ(form->AnzTurniere, 1);
    EXPECT_EQ(Turnier(Turnier_Datum), "01.02.2027");
}

TEST_F(NeuesTurnierTest, ASwissTournamentKeepsItsRounds) {
    New({"Name=Schach", "Teilnehmer=8", "Teilnehmerart=Spieler", "System=Schweizer System", "Runden=5",
         "Wertung=Nur Sieger/Verlierer"});
    EXPECT_EQ(Turnier(Turnier_System), "Schweiz");
    EXPECT_EQ(Turnier(Turnier_Runden), "5");
    EXPECT_EQ(Setting("Beamer_ShowNext"), "0");
    EXPECT_EQ(Setting("TeamTyps"), "Spieler");
    EXPECT_EQ(Setting("AWertung"), "1");
    EXPECT_EQ(Turnier(Turnier_Sportart), "Nur Sieger/Verlierer");
    EXPECT_EQ(form->AnzRunden, 5);
    EXPECT_EQ(form->TPlatz.Cells(1, 8), "8. Gruppe R5");
    // Each round's table goes on from the one before.
    for (int g = 1; g <= 5; ++g) EXPECT_EQ(Get(form->Gruppe, Gruppe_ErgUE, g, true), "1") << g;
    EXPECT_TRUE(form->CheckBox6.Checked());
}

// The words for a participant are shown as soon as the tournament exists, not only after loading
// it again; a team tournament made next takes its own words back.
TEST_F(NeuesTurnierTest, TheParticipantWordIsShownRightAfterCreation) {
    auto words = [this] {
        Dialogs& dialogs = DialogsOf(*form);
        std::vector<std::string> labels;
        for (const DialogField& field : dialogs.frmEinzelSpiel.Fields())
            if (field.alias.rfind("Teilnehmer", 0) == 0) labels.push_back(field.label);
        return std::vector<std::string>{form->TPlatz.Cells(1, 0), form->Xplatzgrid.Cells(2, 0),
                                        form->Gruppen.Cells(2, 0), labels.at(0), labels.at(1),
                                        dialogs.frmErgebnis.Label1.Caption(), dialogs.frmKonflikt.Grid1.Cells(0, 1)};
    };
    New({"Name=Schach", "Teilnehmer=4", "Teilnehmerart=Spieler"}, true);
    EXPECT_THAT(words(), ElementsAre("Spieler", "Spieler", "Spieler", "Spieler 1", "Spieler 2", "Spieler", "Spieler"));
    New({"Name=Pokal", "Teilnehmer=4", "Teilnehmerart=Mannschaften"});
    EXPECT_THAT(words(), ElementsAre("Mannschaft", "Mannschaft", "Mannschaften", "Mannschaft 1", "Mannschaft 2",
                                     "Mannschaften", "Mannschaft"));
}

TEST_F(NeuesTurnierTest, TooManySwissRoundsAreRefusedInTheWizard) {
    New({"Name=Schach", "Teilnehmer=6", "System=Schweizer System", "Runden=6", "ok", "Runden=5"});
    EXPECT_THAT(Boxes(), ElementsAre("Bei 6 Mannschaften sind höchstens 5 Runden möglich."));
    EXPECT_EQ(form->AnzRunden, 5);
}

TEST_F(NeuesTurnierTest, WithoutAFormTheRoundPageIsNext) {
    EXPECT_EQ(New({"Name=Frei", "System=Selbstdefinierte Turnierform", "Zeitspiele=nein", "Startzeit=14:00",
                   "Schiedsrichter=Keine Schiedsrichter"}),
              NeuesTurnierErgebnis::OhneRunden);
    EXPECT_EQ(form->AnzRunden, 0);
    EXPECT_EQ(Turnier(Turnier_System), "");
    EXPECT_EQ(Setting("ZeitSpiele"), "false");
    EXPECT_EQ(Setting("Spalte Uhrzeit"), "Off");
    EXPECT_EQ(Setting("Spalte Schiri"), "Off");
    EXPECT_FALSE(form->XZeitSpiele.Checked());
    EXPECT_EQ(form->Edit10.Text(), "14:00");
    EXPECT_EQ(form->Edit4.Text(), "1");
}

TEST_F(NeuesTurnierTest, RoundDefaultsComeFromTheWizard) {
    New({"Name=n", "System=Selbstdefinierte Turnierform", "Punkte=Pro Satz", "Punkte pro Satz=2",
         "Punkte bei Ballgleichstand=1", "Ergebnisse übernehmen=ja", "Zufällige Reihenfolge=ja", "Spieldauer=12",
         "Pause=3", "Rundenpause=15", "Schiedsrichter=4", "Anzahl Schiedsrichter=3"});
    EXPECT_TRUE(form->RadioButton2.Checked());
    EXPECT_FALSE(form->RadioButton1.Checked());
    EXPECT_EQ(form->umEdit3.Text(), "2");
    EXPECT_EQ(form->umEdit4.Text(), "1");
    EXPECT_TRUE(form->CheckBox6.Checked());
    EXPECT_EQ(Setting("Reihenfolge"), "Zufall");
    EXPECT_EQ(form->Edit12.Text(), "12");
    EXPECT_EQ(form->Edit13.Text(), "3");
    EXPECT_EQ(Setting("Rundenpause"), "15");
    EXPECT_EQ(form->RadioGroup1.ItemIndex(), 3);
    EXPECT_EQ(form->umNeutral2.Text(), "3");
    EXPECT_EQ(Setting("SchiriAusAnz"), "3");
}

TEST_F(NeuesTurnierTest, TheEngineChecksTheFieldsBeforeAnythingChanges) {
    New({"Name=n", "Felder=3-1", "ok", "Felder=1-3"});
    EXPECT_THAT(Boxes(), ElementsAre("Die Feldereingabe ist nicht korrekt"));
    EXPECT_EQ(form->AnzTurniere, 1);
}

// --- several tournaments ---

TEST_F(NeuesTurnierTest, ANewTournamentParksTheCurrentOne) {
    for (const char* name : {"Eins", "Zwei", "Drei"})
        New({std::string("Name=") + name, "System=Selbstdefinierte Turnierform"});
    form->XComboBox1.SetItemIndex(0);
    ASSERT_TRUE(turnierWechseln(*form));
    New({"Name=Vier", "System=Selbstdefinierte Turnierform"});
    EXPECT_EQ(form->AktTurNr, 4);
    EXPECT_EQ(form->AnzTurniere, 4);
    EXPECT_THAT(form->XComboBox1.Items.ToVector(),
                ElementsAre("[Tur1] Eins", "[Tur2] Zwei", "[Tur3] Drei", "[Tur4] Vier"));
    EXPECT_EQ(form->XComboBox1.ItemIndex(), 3);
    EXPECT_GT(MasterTurnierRow(*form, 1), 0);
    EXPECT_EQ(Turnier(Turnier_Name), "Vier");
}

TEST_F(NeuesTurnierTest, TwentyOpenTournamentsAreTheLimit) {
    form->AnzTurniere = 20;
    EXPECT_EQ(newTurnier(*form, false), NeuesTurnierErgebnis::Abgebrochen);
    EXPECT_THAT(Boxes(), ElementsAre("Es können nur 20 Turniere geoeffnet werden"));
    EXPECT_THAT(ui.dialogCaptions, IsEmpty());
}

TEST_F(NeuesTurnierTest, ACancelledWizardChangesNothing) {
    New({"Name=Eins", "System=Selbstdefinierte Turnierform"});
    const std::string master = form->XMasterGrid.Rows(1).Text();
    ui.QueueDialog({"Name=Zwei", "abbrechen"});
    EXPECT_EQ(newTurnier(*form, false), NeuesTurnierErgebnis::Abgebrochen);
    EXPECT_EQ(form->AnzTurniere, 1);
    EXPECT_EQ(Turnier(Turnier_Name), "Eins");
    EXPECT_EQ(form->XMasterGrid.Rows(1).Text(), master);
}

TEST_F(NeuesTurnierTest, NothingNewWhileAnOperationIsBusy) {
    BusyScope busy(*form, "Runde anlegen");
    EXPECT_EQ(newTurnier(*form, false), NeuesTurnierErgebnis::Abgebrochen);
    EXPECT_THAT(Boxes(), ElementsAre(HasSubstr("\"Runde anlegen\" ist noch nicht fertig")));
}

// --- participants prepared before the wizard ---

class PreparedTurnierTest : public NeuesTurnierTest {
protected:
    void Prepare(int kind, const std::vector<std::string>& names) {
        TfrmTurPhase& phase = DialogsOf(*form).frmTurPhase;
        phase.TurPhaseArt = kind;
        for (const std::string& name : names) phase.Teilnehmer.Add(name);
    }
    std::vector<std::string> AssignedSlots() const {
        std::vector<std::string> out;
        for (int row = 1; row < form->Teams.RowCount(); ++row)
            if (!Get(form->Teams, Teams_Name_Tur, row, true).empty())
                out.push_back(Get(form->Teams, Teams_Name, row, true) + "=" + Get(form->Teams, Teams_Name_Tur, row, true));
        return out;
    }
};

TEST_F(PreparedTurnierTest, PlayersTakeThePreparedNamesInOrderAndTheTournamentStarts) {
    Prepare(kTurPhaseKO, {"Anna", "Ben", "Cem", "Dora"});
    New({"Name=Pokal", "Teilnehmerart=Spieler"});
    const TfrmNeuTur& wizard = DialogsOf(*form).frmNeuTur;
    EXPECT_EQ(wizard.RadioGroup4.ItemIndex(), 2) << "the knock-out system";
    EXPECT_EQ(wizard.Feld1.Text(), "4");
    EXPECT_THAT(AssignedSlots(),
                UnorderedElementsAre("Spieler 1=Anna", "Spieler 2=Ben", "Spieler 3=Cem", "Spieler 4=Dora"));
    const int third = form->XATeams.Items.IndexOf("Spieler 3");
    ASSERT_GT(third, 0);
    EXPECT_EQ(ListGet(form->XATeamsTur, third), "Cem");
    EXPECT_EQ(form->Xplatzgrid.Cells(2, 1), "Anna");
    EXPECT_EQ(Setting("Spielstart"), "true") << "every slot has its participant";
}

TEST_F(PreparedTurnierTest, FewerNamesThanPlacesLeaveTheOthersOpen) {
    Prepare(kTurPhaseSchweiz, {"Adler", "Bären"});
    New({"Name=Liga", "Teilnehmer=4", "Runden=3"});
    EXPECT_EQ(DialogsOf(*form).frmNeuTur.RadioGroup4.ItemIndex(), 1) << "the Swiss system";
    EXPECT_EQ(Get(form->Gruppe, Gruppe_ErgUE, 2, true), "1") << "results carried over";
    EXPECT_THAT(AssignedSlots(), UnorderedElementsAre("Mannschaft 1=Adler", "Mannschaft 2=Bären"));
    EXPECT_NE(Setting("Spielstart"), "true");
}

TEST_F(PreparedTurnierTest, WithoutAPreparationNoNameIsGiven) {
    New({"Name=Pokal", "Teilnehmer=4", "System=K.O.-System"});
    EXPECT_THAT(AssignedSlots(), IsEmpty());
}

// --- closing all ---

TEST_F(NeuesTurnierTest, ClosingAllAsksFirstAndStartsOverAtOne) {
    New({"Name=Eins", "System=Selbstdefinierte Turnierform"});
    New({"Name=Zwei", "System=Selbstdefinierte Turnierform"});
    ui.QueueAnswer(mrNo);
    EXPECT_FALSE(alleTurniereSchliessen(*form));
    EXPECT_EQ(form->AnzTurniere, 2);
    ui.QueueAnswer(mrYes);  // close all
    ui.QueueAnswer(mrNo);   // do not save
    EXPECT_TRUE(alleTurniereSchliessen(*form));
    EXPECT_EQ(Boxes()[0], "Wirklich alle Turniere entfernen und neuen Marovelkandis starten?");
    EXPECT_EQ(form->AnzTurniere, 0);
    EXPECT_EQ(form->AktTurNr, 0);
    EXPECT_THAT(form->XComboBox1.Items.ToVector(), IsEmpty());
    EXPECT_EQ(form->calls.back(), "showMenuEmpty(true)");
    New({"Name=Neu", "System=Selbstdefinierte Turnierform"}, true);
    EXPECT_EQ(form->AktTurNr, 1);
    EXPECT_EQ(form->XMasterGrid.RowCount(), 2);
    EXPECT_EQ(form->XMasterGrid.Cells(0, 1), "");
}
