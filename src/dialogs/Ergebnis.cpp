#include "dialogs/Ergebnis.h"

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/TeilnehmerName.h"

namespace {

constexpr const char* kAutomatisch = "automatisch";

}  // namespace

TfrmErgebnis::TfrmErgebnis() {
    SetCaption("Ergebnis eingeben");
    Label1.SetCaption("Mannschaften");
    Button1.SetCaption("Übernehmen");
    Button2.SetCaption("Kein Ergebnis");
    Button3.SetCaption("Ergebnis löschen");
    ComboBox1.Style = TComboBoxStyle::csDropDownList;
}

std::string TfrmErgebnis::ParticipantName(int column) const {
    const int team = ToInt(ListGet(Zeile, column));
    return Form ? TeilnehmerName(*Form, team) : "Teilnehmer " + IntToStr(team);
}

void TfrmErgebnis::Write(int column, const std::string& text) {
    while (Zeile.Count() <= column) Zeile.Add("");
    ListPut(Zeile, column, text);
}

void TfrmErgebnis::FormShow() {
    Uebernommen = false;
    Geloescht = false;
    const std::string first = ParticipantName(Spielplan_T1), second = ParticipantName(Spielplan_T2);
    Label2.SetCaption(ListGet(Zeile, Spielplan_SpNr) + ": " + first + " - " + second);
    ComboBox1.Items.Clear();
    ComboBox1.Items.Add(kAutomatisch);
    ComboBox1.Items.Add(first);
    ComboBox1.Items.Add(second);
    const std::array<TEdit*, 6> edits = ScoreEdits();
    for (size_t i = 0; i < 6; ++i) {
        shownScores_[i] = ListGet(Zeile, Spielplan_PPkt + static_cast<int>(i));
        edits[i]->SetText(shownScores_[i]);
    }
    shownSetResults_ = ListGet(Zeile, Spielplan_SatzErg) == "NULL" ? "" : ListGet(Zeile, Spielplan_SatzErg);
    Edit7.SetText(shownSetResults_);
    // A winner the scores do not give was chosen: offer that choice again.
    const std::string winner = ListGet(Zeile, Spielplan_Sieger);
    int chosen = 0;
    if (!winner.empty() && winner != "0") {
        // Points the group awards follow from the winner and say nothing about the choice.
        std::array<Score, 6> stored;
        for (int i = PointsAwarded() ? 2 : 0; i < 6; ++i)
            stored[i].value = ToDouble(ListGet(Zeile, Spielplan_PPkt + i));
        const int byScores = AheadByScores(stored);
        if (winner == ListGet(Zeile, Spielplan_T1) && byScores <= 0) chosen = 1;
        if (winner == ListGet(Zeile, Spielplan_T2) && byScores >= 0) chosen = 2;
    }
    ComboBox1.SetItemIndex(chosen);
}

std::string TfrmErgebnis::ScoreLabel(int k, int side) const { return ::ScoreLabel(Form, k, side); }

std::vector<DialogField> TfrmErgebnis::Fields() {
    std::vector<DialogField> fields{ReadOnlyField("Spiel", Label2), ChoiceField("Sieger", ComboBox1)};
    // The scores are named after the tournament's scoring values ("Tore1" in football) and answer
    // to their plain names ("Sätze1") as well.
    const std::array<TEdit*, 6> edits = ScoreEdits();
    for (int i = 0; i < 6; ++i) {
        fields.push_back(TextField(ScoreLabel(i / 2 + 1, i % 2 + 1), *edits[i]));
        fields.back().alias = ::ScoreLabel(nullptr, i / 2 + 1, i % 2 + 1);
    }
    fields.push_back(TextField("Satzergebnisse", Edit7));
    // Points the group awards are not typed.
    fields[2].shown = fields[3].shown = [this] { return !PointsAwarded(); };
    if (PointsAwarded()) fields[2].notOfferedBecause = fields[3].notOfferedBecause = AwardedPoints();
    return fields;
}

std::string TfrmErgebnis::AwardedPoints() const {
    const std::string id = Form ? ListGet(Form->XAGruppBez, ToInt(ListGet(Zeile, Spielplan_GrNr))) : "";
    const std::string group = id.empty() ? "" : " " + id;
    return "die Punkte folgen aus dem Ergebnis und der Wertung der Gruppe" + group + " (" + AwardText(Award()) + ")";
}

std::vector<DialogAction> TfrmErgebnis::Actions() {
    auto closeWith = [this](bool (TfrmErgebnis::*step)()) {
        return [this, step] {
            if (!(this->*step)()) return false;
            ModalResult = mrOk;
            return true;
        };
    };
    return {{"übernehmen", Button1.Caption(), closeWith(&TfrmErgebnis::Uebernehmen)},
            {"kein-ergebnis", Button2.Caption(), closeWith(&TfrmErgebnis::KeinErgebnis)},
            {"ergebnis-löschen", Button3.Caption(), closeWith(&TfrmErgebnis::Loeschen)},
            CancelAction()};
}

ScoreRules TfrmErgebnis::Rules() const { return Form ? RulesOfTournament(*Form) : ScoreRules{}; }

bool TfrmErgebnis::TakesResult() const {
    if (NurLoeschen.empty()) return true;
    ShowMsg(3, NurLoeschen);
    return false;
}

bool TfrmErgebnis::Uebernehmen() {
    if (!TakesResult()) return false;
    const std::array<TEdit*, 6> edits = ScoreEdits();
    TypedResult typed;
    for (int i = 0; i < 6; ++i) typed.scores[i] = {ScoreLabel(i / 2 + 1, i % 2 + 1), edits[i]->Text()};
    typed.setResults = Edit7.Text();
    ForgetSumsOfChangedSetResults(typed.scores, typed.setResults);
    typed.chosen = ComboBox1.ItemIndex() == 1 ? 1 : ComboBox1.ItemIndex() == 2 ? -1 : 0;
    typed.chosenName = ComboBox1.Text();
    // Empty fields are no draw: a game not played gets "Kein Ergebnis".
    if (NothingTyped(typed)) {
        ShowMsg(3, "Es ist kein Ergebnis eingegeben: bitte das Ergebnis eingeben oder einen Sieger wählen; ein Spiel, "
                   "das nicht stattfand, bekommt „Kein Ergebnis“");
        return false;
    }
    if (const std::string problem = CheckResult(typed, Rules(), Award()); !problem.empty()) {
        ShowMsg(3, problem);
        return false;
    }
    std::array<Score, 6>& scores = typed.scores;

    // A chosen winner first, then points, then sets, then balls; level on all three is a draw.
    const int ahead = typed.chosen != 0 ? typed.chosen : AheadByScores(scores);
    const std::string winner =
        ahead > 0 ? ListGet(Zeile, Spielplan_T1) : ahead < 0 ? ListGet(Zeile, Spielplan_T2) : std::string("0");
    AwardPoints(scores, ahead, Award());
    for (int i = 0; i < 6; ++i) Write(Spielplan_PPkt + i, scores[i].text);
    Write(Spielplan_SatzErg, typed.setResults);
    Write(Spielplan_Sieger, winner);
    Uebernommen = true;
    return true;
}

void TfrmErgebnis::ForgetSumsOfChangedSetResults(std::array<Score, 6>& typed, const std::string& setResults) const {
    // Set results taken away leave the sums as they are: they still tell the result.
    if (setResults.find_first_not_of(" \t") == std::string::npos || setResults == shownSetResults_) return;
    std::array<Score, 6> sums;
    if (!TakeFromSetResults(sums, shownSetResults_)) return;
    for (size_t i = 2; i < 6; i += 2) {
        const bool asShown = typed[i].text == shownScores_[i] && typed[i + 1].text == shownScores_[i + 1];
        const bool sumsShown = shownScores_[i] == sums[i].text && shownScores_[i + 1] == sums[i + 1].text;
        if (asShown && sumsShown) typed[i].text = typed[i + 1].text = "";
    }
}

bool TfrmErgebnis::KeinErgebnis() {
    if (!TakesResult()) return false;
    for (int c = Spielplan_PPkt; c <= Spielplan_MBall; ++c) Write(c, "");
    Write(Spielplan_SatzErg, "NULL");
    Write(Spielplan_Sieger, "0");
    Uebernommen = true;
    return true;
}

bool TfrmErgebnis::Loeschen() {
    if (!Button3.Enabled) {
        ShowMsg(1, "Das Spiel hat kein Ergebnis, das gelöscht werden könnte");
        return false;
    }
    for (int c = Spielplan_PPkt; c <= Spielplan_MBall; ++c) Write(c, "");
    Write(Spielplan_SatzErg, "");
    Write(Spielplan_Sieger, "");
    Geloescht = true;
    return true;
}
