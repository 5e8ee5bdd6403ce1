#include "engine/Spielzeiten.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>
#include <utility>

#include "foundation/Accessors.h"
#include "foundation/ClockTime.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/Settings.h"
#include "foundation/MainForm.h"

namespace {

bool AddFieldItem(TStrings& fields, const std::string& item) {
    const size_t dash = item.find('-');
    if (dash == std::string::npos) {
        if (ToInt(item) < 1) return false;
        fields.Add(item);
        return fields.Count() <= kMaxFelder;
    }
    const std::string from = item.substr(0, dash), to = item.substr(dash + 1);
    const int a = ToInt(from), b = ToInt(to);
    if (from.empty() || to.empty() || a >= b) return false;
    if (static_cast<long long>(b) - a + 1 + fields.Count() > kMaxFelder) return false;
    for (long long f = a; f <= b; ++f) fields.Add(IntToStr(f));  // wide: b may be the largest int
    return true;
}

// The unused pairs of one group in order: finding the next one skips every pair already taken
// at once, so that the packing never walks the used ones again.
class UnusedPairs {
public:
    explicit UnusedPairs(size_t count) : next_(count + 1) { std::iota(next_.begin(), next_.end(), size_t{0}); }
    size_t End() const { return next_.size() - 1; }
    // The first unused pair at or after i (End() when none).
    size_t From(size_t i) {
        size_t root = i;
        while (next_[root] != root) root = next_[root];
        while (next_[i] != root) i = std::exchange(next_[i], root);
        return root;
    }
    void Take(size_t i) { next_[i] = i + 1; }

private:
    std::vector<size_t> next_;
};

class SlotPacker {
public:
    SlotPacker(const std::vector<GroupPairs>& groups, int fields) : groups_(groups), fields_(fields) {
        for (const GroupPairs& g : groups) {
            unused_.emplace_back(g.pairs.size());
            left_ += g.pairs.size();
        }
        resume_.assign(groups.size(), Resume{});
    }

    std::vector<SlotEntry> Pack() {
        size_t g = 0;
        bool passWithoutPair = false;
        while (left_ > 0) {
            if (Visit(g)) passWithoutPair = false;
            if (static_cast<int>(slot_.size()) == fields_) {
                CloseSlot(false);
                passWithoutPair = false;
            }
            if (++g < groups_.size()) continue;
            g = 0;
            if (!passWithoutPair) {
                passWithoutPair = true;
                continue;
            }
            // A pair that fits no slot at all (a participant against itself) would loop for ever.
            if (slot_.empty()) break;
            CloseSlot(true);
            passWithoutPair = false;
        }
        CloseSlot(false);
        return std::move(out_);
    }

private:
    bool Fits(const std::pair<int, int>& p) const {
        return p.first != p.second && !inSlot_.count(p.first) && !inSlot_.count(p.second);
    }

    // Takes the group's first unused pair that fits into the open slot. While a slot fills, its
    // participants only grow in number, so a pair passed over stays unfit until the slot closes:
    // the search goes on behind the group's last pair of this slot.
    bool Visit(size_t g) {
        UnusedPairs& unused = unused_[g];
        const auto& pairs = groups_[g].pairs;
        Resume& resume = resume_[g];
        const size_t from = resume.slot == slotNumber_ ? resume.next : 0;
        for (size_t i = unused.From(from); i < unused.End(); i = unused.From(i + 1)) {
            if (!Fits(pairs[i])) continue;
            resume = {slotNumber_, i + 1};
            unused.Take(i);
            --left_;
            inSlot_.insert(pairs[i].first);
            inSlot_.insert(pairs[i].second);
            SlotEntry e;
            e.idle = false;
            e.groupIndex = static_cast<int>(g);
            e.pairIndex = static_cast<int>(i);
            e.group = groups_[g].group;
            e.first = pairs[i].first;
            e.second = pairs[i].second;
            slot_.push_back(e);
            return true;
        }
        return false;
    }

    void CloseSlot(bool fillIdle) {
        out_.insert(out_.end(), slot_.begin(), slot_.end());
        if (fillIdle) out_.resize(out_.size() + static_cast<size_t>(fields_) - slot_.size());
        slot_.clear();
        inSlot_.clear();
        ++slotNumber_;
    }

    const std::vector<GroupPairs>& groups_;
    const int fields_;
    struct Resume {
        size_t slot = 0, next = 0;
    };
    std::vector<UnusedPairs> unused_;
    std::vector<Resume> resume_;  // where each group's search goes on in the open slot
    size_t slotNumber_ = 1;
    size_t left_ = 0;
    std::vector<SlotEntry> slot_;
    std::unordered_set<int> inSlot_;
    std::vector<SlotEntry> out_;
};

struct Timed {
    std::string field;
    long long start;
    int end;
    long long day;
};

// Takes the whole days off a minute value of a day or more; a smaller one (negative included)
// stays. Wide, because game length and pause are typed in freely and may be absurdly large.
long long TakeDays(long long& minutes) {
    if (minutes < kMinutesPerDay) return 0;
    const long long days = minutes / kMinutesPerDay;
    minutes %= kMinutesPerDay;
    return days;
}

int EndOf(long long start, int duration) { return NormalizeMinutes(static_cast<int>((start + duration) % kMinutesPerDay)); }

std::string ClockOf(long long minutes) { return MinutesToTime(static_cast<int>(minutes % kMinutesPerDay)); }

// Start, end, day and field of every position: the slots follow each other at game length plus
// pause, running over midnight into the next day. A start of "24:00" is midnight of the next day.
std::vector<Timed> TimePositions(const TStrings& fields, size_t count, const RoundTiming& timing) {
    std::vector<Timed> out;
    out.reserve(count);
    long long start = timing.start;
    long long day = timing.day + TakeDays(start);
    int f = 0;
    for (size_t i = 0; i < count; ++i) {
        out.push_back({ListGet(fields, f), start, EndOf(start, timing.duration), day});
        if (++f < fields.Count()) continue;
        f = 0;
        start += static_cast<long long>(timing.duration) + timing.pause;
        day += TakeDays(start);
    }
    return out;
}

void WriteTempRows(TSortGrid& temp, const std::vector<SlotEntry>& entries, const std::vector<Timed>& times) {
    for (size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const SlotEntry& e = entries[i];
        if (!e.idle) {
            Put(temp, 0, row, e.group, true);
            Put(temp, 1, row, e.first, true);
            Put(temp, 2, row, e.second, true);
        }
        const Timed& t = times[i];
        Put(temp, 3, row, t.field, true);
        Put(temp, 4, row, IntToStr(t.start), true);
        Put(temp, 5, row, t.end, true);
        Put(temp, 6, row, IntToStr(t.day), true);
        Put(temp, 7, row, ClockOf(t.start), true);
        Put(temp, 8, row, MinutesToTime(t.end), true);
        Put(temp, 9, row, "0", true);
    }
    temp.SetRowCount(std::max(2, static_cast<int>(entries.size()) + 1));
}

void WriteGame(TMainForm& form, int row, const SlotEntry& e, const Timed& t, bool timed) {
    TSortGrid& plan = form.Spielplan;
    Put(plan, 0, row, form.AktTurNr, true);
    Put(plan, 1, row, TabelleSpielplan, true);
    Put(plan, Spielplan_GrNr, row, e.group, true);
    Put(plan, Spielplan_T1, row, e.first, true);
    Put(plan, Spielplan_T2, row, e.second, true);
    Put(plan, Spielplan_Feld, row, t.field, true);
    Put(plan, Spielplan_Schir, row, "0", true);
    Put(plan, Spielplan_Von, row, timed ? ClockOf(t.start) : "", true);
    Put(plan, Spielplan_Bis, row, timed ? MinutesToTime(t.end) : "", true);
    Put(plan, Spielplan_Tag, row, IntToStr(t.day), true);
    Put(plan, Spielplan_Status, row, "", true);
    Put(plan, Spielplan_SpNr, row, row, true);
    Put(plan, Spielplan_RNr, row, form.AnzRunden + 1, true);
}

// The next round starts after the last game plus the pause between rounds, on the day that game
// ends: a game that runs past midnight ends on the day after its start day.
void ProposeNextRound(TMainForm& form, int lastRow) {
    const TSortGrid& plan = form.Spielplan;
    const int start = TimeToMinutes(Get(plan, Spielplan_Von, lastRow, true));
    const int end = TimeToMinutes(Get(plan, Spielplan_Bis, lastRow, true));
    long long next = end + static_cast<long long>(ToInt(GetSetting(form, "Rundenpause", "0")));
    long long day = IntGet(plan, Spielplan_Tag, lastRow, true) + (end < start ? 1 : 0);
    day += TakeDays(next);
    SetSetting(form, "AktSpieltag", IntToStr(day));
    SetSetting(form, "AktUhrzeit", ClockOf(next));
}

void MarkPairsUsed(TSortGrid& pairTable, const std::vector<SlotEntry>& entries) {
    for (const SlotEntry& e : entries)
        if (!e.idle) Put(pairTable, 3 * e.groupIndex, e.pairIndex + 1, "", true);
}

}  // namespace

bool parseFeldListe(TMainForm& form, const std::string& text) {
    TStrings& fields = form.XTempList.Items;
    fields.Clear();
    if (text.empty()) return false;
    std::string rest = text + ",";
    for (size_t comma; (comma = rest.find(',')) != std::string::npos; rest.erase(0, comma + 1))
        if (!AddFieldItem(fields, rest.substr(0, comma))) return false;
    return true;
}

std::vector<SlotEntry> PackSlots(const std::vector<GroupPairs>& groups, int fields) {
    if (fields < 1 || groups.empty()) return {};
    return SlotPacker(groups, fields).Pack();
}

void LayOutRound(TMainForm& form, const std::vector<GroupPairs>& groups, const RoundTiming& timing) {
    const int fields = form.XTempList.Items.Count();
    const std::vector<SlotEntry> entries = PackSlots(groups, fields);
    MarkPairsUsed(form.Schiris, entries);
    const std::vector<Timed> times = TimePositions(form.XTempList.Items, entries.size(), timing);
    WriteTempRows(form.Temp, entries, times);

    TSortGrid& plan = form.Spielplan;
    int n = plan.RowCount() - 1 + (IntGet(plan, 0, 1, true) > 0 ? 1 : 0);
    const bool timed = form.XZeitSpiele.Checked();
    for (size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].idle) WriteGame(form, n++, entries[i], times[i], timed);
    if (n <= 1) return;
    plan.SetRowCount(n);
    if (timed) ProposeNextRound(form, n - 1);
}
