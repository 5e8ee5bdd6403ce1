#include "dialogs/optionen.h"

#include <vector>

#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/Texts.h"

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

}  // namespace

bool MinutenGueltig(const std::string& text) {
    const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == digits || text.size() > digits + 3) return false;
    if (text.find_first_not_of("0123456789", digits) != std::string::npos) return false;
    const int minutes = ToInt(text);
    return minutes >= -kMaxMinuten && minutes <= kMaxMinuten;
}

TfrmOptionen::TfrmOptionen() {
    SetCaption("Optionen");
    Verschieben.SetCaption("Alle Zeiten verschieben um");
    DauerAendern.SetCaption("Spieldauer verändern um");
    Verschiebung.SetText("10");
    Dauer.SetText("10");
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
    return {OptionField("Zeiten", {{Verschieben.Caption(), &Verschieben}, {DauerAendern.Caption(), &DauerAendern}}),
            TextField("Verschiebung", Verschiebung), TextField("Spieldauer", Dauer)};
}
