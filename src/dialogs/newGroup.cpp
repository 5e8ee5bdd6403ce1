#include "dialogs/newGroup.h"

#include <algorithm>
#include <map>

#include "dialogs/FormGenerators.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Notation.h"
#include "platform/Utf8.h"

namespace {

const char* const kNameItems = "\nUeberkreuzspiel\nSpiel um Platz 7\nSpiel um Platz 5\nSpiel um Platz 3\nFinale";
const char* const kSystemItems = "Jeder gegen Jeden\n1-2,3-4,5-6 etc..\nHin-/Rückrunde\nAnzahl Spiele:";

bool IsGroupRow(const TSortGrid& gruppe, int row) { return !gruppe.Cells(Gruppe_Nr, row).empty(); }

// Ids and participant counts of the tournament's groups and of the listed ones, in that order.
struct KnownGroup {
    std::string id;
    int count = 0;
    int round = 0;  // 0 for a listed group
};

std::vector<KnownGroup> KnownGroups(const TMainForm* main, const TStringGrid* list) {
    std::vector<KnownGroup> groups;
    if (main)
        for (int row = 1; row < main->Gruppe.RowCount(); ++row)
            if (IsGroupRow(main->Gruppe, row))
                groups.push_back({main->Gruppe.Cells(Gruppe_Bez, row), ToInt(main->Gruppe.Cells(Gruppe_AnzTeams, row)),
                                  ToInt(main->Gruppe.Cells(Gruppe_RNr, row))});
    if (list)
        for (int row = 1; row < list->RowCount(); ++row)
            if (!list->Cells(0, row).empty()) groups.push_back({list->Cells(0, row), ToInt(list->Cells(3, row)), 0});
    return groups;
}

bool GameExists(const TMainForm* main, int game) {
    return main && FindRow(main->Spielplan, Spielplan_SpNr, IntToStr(game)) > 0;
}

}  // namespace

std::string GroupIdProblem(const std::string& id) {
    if (id.empty()) return "Bitte Bezeichnung angeben";
    if (HasAnyOf(id, kGroupIdCharacters)) return "Die Bezeichnung darf keines der Zeichen ! | $ ; , enthalten";
    if (std::string problem = TypedTextProblem("Die Bezeichnung", id); !problem.empty()) return problem;
    if (utf8::Length(id) > static_cast<size_t>(kMaxGroupIdLength))
        return "Die Bezeichnung darf höchstens " + IntToStr(kMaxGroupIdLength) + " Zeichen lang sein";
    return {};
}

std::string GroupNameProblem(const std::string& name) {
    if (name.empty()) return "Bitte geben Sie einen Gruppennamen an";
    if (HasAnyOf(name, kNotationCharacters)) return "Der Gruppenname darf keines der Zeichen ! | $ ; enthalten";
    if (std::string problem = TypedTextProblem("Der Gruppenname", name); !problem.empty()) return problem;
    return {};
}

bool GroupIdTaken(const TMainForm& form, const TStringGrid* list, const std::string& id, const std::string& ownId) {
    int holders = 0;
    for (const KnownGroup& group : KnownGroups(&form, list))
        if (SameText(group.id, id)) ++holders;
    const int allowed = !ownId.empty() && SameText(ownId, id) ? 1 : 0;
    return holders > allowed;
}

std::string GroupIdTakenText() { return "Die Bezeichnung existiert schon, bitte eine andere eingeben"; }

TfrmGruppe::TfrmGruppe() {
    Name = "frmGruppe";
    SetCaption("Gruppe");
    Edit1.MaxLength = kMaxGroupIdLength;
    Edit2.ReadOnly = true;
    Edit4.ReadOnly = true;
    ComboBox1.Items.SetText(kNameItems);
    RadioGroup1.Items.SetText(kSystemItems);
    RadioGroup1.SetItemIndex(0);
    IAeverButton2.SetCaption("Gruppe anlegen");
}

void TfrmGruppe::Reset(const std::string& round, const std::string& roundName) {
    ownId_.clear();
    Edit1.SetText("");
    Edit2.SetText(round);
    Edit4.SetText(roundName);
    ComboBox1.SetItemIndex(-1);
    ComboBox1.SetText("");
    RadioGroup1.SetItemIndex(0);
    umNumberEdit1.SetText("");
    SetCodes("");
}

void TfrmGruppe::PrepareNewGroup(const std::string& round, const std::string& roundName) {
    SetCaption("Gruppe");
    Reset(round, roundName);
    Edit1.SetText(ProposedId());
    BuildCandidates(ToInt(round) > 1);
}

void TfrmGruppe::PrepareEditGroup(const std::string& round, const std::string& roundName, const std::string& id,
                                  const std::string& name, const std::string& codes) {
    SetCaption("Gruppe");
    Reset(round, roundName);
    ownId_ = id;
    Edit1.SetText(id);
    ComboBox1.SetText(name);
    SetCodes(codes);
    BuildCandidates(ToInt(round) > 1);
}

void TfrmGruppe::PrepareEndplatzierung(const std::string& list) {
    SetCaption("Endplatzierung");
    Reset("", "");
    std::string codes = list;
    if (!codes.empty() && codes.back() == ';') codes.pop_back();
    SetCodes(codes);
    BuildCandidates(true);
    if (!codes.empty())
        for (const std::string& item : SplitItems(codes)) AddCandidateCode(item);
}

std::string TfrmGruppe::SystemCode() const {
    switch (RadioGroup1.ItemIndex()) {
        case 0:
            return "JGJ";
        case 1:
            return "SV";
        case 2:
            return "JGJ2";
        case 3:
            return "A" + umNumberEdit1.Text();
        default:
            return {};
    }
}

std::vector<std::string> TfrmGruppe::ListedIds() const {
    std::vector<std::string> ids;
    for (const KnownGroup& group : KnownGroups(Main, Gruppen)) ids.push_back(group.id);
    return ids;
}

// The letter after the groups there are; the next free one when that letter is taken.
std::string TfrmGruppe::ProposedId() const {
    const std::vector<std::string> ids = ListedIds();
    auto taken = [&](const std::string& id) {
        return std::any_of(ids.begin(), ids.end(), [&](const std::string& other) { return SameText(other, id); });
    };
    const int n = static_cast<int>(ids.size());
    if (n < 26 && !taken(LetterId(n))) return LetterId(n);
    for (int i = 0; i < 26 + 26 * 26; ++i)
        if (!taken(LetterId(i))) return LetterId(i);
    return {};
}

void TfrmGruppe::SetCodes(const std::string& codes) {
    Edit3.SetText(codes);
    ListBox1.Items.Clear();
    if (!codes.empty())
        for (const std::string& item : SplitItems(codes))
            ListBox1.Items.Add(Main ? CodeDisplayText(*Main, item) : item);
    Label15.SetCaption(IntToStr(ListBox1.Items.Count()));
}

void TfrmGruppe::AddCandidateCode(const std::string& code) {
    if (std::find(candidateCodes_.begin(), candidateCodes_.end(), code) != candidateCodes_.end()) return;
    candidateCodes_.push_back(code);
    ListBox2.Items.Add(Main ? CodeDisplayText(*Main, code) : code);
}

// Teams of the tournament, places of the known groups and, from the second round on, winners and
// losers of the games and the best of the latest round's groups.
void TfrmGruppe::BuildCandidates(bool laterRound) {
    candidateCodes_.clear();
    ListBox2.Items.Clear();
    const int teams = Label20 ? std::min(ToInt(Label20->Caption()), kMaxGroupSize) : 0;
    for (int k = 1; k <= teams; ++k) AddCandidateCode("M" + IntToStr(k));
    const std::vector<KnownGroup> groups = KnownGroups(Main, Gruppen);
    for (const KnownGroup& group : groups)
        if (!SameText(group.id, ownId_))
            for (int i = 1; i <= std::min(group.count, kMaxGroupSize); ++i)
                AddCandidateCode(IntToStr(i) + "." + group.id);
    if (!laterRound || !Main) return;
    const TSortGrid& games = Main->Spielplan;
    for (int row = 1; row < games.RowCount(); ++row) {
        const std::string game = games.Cells(Spielplan_SpNr, row);
        if (game.empty()) continue;
        AddCandidateCode("S" + game);
        AddCandidateCode("V" + game);
    }
    int latest = 0;
    for (const KnownGroup& group : groups) latest = std::max(latest, group.round);
    std::string ids;
    int count = 0, largest = 0;
    for (const KnownGroup& group : groups)
        if (latest > 0 && group.round == latest) {
            ids += (count++ ? "," : "") + group.id;
            largest = std::max(largest, std::min(group.count, kMaxGroupSize));
        }
    if (count < 2) return;
    for (int k = 1; k <= largest; ++k)
        for (int i = 1; i <= count; ++i) AddCandidateCode("B" + IntToStr(i) + "/" + IntToStr(k) + "/" + ids);
}

bool TfrmGruppe::AddCandidate(const std::string& choice) {
    int index = MatchChoice(ListBox2.Items.ToVector(), choice);
    if (index < 0) {
        const auto code = std::find(candidateCodes_.begin(), candidateCodes_.end(), choice);
        if (code == candidateCodes_.end()) return false;
        index = static_cast<int>(code - candidateCodes_.begin());
    }
    const std::string& code = candidateCodes_[static_cast<size_t>(index)];
    SetCodes(Edit3.Text().empty() ? code : Edit3.Text() + ";" + code);
    return true;
}

// Every item must be a code of the notation whose source exists: a known group other than this
// one, a game that has been made.
std::string TfrmGruppe::ParticipantProblem() const {
    if (Edit3.Text().empty()) return {};
    const std::vector<std::string> items = SplitItems(Edit3.Text());
    if (static_cast<int>(items.size()) > kMaxGroupSize)
        return "Eine Gruppe hat höchstens " + IntToStr(kMaxGroupSize) + " Teilnehmer";
    const std::vector<std::string> ids = ListedIds();
    for (const std::string& item : items) {
        const ParticipantCode code = ReadParticipantCode(item);
        if (code.kind == CodeKind::Invalid) return "Ungültiger Teilnehmer: \"" + item + "\"";
        for (const std::string& id : code.groups) {
            const bool known =
                std::any_of(ids.begin(), ids.end(), [&](const std::string& o) { return SameText(o, id); });
            if (!known || (EndplatzModus == 0 && SameText(id, Edit1.Text())))
                return "Die Gruppe " + id + " gibt es nicht (Teilnehmer \"" + item + "\")";
        }
        if ((code.kind == CodeKind::Winner || code.kind == CodeKind::Loser) && !GameExists(Main, code.number))
            return "Das Spiel " + IntToStr(code.number) + " gibt es nicht (Teilnehmer \"" + item + "\")";
    }
    return {};
}

bool TfrmGruppe::CheckOk() {
    auto refuse = [](const std::string& text) {
        ShowMsg(3, text);
        return false;
    };
    if (EndplatzModus != 0) {
        const std::string problem = ParticipantProblem();
        return problem.empty() || refuse(problem);
    }
    if (std::string problem = GroupIdProblem(Edit1.Text()); !problem.empty()) return refuse(problem);
    if (std::string problem = GroupNameProblem(ComboBox1.Text()); !problem.empty()) return refuse(problem);
    const int count = ListBox1.Items.Count();
    if (count < 2) return refuse("Bitte geben Sie mindestens zwei Mannschaft in die Gruppe");
    if (std::string problem = ParticipantProblem(); !problem.empty()) return refuse(problem);
    const int games = ToInt(umNumberEdit1.Text());
    if (RadioGroup1.ItemIndex() == 3 && (games < 1 || games > kMaxGamesPerGroup))
        return refuse("Bitte korrekte Anzahl Spiele eingeben");
    if (RadioGroup1.ItemIndex() == 1 && count % 2 != 0)
        return refuse("Bitte eine gerade Anzahl von Mannschaften fuer dieses System eingeben");
    // A new group may not take an id in use; an edited one may keep its own.
    const std::string own = Bearbeiten == 0 ? std::string() : ownId_;
    if (Main && GroupIdTaken(*Main, Gruppen, Edit1.Text(), own)) return refuse(GroupIdTakenText());
    return true;
}

std::vector<DialogField> TfrmGruppe::Fields() {
    std::vector<DialogField> fields;
    const bool group = EndplatzModus == 0;
    auto inGroupMode = [this] { return EndplatzModus == 0; };
    if (group) {
        fields.push_back(ReadOnlyField("Runde", Edit2));
        fields.push_back(ReadOnlyField("Rundenname", Edit4));
        fields.push_back(TextField("Bezeichnung", Edit1));
        fields.push_back(ChoiceField("Name", ComboBox1));
        fields.push_back(ChoiceField("System", RadioGroup1));
        fields.push_back(TextField("Anzahl Spiele", umNumberEdit1));
        for (DialogField& field : fields) field.shown = inGroupMode;
    }
    fields.push_back({"Teilnehmer",
                      [this] { return Edit3.Text(); },
                      [this](const std::string& text) {
                          SetCodes(text);
                          return true;
                      },
                      {}});
    fields.push_back({"Kandidat", [] { return std::string(); },
                      [this](const std::string& text) { return AddCandidate(text); }, ListBox2.Items.ToVector()});
    fields.push_back(ReadOnlyField("Anzahl", Label15));
    return fields;
}

std::vector<DialogAction> TfrmGruppe::Actions() { return {OkAction(IAeverButton2.Caption()), CancelAction()}; }
