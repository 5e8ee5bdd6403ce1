#include "dialogs/optionen.h"

#include <vector>

#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"
#include "platform/Utf8.h"

namespace {

constexpr int kMaxMinuten = 120;

// A game's new start, end and day; computed for every game before any is written.
struct NewTimes {
    int row = 0;
    std::string from, to;
    long long day = 0;
};

bool Concerns(const TSortGrid& plan, int row, int group, int round) {
    if (plan.Cells(0, row).empty()) return false;
    if (plan.Cells(Spielplan_Von, row).empty() || plan.Cells(Spielplan_Bis, row).empty()) return false;
    if (group > 0) return IntGet(plan, Spielplan_GrNr, row, true) == group;
    return round > 0 && IntGet(plan, Spielplan_RNr, row, true) == round;
}

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

constexpr int kMaxAutoSaveMinuten = 24 * 60;

// The ranking modes in their order: mode k is item k - 1. All but the football rules rank alike
// and differ in how results and standings show.
constexpr const char* kModes[] = {"Ergebnisse ohne Differenzen",
                                  "Tabelle mit Differenzen",
                                  "Tabelle und Punkte mit Differenzen",
                                  "Spiele nur mit Satzergebnissen",
                                  "Spiele mit Satzergebnissen",
                                  "Spiele mit Satzergebnissen und Tabelle mit Differenzen",
                                  "Fussballwertung"};
constexpr const char* kFussballwertung = "7";

// The item of a mode "1" to "7"; -1 for any other text.
int ModeIndex(const std::string& mode) {
    if (mode.size() != 1 || mode[0] < '1' || mode[0] > '7') return -1;
    return mode[0] - '1';
}

// A flag as its readers take it: "true" is on, anything else off.
std::string Flag(const std::string& value) { return value == "true" ? "true" : "false"; }
std::string FlagOf(const TCheckBox& box) { return box.Checked() ? "true" : "false"; }

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A group whose order later games already build on ("Closed"): its id, or the empty text.
std::string GroupInUse(const TMainForm& form) {
    const TSortGrid& gruppe = form.Gruppe;
    for (int g = 1; g < gruppe.RowCount(); ++g)
        if (gruppe.Cells(Gruppe_State, g) == "Closed") return gruppe.Cells(Gruppe_Bez, g);
    return {};
}

// The tournament's name of scoring value k, where loading the tournament takes it from: the
// setting, and the tournament's row for an empty one.
void WriteScoreName(TMainForm& form, int k, const std::string& name) {
    static const int columns[] = {Turnier_Score, Turnier_Score2, Turnier_Score3};
    std::string* const names[] = {&form.Wertung1, &form.Wertung2, &form.Wertung3};
    SetSetting(form, "Wertung" + IntToStr(k), name);
    Put(form.Turnier, columns[k - 1], 1, name, true);
    *names[k - 1] = name;
}

}  // namespace

bool MinutenGueltig(const std::string& text) {
    const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == digits || text.size() > digits + 3) return false;
    if (text.find_first_not_of("0123456789", digits) != std::string::npos) return false;
    const int minutes = ToInt(text);
    return minutes >= -kMaxMinuten && minutes <= kMaxMinuten;
}

bool TurnierOptionen::RanksOtherwiseThan(const TurnierOptionen& other) const {
    const bool football = aWertung == kFussballwertung;
    if (football != (other.aWertung == kFussballwertung) || direktVergleich != other.direktVergleich) return true;
    return football && direktVergleichNeu != other.direktVergleichNeu;
}

TurnierOptionen LeseTurnierOptionen(const TMainForm& form) {
    TurnierOptionen options;
    options.autoSave = Flag(GetSetting(form, "AutoSave", "false"));
    options.autoSaveMin = GetSetting(form, "AutoSave Min", "15");
    options.wertungen = {form.Wertung1, form.Wertung2, form.Wertung3};
    // A mode outside 1 to 7 ranks as the general rules do and shows as mode 1; it stays unless
    // another is chosen.
    const std::string mode = GetSetting(form, "AWertung", "1");
    options.aWertung = ModeIndex(mode) >= 0 ? mode : "1";
    // The standings show lost values as the user's last choice says before the tournament's.
    options.minusPunkte = Flag(GetSettingReg(form, "MinusPunkte", "false"));
    options.fussPunkte = Flag(GetSetting(form, "FussPunkte", "false"));
    options.direktVergleich = Flag(GetSetting(form, "WertungDirektVergleich", "false"));
    options.direktVergleichNeu = Flag(GetSetting(form, "WertungDirektVergleichNeu", "false"));
    return options;
}

TfrmOptionen::TfrmOptionen() {
    SetCaption("Turnieroptionen");
    Verschieben.SetCaption("Alle Zeiten verschieben um");
    DauerAendern.SetCaption("Spieldauer verändern um");
    Verschiebung.SetText("10");
    Dauer.SetText("10");
    Tabellenwertung.Style = TComboBoxStyle::csDropDownList;
    for (const char* mode : kModes) Tabellenwertung.Items.Add(mode);
    DirektVergleich.SetCaption("Punkte, Torverhältnis dann direkter Vergleich");
    DirektVergleichNeu.SetCaption("Punkte, dann direkter Vergleich");
    MinusPunkte.SetCaption("Minuspunkte ausblenden");
    FussPunkte.SetCaption("Fussballpunkte");
}

void TfrmOptionen::FormShow() {
    Geaendert = WertungGeaendert = false;
    if (!Form) return;
    shown_ = LeseTurnierOptionen(*Form);
    Show(shown_);
}

void TfrmOptionen::Show(const TurnierOptionen& options) {
    AutoSave.SetChecked(options.autoSave == "true");
    AutoSaveMin.SetText(options.autoSaveMin);
    for (size_t k = 0; k < 3; ++k) Wertungen[k].SetText(options.wertungen[k]);
    Tabellenwertung.SetItemIndex(ModeIndex(options.aWertung));
    MinusPunkte.SetChecked(options.minusPunkte == "true");
    FussPunkte.SetChecked(options.fussPunkte == "true");
    DirektVergleich.SetChecked(options.direktVergleich == "true");
    DirektVergleichNeu.SetChecked(options.direktVergleichNeu == "true");
}

TurnierOptionen TfrmOptionen::Chosen() const {
    TurnierOptionen chosen;
    chosen.autoSave = FlagOf(AutoSave);
    chosen.autoSaveMin = Trim(AutoSaveMin.Text());
    for (size_t k = 0; k < 3; ++k) chosen.wertungen[k] = Trim(Wertungen[k].Text());
    chosen.aWertung = IntToStr(Tabellenwertung.ItemIndex() + 1);
    chosen.minusPunkte = FlagOf(MinusPunkte);
    chosen.fussPunkte = FlagOf(FussPunkte);
    chosen.direktVergleich = FlagOf(DirektVergleich);
    chosen.direktVergleichNeu = FlagOf(DirektVergleichNeu);
    return chosen;
}

std::string TfrmOptionen::Problem(const TurnierOptionen& chosen) const {
    const std::string& minutes = chosen.autoSaveMin;
    const bool number =
        !minutes.empty() && minutes.size() <= 4 && minutes.find_first_not_of("0123456789") == std::string::npos;
    if (!number || ToInt(minutes) < 1 || ToInt(minutes) > kMaxAutoSaveMinuten)
        return "Bitte geben Sie für AutoSave Min eine Minutenzahl von 1 bis " + IntToStr(kMaxAutoSaveMinuten) + " ein";
    for (size_t k = 0; k < 3; ++k) {
        const std::string& name = chosen.wertungen[k];
        const std::string what = "Der Name der " + IntToStr(static_cast<int>(k) + 1) + ". Wertung";
        // The result dialog's fields are named after them ("Tore1=3").
        if (utf8::Length(name) > static_cast<size_t>(kMaxNameLength) || name.find('=') != std::string::npos)
            return what + " darf höchstens " + IntToStr(kMaxNameLength) + " Zeichen und kein „=“ haben";
        if (std::string problem = TypedTextProblem(what, name); !problem.empty()) return problem;
    }
    if (Form && chosen.RanksOtherwiseThan(shown_))
        if (const std::string group = GroupInUse(*Form); !group.empty())
            return "Die Tabellenwertung lässt sich nicht mehr ändern: spätere Spiele bauen schon auf der Tabelle der "
                   "Gruppe " + group + " auf";
    return {};
}

bool TfrmOptionen::CheckOk() {
    if (const std::string problem = Problem(Chosen()); !problem.empty()) {
        ShowMsg(3, problem);
        return false;
    }
    return true;
}

void TfrmOptionen::AcceptOk() {
    if (Form) Write(Chosen());
}

void TfrmOptionen::Write(TurnierOptionen chosen) {
    TMainForm& form = *Form;
    const TurnierOptionen& was = shown_;
    chosen.autoSaveMin = IntToStr(ToInt(chosen.autoSaveMin));
    Geaendert = chosen != was;
    WertungGeaendert = chosen.aWertung != was.aWertung || chosen.direktVergleich != was.direktVergleich ||
                       chosen.direktVergleichNeu != was.direktVergleichNeu;
    const auto write = [&form](const std::string& key, const std::string& now, const std::string& before) {
        if (now != before) SetSetting(form, key, now);
    };
    // The user's last choice of these becomes the default of new tournaments.
    const auto writeRemembered = [&form](const std::string& key, const std::string& now, const std::string& before) {
        if (now != before) SetSettingReg(form, key, now);
    };
    write("AutoSave", chosen.autoSave, was.autoSave);
    write("AutoSave Min", chosen.autoSaveMin, was.autoSaveMin);
    for (size_t k = 0; k < 3; ++k)
        if (chosen.wertungen[k] != was.wertungen[k]) WriteScoreName(form, static_cast<int>(k) + 1, chosen.wertungen[k]);
    write("AWertung", chosen.aWertung, was.aWertung);
    writeRemembered("MinusPunkte", chosen.minusPunkte, was.minusPunkte);
    writeRemembered("FussPunkte", chosen.fussPunkte, was.fussPunkte);
    writeRemembered("WertungDirektVergleich", chosen.direktVergleich, was.direktVergleich);
    writeRemembered("WertungDirektVergleichNeu", chosen.direktVergleichNeu, was.direktVergleichNeu);
    form.MinusAnzeigen = chosen.minusPunkte != "true";
    if (Geaendert) setTurChanged(form, true);
}

std::string TfrmOptionen::SpielzeitAendern(int group, int round) {
    const bool shift = Verschieben.Checked();
    if (!Form || (!shift && !DauerAendern.Checked())) return {};
    const std::string text = shift ? Verschiebung.Text() : Dauer.Text();
    if (!MinutenGueltig(text)) return lngText(362);
    const int minutes = ToInt(text);
    Log(std::string(shift ? "[W] Spielzeit aendern um (" : "[W] Spieldauer aendern um (") + IntToStr(minutes) + ") Minuten");
    TSortGrid& plan = Form->Spielplan;
    std::vector<NewTimes> changes;
    for (int row = 1; row < plan.RowCount(); ++row) {
        if (!Concerns(plan, row, group, round)) continue;
        const int from = TimeToMinutes(plan.Cells(Spielplan_Von, row));
        const int to = TimeToMinutes(plan.Cells(Spielplan_Bis, row));
        const long long day = IntGet(plan, Spielplan_Tag, row, true);
        if (shift) {
            const long long start = day * kMinutesPerDay + from + minutes;
            const long long newDay = FloorDiv(start, kMinutesPerDay);
            if (newDay < 1) return "Spiel " + plan.Cells(Spielplan_SpNr, row) + " läge damit vor dem ersten Tag; nichts geändert";
            changes.push_back({row, MinutesToTime(static_cast<int>(start - newDay * kMinutesPerDay)),
                               MinutesToTime(to + minutes), newDay});
        } else {
            // A game that ends past midnight ends on the next day: its length is counted across it.
            const int length = NormalizeMinutes(to - from) + minutes;
            if (length < 1 || length >= kMinutesPerDay)
                return "Spiel " + plan.Cells(Spielplan_SpNr, row) + " hätte damit keine Spieldauer mehr; nichts geändert";
            changes.push_back({row, plan.Cells(Spielplan_Von, row), MinutesToTime(from + length), day});
        }
    }
    for (const NewTimes& change : changes) {
        Put(plan, Spielplan_Von, change.row, change.from, true);
        Put(plan, Spielplan_Bis, change.row, change.to, true);
        Put(plan, Spielplan_Tag, change.row, IntToStr(change.day), true);
    }
    return {};
}

std::vector<DialogField> TfrmOptionen::Fields() {
    std::vector<DialogField> fields{FlagField("AutoSave", AutoSave), TextField("AutoSave Min", AutoSaveMin)};
    for (size_t k = 0; k < 3; ++k) fields.push_back(TextField("Wertung " + IntToStr(static_cast<int>(k) + 1), Wertungen[k]));
    fields.push_back(ChoiceField("Tabellenwertung", Tabellenwertung));
    for (TCheckBox* flag : {&DirektVergleich, &DirektVergleichNeu, &MinusPunkte, &FussPunkte})
        fields.push_back(FlagField(flag->Caption(), *flag));
    return fields;
}
