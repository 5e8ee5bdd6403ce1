#include "LiteralRanking.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <unordered_map>

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"

namespace {

struct Row {
    int team = 0;
    int group = 0;
    bool named = true;
    double p = 0, m = 0, s = 0, ms = 0, b = 0, mb = 0;
    double SetDiff() const { return std::trunc(s - ms); }
    double BallDiff() const { return std::trunc(b - mb); }
};

enum class Outcome { Keep, Swap, HeadToHeadKeep, HeadToHeadSwap, GoOn };

class Literal {
public:
    Literal(const TMainForm& form, int g, bool plain, const LiteralRankingOptions& options)
        : form_(form), g_(g), plain_(plain), options_(options) {
        football_ = GetSetting(form, "AWertung", "0") == "7";
        direkt_ = GetSetting(form, "WertungDirektVergleich", "false") == "true";
        direktNeu_ = GetSetting(form, "WertungDirektVergleichNeu", "false") == "true";
        // getDirektSieger looks through the whole plan for every pair; one pass here finds the
        // same first game of every pair.
        const TSortGrid& plan = form.Spielplan;
        for (int r = 1; r < plan.RowCount(); ++r) {
            const int group = IntGet(plan, Spielplan_GrNr, r, true);
            const int t1 = IntGet(plan, Spielplan_T1, r, true), t2 = IntGet(plan, Spielplan_T2, r, true);
            const int winner = IntGet(plan, Spielplan_Sieger, r, true);
            memo_.emplace(Key(t1, t2, group), winner);
            memo_.emplace(Key(t2, t1, group), winner);
        }
    }

    Row Read(int r) const {
        const TSortGrid& platz = form_.Platz;
        Row row;
        row.team = IntGet(platz, Platz_TeamNr, r, true);
        row.group = plain_ || row.team < 1 ? 0 : IntGet(form_.Teams, Teams_InGr, row.team, true);
        row.named = !Get(platz, Platz_Team, r, true).empty();
        row.p = ToDouble(Get(platz, Platz_PPkt, r, true));
        row.m = ToDouble(Get(platz, Platz_MPkt, r, true));
        row.s = ToDouble(Get(platz, Platz_PSatz, r, true));
        row.ms = ToDouble(Get(platz, Platz_MSatz, r, true));
        row.b = ToDouble(Get(platz, Platz_PBall, r, true));
        row.mb = ToDouble(Get(platz, Platz_MBall, r, true));
        return row;
    }

    // A above B.
    Outcome Decide(const Row& a, const Row& b, std::vector<std::string>* tied) {
        return football_ ? Football(a, b, tied) : General(a, b, tied);
    }

private:
    static Outcome ByValue(double a, double b) {
        if (a < b) return Outcome::Swap;
        if (a > b) return Outcome::Keep;
        return Outcome::GoOn;
    }

    void Report(const Row& a, const Row& b, std::vector<std::string>* tied) {
        if (!tied) return;
        for (int t : {a.team, b.team})
            if (std::find(tied->begin(), tied->end(), IntToStr(t)) == tied->end()) tied->push_back(IntToStr(t));
    }

    int Direkt(int a, int b, int group) {
        const auto found = memo_.find(Key(a, b, group));
        return found == memo_.end() ? 0 : found->second;
    }

    Outcome HeadToHeadStep(const Row& a, const Row& b, std::vector<std::string>* tied) {
        if (plain_) return Outcome::HeadToHeadKeep;
        if (a.group != b.group) return options_.crossGroupGoesOn ? Outcome::GoOn : Outcome::HeadToHeadKeep;
        const int w = Direkt(a.team, b.team, a.group);
        if (w == b.team) return Outcome::HeadToHeadSwap;
        if (w == a.team) return Outcome::HeadToHeadKeep;
        if (g_ == a.group) Report(a, b, tied);
        return Outcome::HeadToHeadKeep;
    }

    Outcome General(const Row& a, const Row& b, std::vector<std::string>* tied) {
        Outcome o = ByValue(a.p, b.p);
        if (o == Outcome::GoOn) o = ByValue(-a.m, -b.m);
        if (o == Outcome::GoOn) o = ByValue(a.SetDiff(), b.SetDiff());
        if (o == Outcome::GoOn && direkt_) o = HeadToHeadStep(a, b, tied);
        if (o == Outcome::GoOn) o = ByValue(a.s, b.s);
        if (o == Outcome::GoOn) o = ByValue(a.BallDiff(), b.BallDiff());
        if (o == Outcome::GoOn) o = ByValue(a.b, b.b);
        if (o != Outcome::GoOn) return o;
        if (!plain_ && a.group == b.group && g_ == a.group) Report(a, b, tied);
        return Outcome::Keep;
    }

    Outcome Football(const Row& a, const Row& b, std::vector<std::string>* tied) {
        Outcome o = ByValue(a.p, b.p);
        if (o == Outcome::GoOn && direktNeu_) o = HeadToHeadStep(a, b, tied);
        if (o == Outcome::GoOn) o = ByValue(a.SetDiff(), b.SetDiff());
        if (o == Outcome::GoOn && direkt_) o = HeadToHeadStep(a, b, tied);
        if (o == Outcome::GoOn) o = ByValue(a.s, b.s);
        if (o == Outcome::GoOn) o = HeadToHeadStep(a, b, tied);
        return o == Outcome::GoOn ? Outcome::HeadToHeadKeep : o;
    }

    const TMainForm& form_;
    int g_;
    bool plain_;
    LiteralRankingOptions options_;
    bool football_ = false, direkt_ = false, direktNeu_ = false;
    static uint64_t Key(int a, int b, int group) {
        return (static_cast<uint64_t>(static_cast<uint16_t>(group)) << 40) |
               (static_cast<uint64_t>(static_cast<uint32_t>(a) & 0xFFFFF) << 20) | (static_cast<uint32_t>(b) & 0xFFFFF);
    }
    std::unordered_map<uint64_t, int> memo_;
};

bool Overtakes(Literal& literal, const Row& lower, const Row& upper) {
    if (!lower.named) return false;
    const Outcome o = literal.Decide(upper, lower, nullptr);
    return o == Outcome::Swap || o == Outcome::HeadToHeadSwap;
}

}  // namespace

LiteralRankingResult RankLiterally(const TMainForm& form, int g, bool plain, const LiteralRankingOptions& options) {
    Literal literal(form, g, plain, options);
    std::vector<Row> rows(1);  // rows[0] unused: rows count from 1 as in the table
    for (int r = 1; r < form.Platz.RowCount(); ++r) rows.push_back(literal.Read(r));
    LiteralRankingResult result;
    const int last = static_cast<int>(rows.size()) - 1;
    if (last < 2) {
        for (int r = 1; r <= last; ++r) result.teams.push_back(rows[static_cast<size_t>(r)].team);
        return result;
    }
    int i = 1;
    while (i < last) {
        Row& a = rows[static_cast<size_t>(i)];
        Row& b = rows[static_cast<size_t>(i) + 1];
        if (!b.named) {
            ++i;
            continue;
        }
        ++result.compares;
        const Outcome o = literal.Decide(a, b, &result.tied);
        const bool swap = o == Outcome::Swap || o == Outcome::HeadToHeadSwap;
        if (swap) std::swap(a, b);
        if (o == Outcome::Swap || (o == Outcome::HeadToHeadSwap && options.restartAfterHeadToHead)) i = 0;
        const bool counted = o == Outcome::Keep || o == Outcome::Swap || options.restartAfterHeadToHead;
        if (counted && result.compares > options.compareLimit) {
            result.stoppedByLimit = true;
            break;
        }
        ++i;
    }
    for (int r = 1; r <= last; ++r) result.teams.push_back(rows[static_cast<size_t>(r)].team);
    return result;
}

bool OrderIsConsistent(const TMainForm& form, const std::vector<int>& teams, bool plain) {
    Literal literal(form, 0, plain, LiteralRankingOptions{});
    std::vector<Row> rows;
    for (int team : teams) {
        const int r = FindRow(form.Platz, Platz_TeamNr, IntToStr(team));
        if (r < 1) return false;
        rows.push_back(literal.Read(r));
    }
    const size_t n = rows.size();
    std::vector<size_t> run(n, 0);
    for (size_t i = 1; i < n; ++i) {
        const bool level = !Overtakes(literal, rows[i], rows[i - 1]) && !Overtakes(literal, rows[i - 1], rows[i]);
        run[i] = level ? run[i - 1] : run[i - 1] + 1;
    }
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j) {
            const bool up = Overtakes(literal, rows[j], rows[i]), down = Overtakes(literal, rows[i], rows[j]);
            if (run[i] == run[j] ? (up || down) : (up || !down)) return false;
        }
    return true;
}

namespace {

class DirectRule {
public:
    explicit DirectRule(const std::vector<std::vector<char>>& winner) : beat_(winner), tied_(winner.size(), 0) {}

    DirectRuleResult Run() {
        std::vector<int> all;
        for (size_t i = 0; i < beat_.size(); ++i) all.push_back(static_cast<int>(i));
        DirectRuleResult result;
        result.order = Solve(all);
        for (int row : result.order)
            if (tied_[static_cast<size_t>(row)]) result.tied.push_back(row);
        return result;
    }

private:
    bool Beat(int a, int b) const { return beat_[static_cast<size_t>(a)][static_cast<size_t>(b)] != 0; }

    // Rows in table order; every path of results among them alone.
    std::vector<int> Solve(const std::vector<int>& rows) {
        const size_t n = rows.size();
        std::vector<std::vector<char>> reach(n, std::vector<char>(n, 0));
        for (size_t i = 0; i < n; ++i)
            for (size_t j = 0; j < n; ++j) reach[i][j] = i != j && Beat(rows[i], rows[j]);
        for (size_t k = 0; k < n; ++k)
            for (size_t i = 0; i < n; ++i)
                for (size_t j = 0; j < n; ++j) reach[i][j] = reach[i][j] || (reach[i][k] && reach[k][j]);
        for (size_t i = 0; i < n; ++i)
            for (size_t j = 0; j < n; ++j)
                if (i != j && !reach[i][j] && !reach[j][i]) tied_[static_cast<size_t>(rows[i])] = 1;
        std::vector<size_t> left(n);
        for (size_t i = 0; i < n; ++i) left[i] = i;
        std::vector<int> out;
        while (!left.empty()) {
            size_t next = n;
            for (size_t r : left) {
                const bool free = std::none_of(left.begin(), left.end(), [&](size_t q) { return reach[q][r] && !reach[r][q]; });
                if (free) {
                    next = r;
                    break;
                }
            }
            std::vector<size_t> cycle;
            for (size_t q : left)
                if (q == next || (reach[next][q] && reach[q][next])) cycle.push_back(q);
            std::vector<int> members;
            for (size_t q : cycle) members.push_back(rows[q]);
            const std::vector<int> ranked = members.size() == 1 ? members : SolveCycle(members);
            out.insert(out.end(), ranked.begin(), ranked.end());
            std::erase_if(left, [&](size_t q) { return std::find(cycle.begin(), cycle.end(), q) != cycle.end(); });
        }
        return out;
    }

    std::vector<int> SolveCycle(const std::vector<int>& members) {
        std::map<int, std::vector<int>, std::greater<>> byBalance;
        for (int a : members) {
            int balance = 0;
            for (int b : members) balance += (Beat(a, b) ? 1 : 0) - (Beat(b, a) ? 1 : 0);
            byBalance[balance].push_back(a);
        }
        if (byBalance.size() == 1) {
            for (int a : members) tied_[static_cast<size_t>(a)] = 1;
            return members;
        }
        std::vector<int> out;
        for (const auto& [balance, level] : byBalance) {
            const std::vector<int> ranked = Solve(level);
            out.insert(out.end(), ranked.begin(), ranked.end());
        }
        return out;
    }

    const std::vector<std::vector<char>>& beat_;
    std::vector<char> tied_;
};

}  // namespace

DirectRuleResult RankByDirectRule(const std::vector<std::vector<char>>& winner) { return DirectRule(winner).Run(); }
