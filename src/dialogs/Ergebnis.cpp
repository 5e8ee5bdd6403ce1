#include "dialogs/Ergebnis.h"


#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"

namespace {

constexpr const char* kAutomatisch = "automatisch";

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const char* const kPlainScoreLabels[] = {"Punkte1", "Punkte2", "Sätze1", "Sätze2", "Bälle1", "Bälle2"};

// One score as the user typed it; empty counts 0 and is stored empty.
struct Score {
    std::string label;
    std::string text;
    double value = 0;
};

// The first problem with a score, or the empty text.
std::string CheckScore(Score& score) {
    score.text = Trim(score.text);
    if (score.text.empty()) return {};
    std::string decimal = score.text;
    for (char& c : decimal)
        if (c == '.') c = ',';
    if (decimal.find_first_of("eE") != std::string::npos || !TryTextToDouble(decimal, score.value))
        return "Bitte bei \"" + score.label + "\" eine Zahl eingeben";
    if (score.value < 0) return "\"" + score.label + "\" darf nicht negativ sein";
    if (score.value > kMaxErgebnis) return "\"" + score.label + "\" darf höchstens " + FloatToStr(kMaxErgebnis) + " sein";
    score.text = FloatToStr(score.value);
    return {};
}

struct SetCount {
    int first = 0, second = 0;
};

bool ReadWhole(const std::string& text, int& value) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoi(text);
    return true;
}

// Set results such as "25:20, 18:25, 15:10": the sets won by each side, or the problem.
std::string CountSets(const std::string& text, SetCount& count) {
    const std::string format = "Bitte die Satzergebnisse wie 25:20, 18:25, 15:10 eingeben";
    int sets = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(",;", start);
        if (end == std::string::npos) end = text.size();
        const std::string set = Trim(text.substr(start, end - start));
        start = end + 1;
        const size_t colon = set.find(':');
        int a = 0, b = 0;
        if (colon == std::string::npos || !ReadWhole(Trim(set.substr(0, colon)), a) ||
            !ReadWhole(Trim(set.substr(colon + 1)), b))
            return format;
        if (++sets > kMaxSaetze) return "Höchstens " + IntToStr(kMaxSaetze) + " Sätze pro Spiel";
        if (a > b) ++count.first;
        if (b > a) ++count.second;
    }
    return {};
}

// > 0 when the first side is ahead, < 0 when the second is.
int Ahead(double first, double second) { return first > second ? 1 : first < second ? -1 : 0; }

}  // namespace

TfrmErgebnis::TfrmErgebnis() {
    SetCaption("Ergebnis eingeben");
    Button1.SetCaption("Übernehmen");
    Button2.SetCaption("Kein Ergebnis");
    Button3.SetCaption("Ergebnis löschen");
    ComboBox1.Style = TComboBoxStyle::csDropDownList;
}

std::string TfrmErgebnis::ParticipantName(int column) const {
    const int team = ToInt(ListGet(Zeile, column));
    std::string name;
    if (Form && team >= 0 && team < Form->XATeamsTur.Items.Count()) name = Form->XATeamsTur.Items[team];
    if (name.empty() && Form && team >= 0 && team < Form->XATeams.Items.Count()) name = Form->XATeams.Items[team];
    return name.empty() ? "Teilnehmer " + IntToStr(team) : name;
}

void TfrmErgebnis::Write(int column, const std::string& text) {
    while (Zeile.Count() <= column) Zeile.Add("");
    ListPut(Zeile, column, text);
}

void TfrmErgebnis::FormShow() {
    Uebernommen = false;
    Geloescht = false;
    const std::string first = ParticipantName(Spielplan_T1), second = ParticipantName(Spielplan_T2);
    Label1.SetCaption(ListGet(Zeile, Spielplan_SpNr) + ": " + first + " - " + second);
    ComboBox1.Items.Clear();
    ComboBox1.Items.Add(kAutomatisch);
    ComboBox1.Items.Add(first);
    ComboBox1.Items.Add(second);
    TEdit* edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6};
    for (int i = 0; i < 6; ++i) edits[i]->SetText(ListGet(Zeile, Spielplan_PPkt + i));
    Edit7.SetText(ListGet(Zeile, Spielplan_SatzErg) == "NULL" ? "" : ListGet(Zeile, Spielplan_SatzErg));
    // A winner the scores do not give was chosen: offer that choice again.
    const std::string winner = ListGet(Zeile, Spielplan_Sieger);
    int chosen = 0;
    if (!winner.empty() && winner != "0") {
        int byScores = 0;
        for (int c = Spielplan_PPkt; c <= Spielplan_PBall && byScores == 0; c += 2)
            byScores = Ahead(ToDouble(ListGet(Zeile, c)), ToDouble(ListGet(Zeile, c + 1)));
        if (winner == ListGet(Zeile, Spielplan_T1) && byScores <= 0) chosen = 1;
        if (winner == ListGet(Zeile, Spielplan_T2) && byScores >= 0) chosen = 2;
    }
    ComboBox1.SetItemIndex(chosen);
}

std::string TfrmErgebnis::ScoreLabel(int k, int side) const {
    return Form ? Form->ScoreName(k) + IntToStr(side) : kPlainScoreLabels[(k - 1) * 2 + side - 1];
}

std::vector<DialogField> TfrmErgebnis::Fields() {
    std::vector<DialogField> fields{ReadOnlyField("Spiel", Label1), ChoiceField("Sieger", ComboBox1)};
    // The scores are named after the tournament's scoring values ("Tore1" in football) and answer
    // to their plain names ("Sätze1") as well.
    const std::array<TEdit*, 6> edits = ScoreEdits();
    for (int i = 0; i < 6; ++i) {
        fields.push_back(TextField(ScoreLabel(i / 2 + 1, i % 2 + 1), *edits[i]));
        fields.back().alias = kPlainScoreLabels[i];
    }
    fields.push_back(TextField("Satzergebnisse", Edit7));
    // Points the group awards are not typed.
    fields[2].shown = fields[3].shown = [this] { return !PointsAwarded(); };
    return fields;
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

bool TfrmErgebnis::Uebernehmen() {
    const std::array<TEdit*, 6> edits = ScoreEdits();
    Score scores[6];
    for (int i = 0; i < 6; ++i) scores[i] = {ScoreLabel(i / 2 + 1, i % 2 + 1), edits[i]->Text()};
    if (PointsAwarded()) scores[0].text = scores[1].text = "";
    for (Score& score : scores)
        if (const std::string problem = CheckScore(score); !problem.empty()) {
            ShowMsg(3, problem);
            return false;
        }
    const std::string setResults = Trim(Edit7.Text());
    if (!setResults.empty()) {
        SetCount sets;
        if (const std::string problem = CountSets(setResults, sets); !problem.empty()) {
            ShowMsg(3, problem);
            return false;
        }
        if (scores[2].text.empty() && scores[3].text.empty()) {
            scores[2] = {scores[2].label, IntToStr(sets.first), static_cast<double>(sets.first)};
            scores[3] = {scores[3].label, IntToStr(sets.second), static_cast<double>(sets.second)};
        } else if (scores[2].value != sets.first || scores[3].value != sets.second) {
            ShowMsg(3, "Die Sätze passen nicht zu den Satzergebnissen");
            return false;
        }
    }

    // A chosen winner first, then points, then sets, then balls; level on all three is a draw.
    int ahead = ComboBox1.ItemIndex() == 1 ? 1 : ComboBox1.ItemIndex() == 2 ? -1 : 0;
    for (int i = 0; i < 6 && ahead == 0; i += 2) ahead = Ahead(scores[i].value, scores[i + 1].value);
    const std::string winner =
        ahead > 0 ? ListGet(Zeile, Spielplan_T1) : ahead < 0 ? ListGet(Zeile, Spielplan_T2) : std::string("0");

    if (EigenePunkte) {
        const double first = ahead > 0 ? P1 : ahead < 0 ? 0 : P2, second = ahead < 0 ? P1 : ahead > 0 ? 0 : P2;
        scores[0].text = FloatToStr(first);
        scores[1].text = FloatToStr(second);
    } else if (P3 > 0) {
        const bool levelBalls = scores[4].value + scores[5].value > 0 && scores[4].value == scores[5].value;
        scores[0].text = FloatToStr(scores[2].value * P3 + (levelBalls ? P4 : 0));
        scores[1].text = FloatToStr(scores[3].value * P3 + (levelBalls ? P4 : 0));
    }
    for (int i = 0; i < 6; ++i) Write(Spielplan_PPkt + i, scores[i].text);
    Write(Spielplan_SatzErg, setResults);
    Write(Spielplan_Sieger, winner);
    Uebernommen = true;
    return true;
}

bool TfrmErgebnis::KeinErgebnis() {
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
