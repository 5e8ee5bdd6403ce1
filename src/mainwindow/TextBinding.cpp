#include "foundation/Conversions.h"
#include "foundation/Texts.h"
#include "mainwindow/TextBinding.h"
#include "mainwindow/main.h"

namespace {

struct TextBinding {
    const char* component;
    int number;
};

// Components of the main window and the numbers of their texts, in the order they are set.
const TextBinding kBindings[] = {
    {"Datei1", 100},
    {"Werkzeug1", 120},
    {"Einstellungen1", 130},
    {"Ansicht1", 140},
    {"Hilfe1", 150},
    {"NeuerMarovelkandis1", 101},
    {"NeuesTurnierhinzufuegen1", 102},
    {"Turnierladen1", 103},
    {"AktuellesTurnierspeichern1", 104},
    {"AktuellesTurnierspeichernunter1", 105},
    {"AlleTurnierespeichern1", 106},
    {"AktuellesTurnierentfernen1", 107},
    {"Importieren1", 108},
    {"Exportieren1", 109},
    {"Ende1", 110},
    {"Ergebnisse1", 111},
    {"NeueRundeanlegen1", 121},
    {"Rundeanlegen1", 122},
    {"EndPlatzierungbearbeiten1", 123},
    {"Mannschaftsnameneingeben1", 124},
    {"Turnierdurchspielen1", 125},
    {"Druckdialog2", 126},
    {"Fehlermeldungen1", 127},
    {"Statistiken1", 129},
    {"Soundassistent1", 131},
    {"Passwortschutz1", 133},
    {"Farbschema1", 134},
    {"GeteilteAnsicht1", 141},
    {"Einzelansicht1", 142},
    {"Grafikansicht1", 143},
    {"MarovelkandisHilfedatei1", 151},
    {"IAeverButton43", 160},
    {"IAeverButton45", 161},
    {"IAeverButton48", 162},
    {"IAeverButton52", 163},
    {"IAeverButton50", 164},
    {"IAeverButton44", 166},
    {"IAeverButton46", 168},
    {"IAeverButton24", 178},
    {"IAeverButton17", 179},
    {"IAeverButton12", 180},
    {"IAeverButton11", 182},
    {"IAeverButton14", 183},
    {"IAeverButton7", 400},
    {"IAeverButton16", 401},
    {"IAeverButton42", 402},
    {"Panel8", 230},
    {"Panel9", 231},
    {"Label61", 232},
    {"TabSheet3", 300},
    {"Panel55", 301},
    {"TabSheet29", 310},
    {"Label14", 311},
    {"Label9", 4},
    {"Label8", 19},
    {"Label19", 312},
    {"Label15", 313},
    {"Label18", 314},
    {"Label16", 315},
    {"CheckBox1", 316},
    {"Label22", 317},
    {"Label23", 318},
    {"Label24", 319},
    {"Label25", 318},
    {"Label17", 320},
    {"IAeverButton2", 160},
    {"IAeverButton20", 322},
    {"IAeverButton18", 323},
    {"IAeverButton19", 324},
    {"Label21", 325},
    {"Label26", 326},
    {"TabSheet30", 330},
    {"TabSheet5", 331},
    {"Label79", 376},
    {"Panel28", 332},
    {"Label13", 4},
    {"Label27", 19},
    {"IAeverButton13", 41},
    {"SpeedButton8", 333},
    {"Panel30", 334},
    {"Panel29", 335},
    {"Label30", 336},
    {"SpeedButton9", 41},
    {"SpeedButton7", 382},
    {"Panel22", 337},
    {"RadioButton1", 42},
    {"RadioButton3", 44},
    {"Label34", 45},
    {"Label50", 45},
    {"Label52", 45},
    {"Label53", 45},
    {"Label49", 46},
    {"Label51", 47},
    {"CheckBox2", 338},
    {"RadioButton4", 339},
    {"RadioButton5", 340},
    {"IAeverButton40", 41},
    {"Label58", 341},
    {"Label60", 342},
    {"IAeverButton9", 41},
    {"Panel23", 337},
    {"RadioButton18", 343},
    {"Label62", 48},
    {"Label63", 48},
    {"RadioButton19", 378},
    {"RadioButton7", 339},
    {"RadioButton8", 340},
    {"IAeverButton3", 41},
    {"TabSheet6", 49},
    {"TabSheet7", 39},
    {"TabSheet8", 346},
    {"TabSheet34", 36},
    {"TabSheet35", 30},
    {"TabSheet36", 347},
    {"Panel54", 348},
    {"Panel57", 367},
    {"IAeverButton38", 170},
    {"Panel63", 349},
    {"IAeverButton37", 170},
    {"IAeverButton33", 170},
    {"CheckBox6", 361},
    {"SpielNummer1", 356},
    {"Datum1", 359},
    {"Feld1", 1},
    {"Uhrzeit1", 358},
    {"Gruppe1", 3},
    {"Punkte1", 45},
    {"Ergebnis1", 357},
    {"Schiedsrichter1", 39},
    {"Spiel10", 355},
    {"Spiel6", 355},
    {"Spiel3", 355}
};

void SetRadioGroup(TRadioGroup& group) {
    group.SetCaption(lngText(39));
    group.Items.SetText(lngText(40));
}

}  // namespace

void SetGridHeader(TStringGrid& grid, int number) {
    TStringList lines;
    lines.SetText(lngText(number));
    grid.SetRows(0, lines);
}

void TForm1::lngSetAll() {
    SetCaption(FormatStr(lngText(0).c_str(), VersionText.c_str()));
    for (const TextBinding& binding : kBindings)
        if (TComponent* component = FindComponent(binding.component)) lngX(binding.number, *component);
    SetGridHeader(XPlan1, 10);
    SetGridHeader(XPlan2, 10);
    SetGridHeader(TPlatz, 303);
    SetGridHeader(Gruppen, 321);
    SetRadioGroup(RadioGroup1);
    SetRadioGroup(RadioGroup2);
    RadioButton2.SetCaption(lngText(43) + " " + Wertung2);
    Panel65.SetCaption(">> " + lngText(347));
}
