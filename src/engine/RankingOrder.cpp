#include "engine/RankingOrder.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <queue>
#include <tuple>

#include "engine/LevelRunOrder.h"

double WholeDifference(double plus, double minus) {
    const double difference = plus - minus;
    // Below 2^53 every double is cut exactly by way of a whole number.
    if (std::fabs(difference) < 9.0e15) return static_cast<double>(static_cast<long long>(difference));
    return std::trunc(difference);
}

bool RankChain::HasHeadToHead() const {
    return std::find(steps.begin(), steps.end(), RankStep::HeadToHead) != steps.end();
}

RankChain GeneralChain(bool headToHead) {
    RankChain chain{{RankStep::PointsWon, RankStep::PointsLost, RankStep::SetDiff}};
    if (headToHead) chain.steps.push_back(RankStep::HeadToHead);
    chain.steps.insert(chain.steps.end(), {RankStep::SetsWon, RankStep::BallDiff, RankStep::BallsWon});
    return chain;
}

RankChain FootballChain(bool headToHead, bool headToHeadFirst) {
    RankChain chain{{RankStep::PointsWon}};
    if (headToHeadFirst) chain.steps.push_back(RankStep::HeadToHead);
    chain.steps.push_back(RankStep::SetDiff);
    if (headToHead) chain.steps.push_back(RankStep::HeadToHead);
    chain.steps.insert(chain.steps.end(), {RankStep::SetsWon, RankStep::HeadToHead});
    return chain;
}

namespace {

// Games ordered by group, then by pair (the smaller number first).
bool PairBefore(const HeadToHead::Game& x, const HeadToHead::Game& y) {
    const auto key = [](const HeadToHead::Game& g) { return std::make_tuple(g.group, std::min(g.a, g.b), std::max(g.a, g.b)); };
    return key(x) < key(y);
}

}  // namespace

// Stable: of the games of one pair the first in table order stays. Group numbers are row numbers,
// so the games are first spread by group in one pass.
HeadToHead::HeadToHead(std::vector<Game> games) : games_(std::move(games)) {
    int most = 0;
    bool dense = true;
    for (const Game& game : games_) {
        dense = dense && game.group >= 0 && static_cast<size_t>(game.group) <= 4 * games_.size() + 1024;
        most = std::max(most, game.group);
    }
    if (dense) {
        std::vector<size_t> start(static_cast<size_t>(most) + 2, 0);
        for (const Game& game : games_) ++start[static_cast<size_t>(game.group) + 1];
        for (size_t g = 1; g < start.size(); ++g) start[g] += start[g - 1];
        std::vector<Game> byGroup(games_.size());
        std::vector<size_t> next(start.begin(), start.end() - 1);
        for (const Game& game : games_) byGroup[next[static_cast<size_t>(game.group)]++] = game;
        games_.swap(byGroup);
        for (size_t g = 0; g + 1 < start.size(); ++g) {
            const auto first = games_.begin() + static_cast<std::ptrdiff_t>(start[g]);
            const auto last = games_.begin() + static_cast<std::ptrdiff_t>(start[g + 1]);
            if (last - first > 32) {
                std::stable_sort(first, last, PairBefore);
                continue;
            }
            // The games of a small group, sorted in place.
            for (auto i = first + (first != last); i < last; ++i)
                for (auto j = i; j > first && PairBefore(*j, *(j - 1)); --j) std::iter_swap(j, j - 1);
        }
    } else {
        std::stable_sort(games_.begin(), games_.end(), PairBefore);
    }
    games_.erase(std::unique(games_.begin(), games_.end(),
                             [](const Game& x, const Game& y) { return !PairBefore(x, y) && !PairBefore(y, x); }),
                 games_.end());
}

int HeadToHead::Winner(int a, int b, int group) const {
    const Game wanted{group, a, b, 0};
    const auto found = std::lower_bound(games_.begin(), games_.end(), wanted, PairBefore);
    return found != games_.end() && !PairBefore(wanted, *found) ? found->winner : 0;
}

std::span<const HeadToHead::Game> HeadToHead::GamesOf(int group) const {
    const auto [first, last] = std::equal_range(games_.begin(), games_.end(), Game{group, 0, 0, 0},
                                                [](const Game& x, const Game& y) { return x.group < y.group; });
    return {first, last};
}

namespace {

// The value steps of a chain: those before the first head-to-head step decide every pair; the
// others decide only rows of different groups.
struct ChainParts {
    std::vector<RankStep> before, after, all;
    bool headToHead = false;
};

ChainParts SplitChain(const RankChain& chain) {
    ChainParts parts;
    for (RankStep step : chain.steps) {
        if (step == RankStep::HeadToHead) {
            parts.headToHead = true;
            continue;
        }
        (parts.headToHead ? parts.after : parts.before).push_back(step);
        parts.all.push_back(step);
    }
    return parts;
}

// > 0: a ranks above b, < 0: below, 0: level on these steps.
int CompareOn(const std::vector<RankStep>& steps, const RankRow& a, const RankRow& b) {
    for (RankStep step : steps) {
        const double va = StepValue(a, step), vb = StepValue(b, step);
        if (va != vb) return va > vb ? 1 : -1;
    }
    return 0;
}

// A stable sort that takes the runs already in order as they are: a table that one result has
// changed is sorted in about n compares, any table in O(n log n).
template <typename Less>
void SortKeepingRuns(std::vector<int>& items, Less less) {
    std::vector<size_t> bounds{0};
    for (size_t i = 1; i < items.size(); ++i)
        if (less(items[i], items[i - 1])) bounds.push_back(i);
    bounds.push_back(items.size());
    std::vector<int> buffer(items.size());
    while (bounds.size() > 2) {
        std::vector<size_t> merged{0};
        for (size_t b = 0; b + 1 < bounds.size(); b += 2) {
            const auto first = items.begin() + static_cast<std::ptrdiff_t>(bounds[b]);
            const auto middle = items.begin() + static_cast<std::ptrdiff_t>(bounds[b + 1]);
            const size_t end = b + 2 < bounds.size() ? bounds[b + 2] : bounds[b + 1];
            const auto last = items.begin() + static_cast<std::ptrdiff_t>(end);
            std::merge(first, middle, middle, last, buffer.begin() + static_cast<std::ptrdiff_t>(bounds[b]), less);
            merged.push_back(end);
        }
        items.swap(buffer);
        bounds.swap(merged);
    }
}

class Ranker {
public:
    Ranker(const std::vector<RankRow>& rows, const RankChain& chain, bool plain, int collectGroup,
           const HeadToHeadSource& source)
        : rows_(rows), parts_(SplitChain(chain)), plain_(plain), collect_(plain ? 0 : collectGroup), source_(source) {
        usesHeadToHead_ = parts_.headToHead && !plain_;
        // With plain the chain stops where head-to-head would start; without head-to-head the
        // whole chain decides every pair.
        key_ = plain_ || parts_.headToHead ? parts_.before : parts_.all;
        keys_ = KeyTable(key_);
        if (usesHeadToHead_) afterKeys_ = KeyTable(parts_.after);
        tied_.assign(rows_.size(), false);
    }

    RankResult Run() {
        std::vector<std::vector<int>> segments = Segments();
        for (std::vector<int>& segment : segments)
            SortKeepingRuns(segment, [this](int a, int b) { return CompareKeys(keys_, key_.size(), a, b) > 0; });
        // The key alone decides when neither head-to-head nor ties are asked for.
        if (!usesHeadToHead_ && collect_ <= 0) {
            RankResult result;
            result.order.reserve(rows_.size());
            for (size_t s = 0; s < segments.size(); ++s) {
                if (s > 0) result.order.push_back(absent_[s - 1]);
                result.order.insert(result.order.end(), segments[s].begin(), segments[s].end());
            }
            return result;
        }
        std::vector<std::vector<std::vector<int>>> blocks(segments.size());
        for (size_t s = 0; s < segments.size(); ++s) blocks[s] = LevelRuns(segments[s]);
        if (usesHeadToHead_) needed_ = GroupsWithLevelRows(blocks);
        for (auto& segmentBlocks : blocks)
            for (std::vector<int>& block : segmentBlocks) {
                if (usesHeadToHead_) {
                    OrderByHeadToHead(block);
                } else {
                    MarkLevelRows(block);
                }
            }

        RankResult result;
        for (size_t s = 0; s < blocks.size(); ++s) {
            if (s > 0) result.order.push_back(absent_[s - 1]);
            for (const std::vector<int>& block : blocks[s]) result.order.insert(result.order.end(), block.begin(), block.end());
        }
        MarkLevelBelowUnnamed(result.order);
        for (int row : result.order)
            if (tied_[Index(row)]) result.tied.push_back(row);
        return result;
    }

private:
    static size_t Index(int row) { return static_cast<size_t>(row); }
    const RankRow& Row(int i) const { return rows_[Index(i)]; }

    // The values of every row on these steps, row after row, better always larger.
    std::vector<double> KeyTable(const std::vector<RankStep>& steps) const {
        std::vector<double> table(rows_.size() * steps.size());
        double* value = table.data();
        for (const RankRow& row : rows_)
            for (RankStep step : steps) *value++ = StepValue(row, step);
        return table;
    }

    // > 0: a ranks above b, < 0: below, 0: level.
    static int CompareKeys(const std::vector<double>& table, size_t width, int a, int b) {
        const double* x = table.data() + Index(a) * width;
        const double* y = table.data() + Index(b) * width;
        for (size_t i = 0; i < width; ++i)
            if (x[i] != y[i]) return x[i] > y[i] ? 1 : -1;
        return 0;
    }

    const HeadToHead& Games(const HeadToHeadWanted& wanted) {
        if (!loaded_) {
            games_ = source_(wanted);
            loaded_ = true;
        }
        return games_;
    }

    HeadToHeadWanted AllGroups() const {
        HeadToHeadWanted wanted;
        for (const RankRow& row : rows_) wanted.groups.insert(row.group);
        return wanted;
    }

    // Whether the lower row of an adjacent pair goes above the upper one.
    bool Overtakes(int lower, int upper) {
        const RankRow& l = Row(lower);
        const RankRow& u = Row(upper);
        if (!usesHeadToHead_) return CompareOn(key_, l, u) > 0;
        if (l.group != u.group) return CompareOn(parts_.all, l, u) > 0;
        if (const int c = CompareOn(parts_.before, l, u); c != 0) return c > 0;
        return Games(AllGroups()).Winner(l.team, u.team, l.group) == l.team;
    }

    // Rows without a name split the table: rows above one stay above it, and a row from below
    // passes it only when it ranks above it, one such row after the other.
    std::vector<std::vector<int>> Segments() {
        std::vector<std::vector<int>> segments(1);
        segments.front().reserve(rows_.size());
        bool risen = false;
        for (size_t i = 0; i < rows_.size(); ++i) {
            const int row = static_cast<int>(i);
            if (!rows_[i].takesPart) {
                absent_.push_back(row);
                segments.emplace_back();
                continue;
            }
            size_t s = segments.size() - 1;
            while (s > 0 && Overtakes(row, absent_[s - 1])) --s;
            risen = risen || s + 1 < segments.size();
            segments[s].push_back(row);
        }
        // Rows that rose join their segment in table order.
        if (risen)
            for (std::vector<int>& segment : segments) std::sort(segment.begin(), segment.end());
        return segments;
    }

    // Runs of rows level on the key: only head-to-head and, between groups, the rest of the
    // chain can still reorder them.
    std::vector<std::vector<int>> LevelRuns(const std::vector<int>& sorted) {
        std::vector<std::vector<int>> runs;
        for (size_t i = 0; i < sorted.size(); ++i) {
            if (i == 0 || CompareKeys(keys_, key_.size(), sorted[i - 1], sorted[i]) != 0) runs.emplace_back();
            runs.back().push_back(sorted[i]);
        }
        return runs;
    }

    // Groups with two or more rows in one run of level rows: the games among those rows count.
    HeadToHeadWanted GroupsWithLevelRows(const std::vector<std::vector<std::vector<int>>>& blocks) const {
        HeadToHeadWanted wanted;
        for (const auto& segmentBlocks : blocks)
            for (const std::vector<int>& block : segmentBlocks) {
                if (block.size() < 2) continue;
                for (const std::vector<int>& members : ByGroup(block)) {
                    if (members.size() < 2) continue;
                    wanted.groups.insert(Row(members.front()).group);
                    for (int row : members) {
                        const int team = Row(row).team;
                        if (team < 0) continue;
                        if (wanted.teams.size() <= static_cast<size_t>(team)) wanted.teams.resize(static_cast<size_t>(team) + 1, 0);
                        wanted.teams[static_cast<size_t>(team)] = 1;
                    }
                }
            }
        // A row without a name may be level with the row below it: their direct game counts.
        if (collect_ > 0 && std::any_of(absent_.begin(), absent_.end(), [this](int row) { return Row(row).group == collect_; })) {
            wanted.groups.insert(collect_);
            for (const RankRow& row : rows_)
                if (row.group == collect_ && row.team >= 0) {
                    if (wanted.teams.size() <= static_cast<size_t>(row.team)) wanted.teams.resize(static_cast<size_t>(row.team) + 1, 0);
                    wanted.teams[static_cast<size_t>(row.team)] = 1;
                }
        }
        // No team asked for must not read as "any team".
        if (wanted.teams.empty()) wanted.teams.push_back(0);
        return wanted;
    }

    // Without head-to-head, rows level on the whole chain cannot be separated.
    void MarkLevelRows(const std::vector<int>& block) {
        if (collect_ <= 0) return;
        std::vector<int> mine;
        for (int row : block)
            if (Row(row).group == collect_) mine.push_back(row);
        if (mine.size() < 2) return;
        for (int row : mine) tied_[Index(row)] = true;
    }

    // A row without a name never rises, but the row right below it that the chain cannot tell
    // from it is a tie to settle like any other.
    void MarkLevelBelowUnnamed(const std::vector<int>& order) {
        if (collect_ <= 0) return;
        for (size_t i = 0; i + 1 < order.size(); ++i) {
            const RankRow& upper = Row(order[i]);
            const RankRow& lower = Row(order[i + 1]);
            if (upper.takesPart || !lower.takesPart || upper.group != collect_ || lower.group != collect_) continue;
            if (!Level(upper, lower)) continue;
            tied_[Index(order[i])] = true;
            tied_[Index(order[i + 1])] = true;
        }
    }

    // Two rows of one group that the chain leaves level: equal on every value, or equal before
    // head-to-head with no winner between them.
    bool Level(const RankRow& upper, const RankRow& lower) {
        if (!usesHeadToHead_) return CompareOn(key_, upper, lower) == 0;
        if (CompareOn(parts_.before, upper, lower) != 0) return false;
        const int winner = Games(needed_).Winner(upper.team, lower.team, upper.group);
        return winner != upper.team && winner != lower.team;
    }

    // Each group's rows of the block in their order so far.
    std::vector<std::vector<int>> ByGroup(const std::vector<int>& block) const {
        std::vector<std::vector<int>> groups;
        std::vector<int> ids;
        for (int row : block) {
            const auto at = std::find(ids.begin(), ids.end(), Row(row).group);
            if (at == ids.end()) {
                ids.push_back(Row(row).group);
                groups.push_back({row});
            } else {
                groups[static_cast<size_t>(at - ids.begin())].push_back(row);
            }
        }
        return groups;
    }

    // Within a group, level rows are ordered by their direct results.
    void OrderByHeadToHead(std::vector<int>& block) {
        if (block.size() < 2) return;
        std::vector<std::vector<int>> groups = ByGroup(block);
        for (std::vector<int>& members : groups) OrderByDirectResults(members);
        block = groups.size() == 1 ? groups.front() : MergeGroups(groups);
    }

    void OrderByDirectResults(std::vector<int>& members) {
        if (members.size() < 2) return;
        const bool collecting = collect_ > 0 && Row(members.front()).group == collect_;
        const LevelRunOrder run = OrderLevelRun(static_cast<int>(members.size()), DirectWins(members), collecting);
        std::vector<int> ordered;
        ordered.reserve(members.size());
        for (int at : run.order) ordered.push_back(members[static_cast<size_t>(at)]);
        for (size_t i = 0; i < members.size(); ++i)
            if (run.tied[i]) tied_[Index(members[i])] = true;
        members = std::move(ordered);
    }

    // (winner, loser) of every direct game with a winner among the members, by their positions.
    std::vector<std::pair<int, int>> DirectWins(const std::vector<int>& members) {
        const int group = Row(members.front()).group;
        std::vector<std::pair<int, int>> positionOfTeam;  // (team, position), sorted by team
        for (size_t i = 0; i < members.size(); ++i) positionOfTeam.emplace_back(Row(members[i]).team, static_cast<int>(i));
        std::stable_sort(positionOfTeam.begin(), positionOfTeam.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
        auto find = [&positionOfTeam](int team) {
            const auto at = std::lower_bound(positionOfTeam.begin(), positionOfTeam.end(), std::make_pair(team, INT_MIN));
            return at != positionOfTeam.end() && at->first == team ? at->second : -1;
        };
        std::vector<std::pair<int, int>> wins;
        for (const HeadToHead::Game& game : Games(needed_).GamesOf(group)) {
            const int a = find(game.a), b = find(game.b);
            if (a < 0 || b < 0 || a == b) continue;
            if (game.winner == game.a) wins.emplace_back(a, b);
            else if (game.winner == game.b) wins.emplace_back(b, a);
        }
        return wins;
    }

    // Rows of different groups are compared on the rest of the chain; each group keeps its own
    // order, and level rows keep the table's order.
    std::vector<int> MergeGroups(const std::vector<std::vector<int>>& groups) const {
        auto later = [this, &groups](const std::pair<size_t, size_t>& x, const std::pair<size_t, size_t>& y) {
            const int a = groups[x.first][x.second], b = groups[y.first][y.second];
            const int c = CompareKeys(afterKeys_, parts_.after.size(), a, b);
            return c != 0 ? c < 0 : a > b;
        };
        std::priority_queue<std::pair<size_t, size_t>, std::vector<std::pair<size_t, size_t>>, decltype(later)> heads(
            later);
        size_t total = 0;
        for (size_t g = 0; g < groups.size(); ++g) {
            heads.emplace(g, 0);
            total += groups[g].size();
        }
        std::vector<int> merged;
        merged.reserve(total);
        while (!heads.empty()) {
            const auto [g, i] = heads.top();
            heads.pop();
            merged.push_back(groups[g][i]);
            if (i + 1 < groups[g].size()) heads.emplace(g, i + 1);
        }
        return merged;
    }

    const std::vector<RankRow>& rows_;
    ChainParts parts_;
    bool plain_;
    int collect_;
    const HeadToHeadSource& source_;
    bool usesHeadToHead_ = false;
    std::vector<RankStep> key_;
    std::vector<double> keys_, afterKeys_;
    std::vector<int> absent_;
    HeadToHeadWanted needed_;
    std::vector<bool> tied_;
    HeadToHead games_;
    bool loaded_ = false;
};

}  // namespace


RankResult RankRows(const std::vector<RankRow>& rows, const RankChain& chain, bool plain, int collectGroup,
                    const HeadToHeadSource& headToHead) {
    return Ranker(rows, chain, plain, collectGroup, headToHead).Run();
}

std::vector<int> RankByValues(const std::vector<RankRow>& rows, const RankChain& chain) {
    const ChainParts parts = SplitChain(chain);
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return CompareOn(parts.all, rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)]) > 0;
    });
    return order;
}
