#include "dialogs/EinzelSpiel.h"

#include <set>

#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/ProgramFiles.h"
#include "foundation/Settings.h"
#include "foundation/Texts.h"
#include "foundation/files/TFile.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr const char* kKeinZeitnehmer = "(kein Zeitnehmer)";
constexpr int kMaxSpieltag = 9999;

bool IsWholeNumber(const std::string& text) {
    return !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
}

// The codes a combo box offers: the selected item's code, or the empty text without a selection.
std::string CodeOf(const TComboBox& combo, const TStringList& codes) {
    const int index = combo.ItemIndex();
    return index >= 0 && index < codes.Count() ? codes[index] : std::string();
}

void Offer(TComboBox& combo, TStringList& codes, const std::string& code, const std::string& text) {
    codes.Add(code);
    combo.Items.Add(text);
}

void Select(TComboBox& combo, const TStringList& codes, const std::string& code) {
    combo.SetItemIndex(codes.IndexOf(code));
}

std::vector<std::string> ZeitnehmerNamen() {
    std::vector<std::string> names;
    TFile file;
    if (!file.OpenRead(ProgramFile(kZeitnehmerListFile), false)) return names;
    while (!file.Eof())
        if (std::string line = file.ReadLine(); !line.empty()) names.push_back(line);
    file.Close();
    return names;
}

// A field the user may only change while the game is open to it.
DialogField Lockable(DialogField field, std::function<bool()> editable) {
    field.assign = [assign = field.assign, editable](const std::string& text) { return editable() && assign(text); };
    return field;
}

}  // namespace

TfrmEinzelSpiel::TfrmEinzelSpiel() {
    SetCaption("Spieleinstellung");
    Label4.SetCaption("Mannschaft");
    for (TComboBox* combo : {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4, &ComboBox5})
        combo->Style = TComboBoxStyle::csDropDownList;
}

bool TfrmEinzelSpiel::TeamsLocked() const {
    if (!ListGet(Zeile, Spielplan_Sieger).empty()) return true;
    for (int c = Spielplan_PPkt; c <= Spielplan_MBall; ++c)
        if (ToDouble(ListGet(Zeile, c)) != 0) return true;
    return false;
}

std::string TfrmEinzelSpiel::ParticipantName(const std::string& number) const {
    if (!Form) return number;
    const int team = ToInt(number);
    std::string name = team >= 1 && team < Form->XATeamsTur.Items.Count() ? Form->XATeamsTur.Items[team] : "";
    if (name.empty() && team >= 1 && team < Form->XATeams.Items.Count()) name = Form->XATeams.Items[team];
    return name.empty() ? lngText(2) + " " + number : name;
}

void TfrmEinzelSpiel::OfferTeams() {
    TeamCodes.Clear();
    ComboBox1.Items.Clear();
    ComboBox2.Items.Clear();
    if (Form) {
        const TSortGrid& teams = Form->Teams;
        for (int row = 1; row < teams.RowCount(); ++row) {
            const std::string& number = teams.Cells(Teams_Nr, row);
            if (number.empty() || RundenGruppen.IndexOf(teams.Cells(Teams_InGr, row)) < 0) continue;
            TeamCodes.Add(number);
            ComboBox1.Items.Add(ParticipantName(number));
        }
    }
    // The game's own participants stay choosable whatever group they came from.
    for (int column : {Spielplan_T1, Spielplan_T2}) {
        const std::string number = ListGet(Zeile, column);
        if (!number.empty() && TeamCodes.IndexOf(number) < 0) Offer(ComboBox1, TeamCodes, number, ParticipantName(number));
    }
    ComboBox2.Items.Assign(ComboBox1.Items);
    Select(ComboBox1, TeamCodes, ListGet(Zeile, Spielplan_T1));
    Select(ComboBox2, TeamCodes, ListGet(Zeile, Spielplan_T2));
    ComboBox1.Enabled = ComboBox2.Enabled = !TeamsLocked();
}

// A neutral court, the neutral referees by name, then the participants of the round.
void TfrmEinzelSpiel::OfferReferees() {
    SchiriCodes.Clear();
    ComboBox4.Items.Clear();
    Offer(ComboBox4, SchiriCodes, "0", lngText(20));
    std::set<int> neutral;
    if (Form) {
        for (int k = 1; !GetSetting(*Form, "N" + IntToStr(k), "").empty(); ++k) neutral.insert(k);
        const TSortGrid& plan = Form->Spielplan;
        for (int row = 1; row < plan.RowCount(); ++row) {
            const std::string& code = plan.Cells(Spielplan_Schir, row);
            if (code.size() > 1 && code[0] == 'N' && ToInt(code.substr(1)) > 0) neutral.insert(ToInt(code.substr(1)));
        }
    }
    for (int k : neutral) {
        const std::string fallback = lngText(20) + " " + IntToStr(k);
        Offer(ComboBox4, SchiriCodes, "N" + IntToStr(k), Form ? GetSetting(*Form, "N" + IntToStr(k), fallback) : fallback);
    }
    for (int i = 0; i < TeamCodes.Count(); ++i) Offer(ComboBox4, SchiriCodes, TeamCodes[i], ComboBox1.Items[i]);
    const std::string current = ListGet(Zeile, Spielplan_Schir);
    if (SchiriCodes.IndexOf(current) < 0) Offer(ComboBox4, SchiriCodes, current, SchiriText);
    Select(ComboBox4, SchiriCodes, current);
}

void TfrmEinzelSpiel::OfferTimeKeepers() {
    ComboBox5.Items.Clear();
    ComboBox5.Items.Add(kKeinZeitnehmer);
    for (const std::string& name : ZeitnehmerNamen()) ComboBox5.Items.Add(name);
    ComboBox5.Visible = ComboBox5.Items.Count() > 1;
    const int index = ComboBox5.Items.IndexOf(ListGet(Zeile, Spielplan_Zeitnehmer));
    ComboBox5.SetItemIndex(index > 0 ? index : 0);
}

void TfrmEinzelSpiel::FormShow() {
    Label1.SetCaption(lngText(9) + " " + ListGet(Zeile, Spielplan_SpNr) + " – " + lngText(3) + " " + GruppeBez + " (" +
                      GruppeName + ")");
    OfferTeams();
    OfferReferees();
    OfferTimeKeepers();
    Edit2.SetText(ListGet(Zeile, Spielplan_Von));
    Edit3.SetText(ListGet(Zeile, Spielplan_Bis));
    Edit4.SetText(ListGet(Zeile, Spielplan_Tag));
}

std::vector<DialogField> TfrmEinzelSpiel::Fields() {
    auto teamsOpen = [this] { return !TeamsLocked(); };
    std::vector<DialogField> fields{ReadOnlyField("Spiel", Label1),
                                    ChoiceField("Feld", ComboBox3),
                                    TextField("Beginn", Edit2),
                                    TextField("Ende", Edit3),
                                    TextField("Tag", Edit4),
                                    Lockable(ChoiceField(Label4.Caption() + " 1", ComboBox1), teamsOpen),
                                    Lockable(ChoiceField(Label4.Caption() + " 2", ComboBox2), teamsOpen),
                                    ChoiceField("Schiedsrichter", ComboBox4),
                                    ChoiceField("Zeitnehmer", ComboBox5)};
    // Typed lines name the participants as they always have, whatever the tournament calls them.
    fields[5].alias = "Teilnehmer 1";
    fields[6].alias = "Teilnehmer 2";
    fields.back().shown = [this] { return ComboBox5.Visible; };
    return fields;
}

bool TfrmEinzelSpiel::CheckOk() {
    auto refuse = [](const std::string& text) {
        ShowMsg(3, text);
        return false;
    };
    const std::string from = Edit2.Text(), to = Edit3.Text();
    const bool timed = Form && Form->XZeitSpiele.Checked();
    const bool noTimes = from.empty() && to.empty();
    if ((timed || !noTimes) && (!IsValidTime(from) || !IsValidTime(to)))
        return refuse("Bitte Beginn und Ende als Uhrzeit hh:mm eingeben");
    if (!IsWholeNumber(Edit4.Text()) || ToInt(Edit4.Text()) < 1 || ToInt(Edit4.Text()) > kMaxSpieltag)
        return refuse("Bitte als Tag eine Zahl von 1 bis " + IntToStr(kMaxSpieltag) + " eingeben");
    if (ComboBox3.Items.Count() > 0 && ComboBox3.ItemIndex() < 0) return refuse("Bitte ein Feld auswählen");
    const std::string first = CodeOf(ComboBox1, TeamCodes), second = CodeOf(ComboBox2, TeamCodes);
    if (first.empty() || second.empty()) return refuse("Bitte beide Teilnehmer des Spiels auswählen");
    if (first == second) return refuse("Ein Teilnehmer kann nicht gegen sich selbst spielen");
    if (ComboBox4.ItemIndex() < 0) return refuse("Bitte einen Schiedsrichter auswählen");
    const std::string referee = CodeOf(ComboBox4, SchiriCodes);
    if (referee == first || referee == second) return refuse("Der Schiedsrichter spielt selbst in diesem Spiel");
    return true;
}
