#include "dialogs/NeuTur.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>

#include "foundation/ClockTime.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/MessageBoxes.h"
#include "foundation/ProgramFiles.h"
#include "foundation/NameText.h"
#include "foundation/ProgramSettings.h"
#include "platform/Clock.h"
#include "platform/DateTime.h"

namespace {

const char* const kSystemItems =
    "Vorgegebene Gruppensysteme\nSchweizer System\nK.O.-System\nPoolspiel mit einfachem K.O.\n"
    "Exportierte Turnierformen\nSelbstdefinierte Turnierform";
const char* const kRefereeItems =
    "Aus eigener Gruppe\nAus der Runde\nEin neutrales Schiedsgericht\n[X]      Neutrale Schiedsrichter\n"
    "Keine Schiedsrichter";
constexpr int kMaxParticipants = 256;
// "21", the target a first start proposes for "Spiel auf".
constexpr int kTargetPreset = 2;

// The sports offered and the names of their three scoring values (points, sets, balls). Goals
// and baskets are the second value, as the football ranking reads goals there: the plans show
// a game's score in their result column only while the second value has a name.
struct Sport {
    const char* name;
    std::array<const char*, 3> scoring;
};
constexpr Sport kSports[] = {
    {"Fussball", {"Punkte", "Tore", ""}},
    {"Handball", {"Punkte", "Tore", ""}},
    {"Hockey", {"Punkte", "Tore", ""}},
    {"Eishockey", {"Punkte", "Tore", ""}},
    {"Basketball", {"Punkte", "Körbe", ""}},
    {"Volleyball", {"Punkte", "Sätze", "Bälle"}},
    {"Tischtennis", {"Punkte", "Sätze", "Bälle"}},
    {"Badminton", {"Punkte", "Sätze", "Bälle"}},
    {"Tennis", {"Punkte", "Sätze", "Bälle"}},
};

// The error number of opening the file for reading; 0 when it opens.
int ReadError(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

bool IsWholeNumber(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int value = ToInt(text);
    return value >= low && value <= high;
}

bool IsPoints(const std::string& text) {
    double value = 0;
    return TryTextToDouble(text, value) && value >= 0;
}

// Why the shipped forms offer nothing or only a part: the file is missing, something else stands
// in its place, it cannot be read, or it is read only in part; the sentence names where the file
// was looked for. Empty when it was read whole.
std::string ShippedFormsProblem(const std::string& path, const FormFile& file) {
    if (file.opened) return FormFileProblem(path, file);
    std::string problem = NoRegularFileText(path, path);
    if (problem.empty())
        problem = WithReason("Die Datei " + path + " kann nicht gelesen werden", SystemErrorText(ReadError(path)));
    return "Die vorgegebenen Turnierformen fehlen: " + problem + ".";
}

std::vector<std::string> ShortTexts(const std::vector<FormRecord>& rows) {
    std::vector<std::string> texts;
    for (const FormRecord& row : rows) texts.push_back(row.shortText);
    return texts;
}

}  // namespace

std::string SwissRoundLimitProblem(int rounds, int players, bool teams) {
    if (rounds < 1) return "Bitte geben Sie die Anzahl der Runden für das Schweizer System an";
    if (rounds > players - 1)
        return "Bei " + IntToStr(players) + (teams ? " Mannschaften" : " Spielern") + " sind höchstens " +
               IntToStr(std::max(0, players - 1)) + " Runden möglich.";
    return {};
}

std::string SwissOddCountProblem(int participants, const std::string& counted) {
    if (participants % 2 == 0) return {};
    return "Beim Schweizer System werden in jeder Runde alle Teilnehmer zu Paaren gelost: bei " +
           IntToStr(participants) + " " + counted + " bliebe einer ohne Gegner, und schon die zweite Runde ließe "
           "sich nicht auslosen. Bitte einen Teilnehmer „spielfrei“ hinzufügen (dann " + IntToStr(participants + 1) +
           "). Sein Spiel in jeder Runde ist ein Spiel wie jedes andere: es wartet auf sein Ergebnis, etwa einen Sieg "
           "des Gegners.";
}

TfrmNeuTur::TfrmNeuTur() {
    Name = "frmNeuTur";
    SetCaption("Neues Turnier");
    Feld1.SetText("8");
    Feld3.SetText("Tur1");
    RadioButton10.SetChecked(true);
    RadioButton1.SetChecked(true);
    for (const Sport& sport : kSports) ComboBox2.Items.Add(sport.name);
    ComboBox2.SetItemIndex(0);
    ComboBox3.Items.SetText("11\n15\n21\n25");
    ComboBox3.SetItemIndex(kTargetPreset);
    RadioButton6.SetChecked(true);
    Edit13.SetText("3");
    Edit15.SetText("1");
    Edit14.SetText("1");
    Edit16.SetText("0");
    RadioButton4.SetChecked(true);
    Feld8.SetText("10:00");
    Feld5.SetText("20");
    Feld6.SetText("5");
    Feld9.SetText("0");
    Feld2.SetText("1");
    RadioGroup7.Items.SetText(kRefereeItems);
    RadioGroup7.SetItemIndex(0);
    umNumberEdit1.SetText("2");
    RadioGroup4.Items.SetText(kSystemItems);
    RadioGroup4.SetItemIndex(0);
    RadioGroup4.OnClick = [this](TObject*) { SystemChosen(); };
    Feld4.SetText("5");
    StringGrid1.SetColCount(6);
    StringGrid1.SetRowCount(2);
}

void TfrmNeuTur::SetStartValues(const std::string& shortDesignation, const std::string& folder) {
    Feld3.SetText(shortDesignation);
    const FormFile shipped = ReadFormFile(folder + kTurFormenFile);
    shipped_ = shipped.records;
    shippedProblem_ = ShippedFormsProblem(folder + kTurFormenFile, shipped);
    const FormFile own = ReadFormFile(folder + kEigenFormFile);
    own_ = own.records;
    ownProblem_ = FormFileProblem(folder + kEigenFormFile, own);
}

void TfrmNeuTur::FormShow() {
    // The exported forms the wizard offers are not all there are. Told, not warned: every other
    // system of the wizard works as ever, and a script that makes a tournament goes on.
    if (!ownProblem_.empty()) ShowMsg(1, ownProblem_ + " Angeboten werden nur die exportierten Turnierformen davor.");
    if (!datetime::ParseDate(DateTimePicker1.Text())) DateTimePicker1.SetText(datetime::FormatDate(Now()));
    PresetLastScoring();
    SetScoringNames();
    FillSystemGrid();
}

// The forms for the chosen system and participant count: the catalogue's group systems, a Swiss,
// knock-out or pool-play form made for the count (and the catalogue's of that kind), or the
// user's exported forms.
std::vector<FormRecord> TfrmNeuTur::Offered() const {
    const int n = ToInt(Feld1.Text());
    std::vector<FormRecord> rows;
    auto addGenerated = [&](const std::string& shortText, const std::string& form) {
        if (!form.empty()) rows.push_back({n, shortText, form, "", CountRounds(form)});
    };
    auto addShipped = [&](FormKind kind) {
        for (const FormRecord& record : shipped_)
            if (record.count == n && KindOfShortText(record.shortText) == kind &&
                std::none_of(rows.begin(), rows.end(), [&](const FormRecord& r) { return r.form == record.form; }))
                rows.push_back(record);
    };
    const std::string count = IntToStr(n);
    switch (RadioGroup4.ItemIndex()) {
        case 0:
            addShipped(FormKind::Groups);
            break;
        case 1:
            addGenerated("Schweizer System mit " + count + " Spielern in " + Feld4.Text() + " Runden",
                         SwissForm(n, ToInt(Feld4.Text())));
            addShipped(FormKind::Swiss);
            break;
        case 2:
            addGenerated("K.O.-System mit " + count + " Teilnehmern und Spiel um Platz 3", KnockOutForm(n));
            addShipped(FormKind::KnockOut);
            break;
        case 3:
            addGenerated("Poolspiel mit " + count + " Teilnehmern: Gruppen zu 4, dann K.O.-System", PoolForm(n));
            addShipped(FormKind::Pool);
            break;
        case 4:
            for (const FormRecord& record : own_)
                if (record.count == n) rows.push_back(record);
            break;
        default:
            break;
    }
    return rows;
}

// The row chosen by its short text; the first row while none is (a grid's current row).
const FormRecord* TfrmNeuTur::Chosen(const std::vector<FormRecord>& rows) const {
    for (const FormRecord& row : rows)
        if (row.shortText == chosen_) return &row;
    return rows.empty() ? nullptr : &rows.front();
}

std::string TfrmNeuTur::GetStructure() const {
    const std::vector<FormRecord> rows = Offered();
    const FormRecord* row = Chosen(rows);
    return row ? row->form : std::string();
}

void TfrmNeuTur::FillSystemGrid() {
    const std::vector<FormRecord> rows = Offered();
    for (int r = 1; r < StringGrid1.RowCount(); ++r)
        for (int c = 0; c < StringGrid1.ColCount(); ++c) StringGrid1.SetCells(c, r, "");
    StringGrid1.SetRowCount(std::max<int>(2, static_cast<int>(rows.size()) + 1));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const FormRecord& row = rows[i];
        const std::string cells[] = {IntToStr(r),          IntToStr(row.count), row.shortText,
                                     IntToStr(row.rounds), row.description,     row.form};
        for (int c = 0; c < 6; ++c) StringGrid1.SetCells(c, r, cells[c]);
        if (&row == Chosen(rows)) StringGrid1.SetRow(r);
    }
}

bool TfrmNeuTur::Choose(const std::string& choice) {
    const std::vector<FormRecord> rows = Offered();
    const int index = MatchChoice(ShortTexts(rows), choice);
    if (index < 0) return false;
    const FormRecord& row = rows[static_cast<size_t>(index)];
    chosen_ = row.shortText;
    // A Swiss form brings its own number of rounds.
    if (RadioGroup4.ItemIndex() == 1) Feld4.SetText(IntToStr(row.rounds));
    FillSystemGrid();
    return true;
}

void TfrmNeuTur::SystemChosen() {
    const bool swiss = RadioGroup4.ItemIndex() == 1;
    if (swiss && !CheckBox1.Checked()) {
        CheckBox1.SetChecked(true);
        carryOverPreset_ = true;
    } else if (!swiss && carryOverPreset_) {
        CheckBox1.SetChecked(false);
        carryOverPreset_ = false;
    }
}

std::string TfrmNeuTur::ScoringKind() const {
    if (RadioButton1.Checked()) return ComboBox2.Text();
    if (RadioButton2.Checked()) return "Spiel auf " + ComboBox3.Text();
    if (RadioButton3.Checked()) return "Spiel mit Punkten";
    return "Nur Sieger/Verlierer";
}

std::string TfrmNeuTur::FirstDay() const {
    const std::string& text = DateTimePicker1.Text();
    if (text.find(':') != std::string::npos) return {};
    const std::optional<TDateTime> day = datetime::ParseDate(text);
    return day ? datetime::FormatDate(*day) : std::string();
}

void TfrmNeuTur::SetScoringNames() {
    std::array<std::string, 3> names{"", "", ""};
    if (RadioButton1.Checked()) {
        for (const Sport& sport : kSports)
            if (ComboBox2.Text() == sport.name) names = {sport.scoring[0], sport.scoring[1], sport.scoring[2]};
        if (names[0].empty()) names[0] = "Punkte";
    } else if (RadioButton2.Checked() || RadioButton3.Checked()) {
        names[0] = "Punkte";
    }
    Label3.SetCaption(names[0]);
    Label4.SetCaption(names[1]);
    Label5.SetCaption(names[2]);
}

std::string TfrmNeuTur::FirstProblem() const {
    const int n = ToInt(Feld1.Text());
    if (Edit1.Text().empty()) return "Bitte geben Sie einen Turniernamen ein";
    if (std::string problem = TypedTextProblem("Der Turniername", Edit1.Text()); !problem.empty()) return problem;
    if (Feld3.Text().empty()) return "Bitte geben Sie eine Kurzbezeichnung ein";
    if (std::string problem = TypedTextProblem("Die Kurzbezeichnung", Feld3.Text()); !problem.empty()) return problem;
    if (!IsWholeNumber(Feld1.Text(), 2, kMaxParticipants))
        return "Bitte geben Sie eine Teilnehmerzahl von 2 bis " + IntToStr(kMaxParticipants) + " ein";
    if (FirstDay().empty()) return "Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)";
    if (RadioButton1.Checked() && ComboBox2.Text().empty()) return "Bitte wählen Sie eine Sportart";
    if (RadioButton2.Checked() && !IsWholeNumber(ComboBox3.Text(), 1, 9999))
        return "Bitte geben Sie an, auf wie viele Punkte gespielt wird";
    for (const TEdit* points : {&Edit13, &Edit15, &Edit14, &Edit16})
        if (!IsPoints(points->Text())) return "Bitte geben Sie korrekte Punkte ein";
    if (!IsValidTime(Feld8.Text())) return "Bitte korrekte Zeit eingeben";
    if (!IsWholeNumber(Feld5.Text(), 1, 1440)) return "Bitte geben Sie eine Spieldauer von 1 bis 1440 Minuten ein";
    if (!IsWholeNumber(Feld6.Text(), 0, 1440) || !IsWholeNumber(Feld9.Text(), 0, 1440))
        return "Bitte geben Sie eine Pause von 0 bis 1440 Minuten ein";
    if (RadioGroup7.ItemIndex() < 0) return "Bitte wählen Sie, wer Schiedsrichter ist";
    if (RadioGroup7.ItemIndex() == 3 && !IsWholeNumber(umNumberEdit1.Text(), 1, 99))
        return "Bitte geben Sie die Anzahl der Schiedsrichter an (1 bis 99)";
    if (RadioGroup4.ItemIndex() < 0) return "Bitte wählen Sie ein Turniersystem";
    if (RadioGroup4.ItemIndex() == 1) {
        const bool teams = RadioButton10.Checked();
        if (std::string odd = SwissOddCountProblem(n, teams ? "Mannschaften" : "Spielern"); !odd.empty()) return odd;
        const std::string problem = SwissRoundLimitProblem(ToInt(Feld4.Text()), n, teams);
        if (!problem.empty()) return problem;
    }
    if (RadioGroup4.ItemIndex() <= 4 && GetStructure().empty()) {
        const std::string none = "Für diese Auswahl gibt es keine Turnierform mit " + IntToStr(n) + " Teilnehmern";
        // The group systems all come from the shipped file: without it there is none for any count.
        return RadioGroup4.ItemIndex() == 0 && !shippedProblem_.empty() ? none + ". " + shippedProblem_ : none;
    }
    return EngineCheck ? EngineCheck() : std::string();
}

bool TfrmNeuTur::CheckOk() {
    const std::string problem = FirstProblem();
    if (problem.empty()) return true;
    ShowMsg(3, problem);
    return false;
}

void TfrmNeuTur::AcceptOk() {
    SetScoringNames();
    FillSystemGrid();
    RememberScoring();
}

// ---- the scoring chosen last, kept in the program settings for the next tournament ----

namespace {

// The scoring options in the order of the setting "Radio", 1 to 4.
std::array<TRadioButton*, 4> ScoringOptions(TfrmNeuTur& wizard) {
    return {&wizard.RadioButton1, &wizard.RadioButton2, &wizard.RadioButton3, &wizard.RadioButton5};
}

// A stored item that the list no longer has (or a damaged value) leaves the preset.
void SelectStoredItem(TComboBox& combo, const char* setting, int preset) {
    const int index = RegReadInt(setting, preset);
    combo.SetItemIndex(index >= 0 && index < combo.Items.Count() ? index : preset);
}

}  // namespace

void TfrmNeuTur::PresetLastScoring() {
    SelectStoredItem(ComboBox2, "Combo2", kDefaultCombo);
    SelectStoredItem(ComboBox3, "Combo3", kTargetPreset);
    const auto options = ScoringOptions(*this);
    const int radio = RegReadInt("Radio", kDefaultRadio);
    const size_t chosen = radio >= 1 && radio <= 4 ? static_cast<size_t>(radio - 1) : kDefaultRadio - 1;
    for (size_t i = 0; i < options.size(); ++i) options[i]->SetChecked(i == chosen);
}

void TfrmNeuTur::RememberScoring() {
    RegWriteInt("Combo2", ComboBox2.ItemIndex());
    RegWriteInt("Combo3", ComboBox3.ItemIndex());
    const auto options = ScoringOptions(*this);
    for (size_t i = 0; i < options.size(); ++i)
        if (options[i]->Checked()) RegWriteInt("Radio", static_cast<int>(i) + 1);
}

std::vector<DialogField> TfrmNeuTur::Fields() {
    FillSystemGrid();
    const std::vector<FormRecord> rows = Offered();
    const FormRecord* chosen = Chosen(rows);
    std::vector<DialogField> fields{
        TextField("Name", Edit1),
        TextField("Kürzel", Feld3),
        TextField("Teilnehmer", Feld1),
        TextField("Erster Tag", DateTimePicker1),
        OptionField("Teilnehmerart", {{"Mannschaften", &RadioButton10}, {"Spieler", &RadioButton11}}),
        OptionField("Wertung", {{"Sportart", &RadioButton1},
                                {"Spiel auf", &RadioButton2},
                                {"Spiel mit Punkten", &RadioButton3},
                                {"Nur Sieger/Verlierer", &RadioButton5}}),
        ChoiceField("Sportart", ComboBox2),
        ChoiceField("Spiel auf Punkte", ComboBox3),
        OptionField("Punkte",
                    {{"Pro Sieg", &RadioButton6}, {"Pro Satz", &RadioButton7}, {"Selbstdefiniert", &RadioButton8}}),
        TextField("Punkte pro Sieg", Edit13),
        TextField("Punkte pro Unentschieden", Edit15),
        TextField("Punkte pro Satz", Edit14),
        TextField("Punkte bei Ballgleichstand", Edit16),
        FlagField("Ergebnisse übernehmen", CheckBox1),
        FlagField("Zeitspiele", RadioButton4),
        TextField("Startzeit", Feld8),
        TextField("Spieldauer", Feld5),
        TextField("Pause", Feld6),
        TextField("Rundenpause", Feld9),
        TextField("Felder", Feld2),
        FlagField("Zufällige Reihenfolge", CheckBox24),
        ChoiceField("Schiedsrichter", RadioGroup7),
        TextField("Anzahl Schiedsrichter", umNumberEdit1),
        ChoiceField("System", RadioGroup4),
        TextField("Runden", Feld4),
    };
    const std::string chosenText = chosen ? chosen->shortText : std::string();
    fields.push_back({"Turnierform", [chosenText] { return chosenText; },
                      [this](const std::string& text) { return Choose(text); }, ShortTexts(rows)});
    const std::string description = chosen ? chosen->description : std::string();
    fields.push_back(
        {"Beschreibung", [description] { return description; }, [](const std::string&) { return false; }, {}});
    return fields;
}

std::vector<DialogAction> TfrmNeuTur::Actions() {
    if (cancelVisible_) return TDialog::Actions();
    return {OkAction()};
}
