#include "dialogs/konflikt.h"

#include <algorithm>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"

namespace {

// "2,1,3" as the positions 1..count, each once; empty when it is not that.
std::vector<int> ReadOrder(const std::string& text, size_t count) {
    std::vector<int> order;
    std::string number;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ',';
        if (c >= '0' && c <= '9') {
            if (number.size() > 6) return {};
            number += c;
        } else if (c == ',' || c == ';' || c == ' ') {
            if (!number.empty()) order.push_back(std::stoi(number));
            number.clear();
        } else {
            return {};
        }
    }
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != static_cast<int>(i) + 1) return {};
    return sorted.size() == count ? order : std::vector<int>{};
}

std::string Listed(size_t number, const std::string& name) {
    return "Nr. " + IntToStr(static_cast<long long>(number)) + " (" + name + ")";
}

}  // namespace

TfrmKonflikt::TfrmKonflikt() {
    SetCaption("Platzierungskonflikt");
    Grid1.SetColCount(2);
    Grid1.SetRowCount(2);
    Grid1.SetCells(0, 0, "Platz");
    Grid1.SetCells(0, 1, "Mannschaft");
}

void TfrmKonflikt::FormShow() {
    rows_.clear();
    names_.clear();
    if (!Form || !Teams) return;
    const TSortGrid& platz = Form->Platz;
    for (int r = 1; r < platz.RowCount(); ++r)
        if (Teams->IndexOf(Get(platz, Platz_TeamNr, r, true)) >= 0 &&
            (GrNr <= 0 || IntGet(platz, Platz_GrNr, r, true) == GrNr))
            rows_.push_back(r);
    std::string order;
    for (size_t i = 0; i < rows_.size(); ++i) {
        names_.push_back(std::make_unique<TLabel>());
        names_.back()->SetCaption(Get(platz, Platz_Team, rows_[i], true));
        order += (i ? "," : "") + IntToStr(static_cast<long long>(i) + 1);
    }
    Edit1.SetText(order);
}

std::vector<DialogField> TfrmKonflikt::Fields() {
    std::vector<DialogField> fields;
    for (size_t i = 0; i < names_.size(); ++i)
        fields.push_back(ReadOnlyField("Nr. " + IntToStr(static_cast<long long>(i) + 1), *names_[i]));
    DialogField order = TextField("Reihenfolge", Edit1);
    order.rule = "Die Nummern (Nr.) vom ersten Platz an, jede genau einmal: " + OrderExample();
    fields.push_back(order);
    return fields;
}

// The example turns the list once: the last first, then the others in their order. Read the
// other way round (Nr. 1 to the third place) it would give another order, so it names them.
std::string TfrmKonflikt::OrderExample() const {
    const size_t count = names_.size();
    if (count < 2) return {};
    std::string order = IntToStr(static_cast<long long>(count));
    for (size_t i = 1; i < count; ++i) order += "," + IntToStr(static_cast<long long>(i));
    const std::string text = "Reihenfolge=" + order + " setzt " + Listed(count, names_[count - 1]->Caption()) +
                             " an die erste Stelle, dann ";
    if (count > 4) return text + "folgen Nr. 1 bis Nr. " + IntToStr(static_cast<long long>(count) - 1) + " wie gelistet.";
    std::string rest;
    for (size_t i = 1; i < count; ++i)
        rest += (i == 1 ? "" : i + 1 == count ? " und " : ", ") + Listed(i, names_[i - 1]->Caption());
    return text + (count == 2 ? "folgt " : "folgen ") + rest + ".";
}

std::vector<std::string> TfrmKonflikt::Notes() {
    const std::string group = Form && GrNr > 0 ? Get(Form->Gruppe, Gruppe_Bez, GrNr, true) : std::string();
    std::vector<std::string> notes{"Die Wertungsregeln trennen diese Teilnehmer" +
                                       (group.empty() ? std::string() : " der Gruppe " + group) +
                                       " nicht alle voneinander.",
                                   "„Reihenfolge“ nennt ihre Nummern (Nr.) vom ersten Platz an; sie gilt für Tabelle "
                                   "und Platzhalter:"};
    if (const std::string example = OrderExample(); !example.empty()) notes.push_back(example);
    if (Importiert) {
        notes.push_back("Der Konflikt kommt aus dem Import: so zu lösen wie im Marovelkandis, der die Datei "
                        "exportiert hat.");
        notes.push_back("Der Import vergleicht die Namen der Teilnehmer, die die Datei nennt, und nimmt kein "
                        "Ergebnis anderer an.");
    }
    return notes;
}

bool TfrmKonflikt::CheckOk() {
    order_ = ReadOrder(Edit1.Text(), rows_.size());
    if (order_.empty() && !rows_.empty()) {
        ShowMsg(3, "Bitte jede Platznummer von 1 bis " + IntToStr(static_cast<long long>(rows_.size())) +
                       " genau einmal angeben, z.B. 2,1");
        return false;
    }
    return true;
}

void TfrmKonflikt::AcceptOk() {
    TSortGrid& platz = Form->Platz;
    std::vector<std::vector<std::string>> cells;
    for (int r : rows_) {
        cells.emplace_back();
        for (int c = 0; c < platz.ColCount(); ++c) cells.back().push_back(Get(platz, c, r, true));
    }
    for (size_t i = 0; i < rows_.size(); ++i) {
        const std::vector<std::string>& from = cells[static_cast<size_t>(order_[i] - 1)];
        for (int c = 0; c < platz.ColCount(); ++c) Put(platz, c, rows_[i], from[static_cast<size_t>(c)], true);
    }
}
