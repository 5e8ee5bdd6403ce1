#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/Conversions.h"
#include "foundation/Texts.h"
#include "platform/Controls.h"
#include "platform/Grids.h"
#include "platform/Strings.h"

namespace {

// Stands in for the shaped button, which only has to report its class name here.
class ShapedButtonDouble : public TControl {
public:
    std::string ClassName() const override { return "TIAeverButton"; }
};

// Every number that has a text, block by block.
const std::vector<std::pair<int, int>> kDefinedBlocks = {
    {0, 85},    {100, 111}, {120, 136}, {140, 143}, {150, 151}, {160, 170}, {178, 201},
    {209, 210}, {230, 232}, {300, 382}, {400, 402}, {500, 511}, {530, 539}, {1000, 1000},
    {1100, 1100}, {1200, 1200}, {1300, 1300}, {1400, 1400}, {1500, 1500}, {1600, 1604}, {1700, 1700},
    {1800, 1800}, {1900, 1900}};

bool IsDefined(int number) {
    for (auto [first, last] : kDefinedBlocks)
        if (number >= first && number <= last) return true;
    return false;
}

std::string ErrorLogLine(const std::string& text) { return "[06.12.26 09:05:03] " + text + "\r\n"; }

}  // namespace

class TextsTest : public ProgramTest {};

TEST_F(TextsTest, EveryNumberOfTheTableAndNoOtherHasAText) {
    int defined = 0;
    for (int number = -100; number <= 20000; ++number) {
        bool hasText = lngText(number) != "Error";
        EXPECT_EQ(hasText, IsDefined(number)) << "text " << number;
        defined += hasText ? 1 : 0;
    }
    EXPECT_EQ(defined, 283);
}

TEST_F(TextsTest, NumbersWithoutTextGiveErrorAndLogNothing) {
    EXPECT_EQ(lngText(86), "Error");
    EXPECT_EQ(lngText(-1), "Error");
    EXPECT_EQ(lngText(99), "Error");
    EXPECT_EQ(lngText(1605), "Error");
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

TEST_F(TextsTest, EmptyTextsExistAndAreEmpty) {
    for (int number : {306, 307, 308, 309, 327, 328, 329, 345, 507, 511, 539, 1000, 1600, 1900})
        EXPECT_EQ(lngText(number), "") << number;
}

TEST_F(TextsTest, WindowCaptionCarriesTheReleaseInsteadOfError) {
    EXPECT_EQ(FormatStr(lngText(0).c_str(), "Release 1.88a"), "Marovelkandis Release 1.88a");
}

TEST_F(TextsTest, WordsAndMessagesAreWordForWord) {
    EXPECT_EQ(lngText(1), "Feld");
    EXPECT_EQ(lngText(16), "Spieler");
    EXPECT_EQ(lngText(31), "Keine gültige Marovelkandis Datei");
    EXPECT_EQ(lngText(32), "Kann Datei nicht öffnen");
    EXPECT_EQ(lngText(33), "Datei 'Spklrs.dat' ist fehlerhaft bzw. Modus wird nicht unterstuetzt!");
    EXPECT_EQ(lngText(41), "        Aktualisieren");
    EXPECT_EQ(lngText(50), "Wirklich Gruppe %s (%s) löschen??");
    EXPECT_EQ(lngText(69), "Es können nur 20 Turniere geoeffnet werden");
    EXPECT_EQ(lngText(70), "Bitte geben Sie eine Kurzbezeichnung Ihrer Turnierform ein/nz.B. 2xGruppenSpiele, "
                           "4xPlatzierungsspiele");
    EXPECT_EQ(lngText(81), "Nächsten Spiele");
    EXPECT_EQ(lngText(84), "[FREILOS]");
    EXPECT_EQ(lngText(372), "Passwörter stimmen nicht überein. Passwort wurde nicht gesetzt.");
    EXPECT_EQ(lngText(380), "Feld %s existiert. Trotzdem Änderung vornehmen?");
    EXPECT_EQ(lngText(501), "Runden/Grupen/Felder");
    EXPECT_EQ(lngText(533), "Einsatzplänen für alle Mannschaften drucken");
    EXPECT_EQ(lngText(1603), "Mögliche Mannschaften");
}

TEST_F(TextsTest, UmlautsAreUtf8) {
    EXPECT_EQ(lngText(31), "Keine g\xC3\xBCltige Marovelkandis Datei");
    EXPECT_EQ(lngText(209), "\xC3\x84nderun&gen");
}

TEST_F(TextsTest, MenuAndButtonTextsKeepAcceleratorsAndPadding) {
    EXPECT_EQ(lngText(100), "&Turnier");
    EXPECT_EQ(lngText(101), "Neuer Marovel&kandis");
    EXPECT_EQ(lngText(105), "Aktuelles Turnier speichern &unter...");
    EXPECT_EQ(lngText(122), "&Runde / Gruppen  bearbeiten");
    EXPECT_EQ(lngText(160), "        Runde(n) anlegen");
    EXPECT_EQ(lngText(163), "       Mannschaftsnamen eingeben");
    EXPECT_EQ(lngText(169), "        Änderungen vornehmen");
    EXPECT_EQ(lngText(170), "     Starten");
    EXPECT_EQ(lngText(230), "  >> TurnierBaum >> Oben");
    EXPECT_EQ(lngText(326), " oder 2,5");
    EXPECT_EQ(lngText(382), "       Gruppe löschen");
}

TEST_F(TextsTest, MultiLineTextsKeepTheirOwnSeparators) {
    EXPECT_EQ(lngText(10),
              "?\r\nNr\r\nDatum\rFeld\r\nUhrzeit\r\nGruppe\r\nSpielpaarung\r\nPunkte\r\nErgebnis\r\nSchiedsrichter");
    EXPECT_EQ(lngText(11), "Mannschaft\rSpiele\r\nPunkte\r\nErgebnis\r\nPfeiffen");
    EXPECT_EQ(lngText(34),
              "Konnte Datei 'Spklrs.dat' nicht im Marovelkandis Verzeichnis finden!\n\n Bitte Datei in dieses "
              "Verzeichnid kopieren.");
    EXPECT_EQ(lngText(40),
              "Aus eigener Gruppe\r\nAus der Runde\r\nEin Neutraler Schiedsrichter\r\n[X]    Neutrale "
              "Schiedsrichter\r\nKeine Schiedsrichter");
    EXPECT_EQ(lngText(52), "\r\nGruppen in der Runde:");
    EXPECT_EQ(lngText(85),
              "Ein oder mehrere Turniere wurden noch nicht gespeichert\r\n\r\nJetzt speichern?\r\n\r\nBei 'Nein' gehen "
              "alle Änderungen verloren");
    EXPECT_EQ(lngText(303), "Platz\r\nMannschaft\r\nGruppe\r\n");
    EXPECT_EQ(lngText(350),
              "Sieger / Verlierer von Spiel %s kann nicht ermittelt werden\r\nWird aber gebraucht\r\nBitte reparieren!");
}

TEST_F(TextsTest, CaptionClassesGetTheTextByExactClassName) {
    TMenuItem menuItem;
    TLabel label;
    TPanel panel;
    ShapedButtonDouble shapedButton;
    TTabSheet tabSheet;
    TButton button;
    TSpeedButton speedButton;
    TCheckBox checkBox;
    TRadioButton radioButton;
    lngX(100, menuItem);
    EXPECT_EQ(menuItem.Caption(), "&Turnier");
    std::vector<TControl*> controls = {&label,  &panel,       &shapedButton, &tabSheet,
                                       &button, &speedButton, &checkBox,     &radioButton};
    for (TControl* control : controls) {
        lngX(324, *control);
        EXPECT_EQ(control->Text(), "     Gruppe löschen") << control->ClassName();
    }
    EXPECT_FALSE(ProgramFileExists("error.log"));
}

TEST_F(TextsTest, StringListTakesTheLinesOfTheText) {
    TStringList list;
    list.Add("alt");
    lngX(40, list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Aus eigener Gruppe", "Aus der Runde",
                                                         "Ein Neutraler Schiedsrichter",
                                                         "[X]    Neutrale Schiedsrichter", "Keine Schiedsrichter"}));
    lngX(303, list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Platz", "Mannschaft", "Gruppe"}));
    lngX(52, list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"", "Gruppen in der Runde:"}));
    lngX(34, list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list[2], " Bitte Datei in dieses Verzeichnid kopieren.");
    lngX(306, list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(TextsTest, PlanHeaderFillsTenCellsOfAGridRow) {
    TStringList header;
    lngX(10, header);
    TStringGrid plan;
    plan.SetColCount(10);
    plan.SetRows(0, header);
    EXPECT_EQ(header.Count(), 10);
    EXPECT_EQ(plan.Cells(0, 0), "?");
    EXPECT_EQ(plan.Cells(2, 0), "Datum");
    EXPECT_EQ(plan.Cells(3, 0), "Feld");
    EXPECT_EQ(plan.Cells(9, 0), "Schiedsrichter");
    TStringList standings;
    lngX(11, standings);
    EXPECT_EQ(standings.Count(), 5);
    EXPECT_EQ(standings[1], "Spiele");
}

TEST_F(TextsTest, OtherClassesKeepTheirTextAndAreLogged) {
    TEdit edit;
    edit.SetText("bleibt");
    lngX(100, edit);
    EXPECT_EQ(edit.Text(), "bleibt");
    TComboBox combo;
    lngX(-1, combo);
    EXPECT_EQ(ReadProgramFile("error.log"), ErrorLogLine("[E] lngX(100,TEdit) - keine Zuordnung moeglich") +
                                                ErrorLogLine("[E] lngX(-1,TComboBox) - keine Zuordnung moeglich"));
}
