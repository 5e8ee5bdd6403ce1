#include "engine/RundenWertung.h"

#include <string>

#include "dialogs/Dialogs.h"
#include "engine/RundenBaum.h"
#include "foundation/Accessors.h"
#include "foundation/Busy.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Tables.h"
#include "foundation/Texts.h"

namespace {

struct Scoring {
    std::string p1, p2, p3, p4, carriedOver;
};

// The first points field that holds no number, by its label; empty when all do.
std::string NoNumber(const std::initializer_list<std::pair<const char*, const TEdit*>> fields) {
    for (const auto& [label, edit] : fields) {
        double value = 0;
        if (!TryTextToDouble(edit->Text(), value) || value < 0) return label;
    }
    return {};
}

bool ReadScoring(const TMainForm& form, Scoring& scoring) {
    std::string wrong;
    if (form.RadioButton1.Checked()) {
        wrong = NoNumber({{"Pro Sieg:", &form.umEdit1}, {"Unentschieden:", &form.umEdit2}});
        scoring.p1 = form.umEdit1.Text();
        scoring.p2 = form.umEdit2.Text();
    } else if (form.RadioButton2.Checked()) {
        wrong = NoNumber({{"Pro Satz", &form.umEdit3}, {"Ballgleichstand", &form.umEdit4}});
        scoring.p3 = form.umEdit3.Text();
        scoring.p4 = form.umEdit4.Text();
    }
    if (!wrong.empty()) {
        ShowMsg(3, "Bitte bei „" + wrong + "“ eine Zahl ab 0 eingeben");
        return false;
    }
    scoring.carriedOver = form.CheckBox2.Checked() ? "1" : "0";
    return true;
}

void WriteScoring(TSortGrid& gruppe, int row, const Scoring& scoring) {
    Put(gruppe, Gruppe_P1, row, scoring.p1, true);
    Put(gruppe, Gruppe_P2, row, scoring.p2, true);
    Put(gruppe, Gruppe_P3, row, scoring.p3, true);
    Put(gruppe, Gruppe_P4, row, scoring.p4, true);
    Put(gruppe, Gruppe_ErgUE, row, scoring.carriedOver, true);
}

void ChooseNoChange(TMainForm& form) {
    form.RadioButton18.SetChecked(false);
    form.RadioButton19.SetChecked(false);
    form.RadioButton20.SetChecked(true);
}

}  // namespace

void GruppenWertung(TMainForm& form) {
    Log("[F] IAeverButton9Click(): Gruppen- / Rundenwertung aendern");
    if (RefuseWhileBusy(form)) return;
    const RoundTreeSelection s = SelectedInRoundTree(form);
    const bool round = form.RadioButton4.Checked(), group = form.RadioButton5.Checked();
    // A round node offers no group: its number is a round's.
    if (!s.node || (!round && !group) || (group && s.group == 0)) return;
    Scoring scoring;
    if (!ReadScoring(form, scoring)) return;
    TSortGrid& gruppe = form.Gruppe;
    if (round) {
        for (int row = 1; row < gruppe.RowCount(); ++row)
            if (!gruppe.Cells(0, row).empty() && IntGet(gruppe, Gruppe_RNr, row, true) == s.round)
                WriteScoring(gruppe, row, scoring);
    } else if (const int row = FindRow(gruppe, Gruppe_GrNr, IntToStr(s.group)); row > 0) {
        WriteScoring(gruppe, row, scoring);
    }
    setTurChanged(form, true);
}

void SpielzeitenAendern(TMainForm& form) {
    if (!form.XZeitSpiele.Checked()) return;
    Log("[F] IAeverButton3Click(): Gruppen- / Rundenaenderungen (Spielzeit/-dauer)");
    if (RefuseWhileBusy(form)) return;
    const bool shift = form.RadioButton18.Checked(), length = form.RadioButton19.Checked();
    if ((shift && !MinutenGueltig(form.umValidEdit5.Text())) || (length && !MinutenGueltig(form.umValidEdit7.Text()))) {
        ShowMsg(1, lngText(362));
        return;
    }
    const RoundTreeSelection s = SelectedInRoundTree(form);
    const bool forGroup = form.RadioButton8.Checked();
    if ((shift || length) && s.node && (!forGroup || s.group > 0)) {
        TfrmOptionen& options = DialogsOf(form).frmOptionen;
        options.Form = &form;
        options.Verschieben.SetChecked(shift);
        options.DauerAendern.SetChecked(!shift);
        (shift ? options.Verschiebung : options.Dauer).SetText((shift ? form.umValidEdit5 : form.umValidEdit7).Text());
        const std::string problem = forGroup ? options.SpielzeitAendern(s.group, 0) : options.SpielzeitAendern(0, s.round);
        if (problem.empty()) {
            setTurChanged(form, true);
            form.DoPlan(form.XPlan2, 0, 0, nullptr);
            ShowMsg(1, lngText(364));
        } else {
            ShowMsg(3, problem);
        }
    }
    ChooseNoChange(form);
}
