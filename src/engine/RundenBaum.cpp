#include "engine/RundenBaum.h"

#include <initializer_list>
#include <vector>

#include "dialogs/newGroup.h"
#include "engine/TurnierStart.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/NameText.h"
#include "foundation/Notation.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"

namespace {

constexpr const char* kOpen = " ( ";
constexpr const char* kClose = " )";

int Position(const TTreeNode* node) { return static_cast<int>(node->Data); }

TTreeNode* RoundsNodeOf(TTreeView& tree) {
    TTreeNode& root = tree.Root();
    for (int i = 0; i < root.Count(); ++i)
        if (root.Item(i)->Text == lngText(5)) return root.Item(i);
    return nullptr;
}

// Radio buttons of one choice exclude each other.
void CheckOnly(TRadioButton& chosen, std::initializer_list<TRadioButton*> choice) {
    for (TRadioButton* button : choice) button->SetChecked(button == &chosen);
}

// Picks one of two apply-to choices; the other is disabled.
void Choose(TRadioButton& chosen, TRadioButton& other) {
    CheckOnly(chosen, {&chosen, &other});
    chosen.Enabled = true;
    other.Enabled = false;
}

// A participant code that names group `oldId`, rewritten to `newId`; other codes unchanged.
std::string RenamedCode(const std::string& item, const std::string& oldId, const std::string& newId) {
    const ParticipantCode code = ReadParticipantCode(item);
    if (code.kind == CodeKind::Place)
        return SameText(code.groups[0], oldId) ? IntToStr(code.number) + "." + newId : item;
    if (code.kind != CodeKind::BestOf) return item;
    std::string ids;
    for (const std::string& id : code.groups) ids += (ids.empty() ? "" : ",") + (SameText(id, oldId) ? newId : id);
    return "B" + IntToStr(code.number) + "/" + IntToStr(code.rank) + "/" + ids;
}

std::string RenamedList(const std::string& list, const std::string& oldId, const std::string& newId) {
    if (list.empty()) return list;
    std::string out;
    for (const std::string& item : SplitItems(list)) out += (out.empty() ? "" : ";") + RenamedCode(item, oldId, newId);
    return out;
}

// The shown text of a slot or placing row whose code names the renamed group follows the new id,
// wherever the old text stands: the row, the participant list and the standings.
void RenameSlot(TMainForm& form, int row, const std::string& newText) {
    TSortGrid& teams = form.Teams;
    const std::string oldText = Get(teams, Teams_Name, row, true);
    Put(teams, Teams_Name, row, newText, true);
    if (Get(teams, Teams_Name_Tmp, row, true) == oldText) Put(teams, Teams_Name_Tmp, row, newText, true);
    const int number = IntGet(teams, Teams_Nr, row, true);
    if (number > 0 && number < form.XATeams.Items.Count() && form.XATeams.Items[number] == oldText)
        ListPut(form.XATeams, number, newText);
    TSortGrid& platz = form.Platz;
    for (int p = 1; p < platz.RowCount(); ++p)
        if (IntGet(platz, Platz_TeamNr, p, true) == number && Get(platz, Platz_Team, p, true) == oldText)
            Put(platz, Platz_Team, p, newText, true);
}

// Later groups and the final placing name a group by its id in their codes.
void RenameReferences(TMainForm& form, int group, const std::string& oldId, const std::string& newId) {
    TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row)
        Put(gruppe, Gruppe_Teams, row, RenamedList(Get(gruppe, Gruppe_Teams, row, true), oldId, newId), true);
    TSortGrid& teams = form.Teams;
    for (int row = 1; row < teams.RowCount(); ++row) {
        const std::string kind = Get(teams, Teams_SV, row, true);
        const std::string place = Get(teams, Teams_Pos, row, true);
        if (kind.empty() && !place.empty() && IntGet(teams, Teams_GrNr, row, true) == group) {
            RenameSlot(form, row, PlaceCodeText(place, newId));
        } else if (!kind.empty() && kind[0] == 'B') {
            const std::string code = RenamedCode(kind, oldId, newId);
            if (code == kind) continue;
            Put(teams, Teams_SV, row, code, true);
            RenameSlot(form, row, CodeDisplayText(form, code));
        }
    }
}

std::string GroupRenameProblem(const TMainForm& form, const std::string& id, const std::string& name,
                               const std::string& ownId) {
    if (std::string problem = GroupIdProblem(id); !problem.empty()) return problem;
    if (std::string problem = GroupNameProblem(name); !problem.empty()) return problem;
    if (GroupIdTaken(form, nullptr, id, ownId)) return GroupIdTakenText();
    return {};
}

void Refresh(TMainForm& form) {
    setupEndPlatzierung(form);
    setTurChanged(form, true);
    form.doTurnierBaum();
    form.DoPlan(form.XPlan2, 0, 0, nullptr);
}

}  // namespace

void LoadScoring(TMainForm& form, int row) {
    const TSortGrid& gruppe = form.Gruppe;
    const auto choice = {&form.RadioButton1, &form.RadioButton2, &form.RadioButton3};
    if (!Get(gruppe, Gruppe_P1, row, true).empty()) {
        form.umEdit1.SetText(Get(gruppe, Gruppe_P1, row, true));
        form.umEdit2.SetText(Get(gruppe, Gruppe_P2, row, true));
        CheckOnly(form.RadioButton1, choice);
    } else if (!Get(gruppe, Gruppe_P3, row, true).empty()) {
        form.umEdit3.SetText(Get(gruppe, Gruppe_P3, row, true));
        form.umEdit4.SetText(Get(gruppe, Gruppe_P4, row, true));
        CheckOnly(form.RadioButton2, choice);
    } else {
        CheckOnly(form.RadioButton3, choice);
    }
    form.CheckBox2.SetChecked(Get(gruppe, Gruppe_ErgUE, row, true) == "1");
}

int FirstGroupOfRound(const TMainForm& form, int round) {
    const TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row)
        if (!gruppe.Cells(0, row).empty() && IntGet(gruppe, Gruppe_RNr, row, true) == round) return row;
    return 0;
}

RoundTreeSelection SelectedInRoundTree(const TMainForm& form) {
    RoundTreeSelection s;
    s.node = form.TreeView3.Selected();
    if (!s.node) return s;
    const bool groupNode = s.node->Level() > 0;
    s.roundNode = groupNode ? s.node->Parent : s.node;
    s.round = Position(s.roundNode);
    s.group = groupNode ? Position(s.node) : 0;
    return s;
}

NodeLabel ReadNodeText(const std::string& text, const std::string& prefix) {
    NodeLabel label;
    const std::string start = prefix + " ";
    const size_t from = text.rfind(start, 0) == 0 ? start.size() : 0;
    const size_t open = text.find(kOpen, from);
    if (open == std::string::npos) return label;
    label.valid = true;
    label.key = text.substr(from, open - from);
    label.name = text.substr(open + 3);
    const std::string close = kClose;
    if (label.name.size() >= close.size() &&
        label.name.compare(label.name.size() - close.size(), close.size(), close) == 0)
        label.name.erase(label.name.size() - close.size());
    return label;
}

void doTreeView3(TMainForm& form) {
    Log("[F] doTreeView3(): TreeView3 herrichten fuer Bearbeitungsmodus");
    form.PageControl2.Visible = false;
    if (form.XTreeView1.Nodes().empty()) return;
    TTreeView& tree = form.TreeView3;
    tree.Clear();
    if (TTreeNode* rounds = RoundsNodeOf(form.XTreeView1)) {
        int roundPosition = 0, groupPosition = 0;
        for (int i = 0; i < rounds->Count(); ++i) {
            const TTreeNode* source = rounds->Item(i);
            TTreeNode* round = tree.Add(source->Text);
            round->Data = ++roundPosition;
            for (int k = 0; k < source->Count(); ++k)
                if (source->Item(k)->Text.find('(') != std::string::npos)
                    round->AddChild(source->Item(k)->Text)->Data = ++groupPosition;
        }
    }
    if (tree.Root().Count() == 0) return;
    form.PageControl2.Visible = true;
    // The count first: typing into it chooses neutral referees, the stored mode then chooses again.
    form.umNeutral.SetText(GetSetting(form, "SchiriAusAnz", "2"));
    form.RadioGroup2.SetItemIndex(ToInt(GetSetting(form, "SchiriAuswahl", "0")));
    tree.SetSelected(tree.Root().Item(0));
}

void TreeView3Change(TMainForm& form) {
    Log("[F] TreeView3Change(): Klick auf TurnierBaum 3");
    if (form.TreeView3.Root().Count() == 0) {
        form.PageControl2.Visible = false;
        return;
    }
    const RoundTreeSelection s = SelectedInRoundTree(form);
    if (!s.node) return;
    form.PageControl2.Visible = true;
    std::string header = s.node->Text;
    if (s.group > 0) {
        const NodeLabel group = ReadNodeText(s.node->Text, lngText(3));
        if (group.valid) {
            form.Edit8.SetText(group.key);
            form.Edit9.SetText(group.name);
            form.Label31.SetCaption(IntToStr(s.group));
        } else {
            form.Edit8.SetText("");
            form.Edit9.SetText("");
        }
        form.Panel29.Visible = true;
        Choose(form.RadioButton5, form.RadioButton4);
        Choose(form.RadioButton8, form.RadioButton7);
        LoadScoring(form, s.group);
    } else {
        form.Panel29.Visible = false;
        Choose(form.RadioButton4, form.RadioButton5);
        Choose(form.RadioButton7, form.RadioButton8);
        // A round shows what its groups hold, not what the page last held (after a load: nothing).
        if (const int first = FirstGroupOfRound(form, s.round); first > 0) LoadScoring(form, first);
    }
    form.Edit6.SetText(IntToStr(s.round));
    const NodeLabel round = ReadNodeText(s.roundNode->Text, lngText(4));
    if (round.valid) form.Edit7.SetText(round.name);
    form.Panel23.SetCaption(header);
}

void GruppeUmbenennen(TMainForm& form) {
    Log("[F] SpeedButton9Click(): Gruppe Aktualisieren");
    const RoundTreeSelection s = SelectedInRoundTree(form);
    if (!s.node || s.group == 0) return;
    const std::string id = form.Edit8.Text(), name = form.Edit9.Text();
    TSortGrid& gruppe = form.Gruppe;
    const int first = FindRow(gruppe, Gruppe_GrNr, IntToStr(s.group));
    const std::string ownId = first > 0 ? Get(gruppe, Gruppe_Bez, first, true) : std::string();
    if (const std::string problem = GroupRenameProblem(form, id, name, ownId); !problem.empty()) {
        ShowMsg(3, problem);
        return;
    }
    s.node->Text = lngText(3) + " " + id + kOpen + name + kClose;
    for (int row = 1; row < gruppe.RowCount(); ++row) {
        if (IntGet(gruppe, Gruppe_GrNr, row, true) != s.group) continue;
        const std::string oldId = Get(gruppe, Gruppe_Bez, row, true);
        Put(gruppe, Gruppe_Bez, row, id, true);
        Put(gruppe, Gruppe_Name, row, name, true);
        ListPut(form.XAGruppBez, row, id);
        ListPut(form.XAGruppName, row, name);
        if (oldId != id) RenameReferences(form, IntGet(gruppe, Gruppe_Nr, row, true), oldId, id);
    }
    Refresh(form);
}

void RundeUmbenennen(TMainForm& form) {
    Log("[F] IAeverButton13Click: Runde aktualisieren");
    const RoundTreeSelection s = SelectedInRoundTree(form);
    const std::string name = form.Edit7.Text();
    if (!s.node || name.empty()) return;
    if (HasAnyOf(name, kNotationCharacters)) {
        ShowMsg(3, "Der Rundenname darf keines der Zeichen ! | $ ; enthalten");
        return;
    }
    if (std::string problem = TypedTextProblem("Der Rundenname", name); !problem.empty()) return ShowMsg(3, problem);
    const std::string label = lngText(4) + " " + form.Edit6.Text() + kOpen + name + kClose;
    s.roundNode->Text = label;
    TSortGrid& gruppe = form.Gruppe;
    for (int row = 1; row < gruppe.RowCount(); ++row)
        if (IntGet(gruppe, Gruppe_RNr, row, true) == s.round) Put(gruppe, Gruppe_RundeName, row, name, true);
    ListPut(form.XARunden, s.round, label);
    Refresh(form);
}

void PlanKlick(TMainForm& form, bool upper) {
    const int mode = upper ? form.Plan1Modus : form.Plan2Modus;
    if (mode != 1 && mode != 4 && mode != 5 && mode != 7) return;
    const TTreeView& tree = upper ? form.XTreeView1 : form.XTreeView2;
    const TStringGrid& plan = upper ? form.XPlan1 : form.XPlan2;
    const TTreeNode* selected = tree.Selected();
    std::string path;
    for (const TTreeNode* n = selected; n && n->Level() >= 0; n = n->Parent) path = " >> " + n->Text + path;
    const int row = plan.Row();
    std::string header = path;
    if (!plan.Cells(1, row).empty() && selected && selected->Level() <= 1)
        header += " ->> " + lngText(9) + " " + plan.Cells(1, row) + " >> " + lngText(3) + " " + plan.Cells(5, row) +
                  " (" + plan.Cells(10, row) + ")";
    (upper ? form.Panel7 : form.Panel6).SetCaption(header);
}
