#include "engine/LevelRunOrder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <queue>

namespace {

using Edges = std::vector<std::vector<int>>;

// The cycles of the results: each row's component, numbered so that a component's number is
// below that of every component it beat (Tarjan's algorithm, without recursion so that a long
// chain of results cannot exhaust the stack).
struct Components {
    std::vector<int> of;  // by row
    int count = 0;
};

Components FindCycles(const Edges& beats) {
    const int n = static_cast<int>(beats.size());
    Components c;
    c.of.assign(static_cast<size_t>(n), -1);
    std::vector<int> index(static_cast<size_t>(n), -1), low(static_cast<size_t>(n), 0), stack;
    std::vector<char> onStack(static_cast<size_t>(n), 0);
    int next = 0;
    for (int root = 0; root < n; ++root) {
        if (index[static_cast<size_t>(root)] >= 0) continue;
        std::vector<std::pair<int, size_t>> path{{root, 0}};
        index[static_cast<size_t>(root)] = low[static_cast<size_t>(root)] = next++;
        stack.push_back(root);
        onStack[static_cast<size_t>(root)] = 1;
        while (!path.empty()) {
            auto& [v, edge] = path.back();
            const auto vi = static_cast<size_t>(v);
            if (edge < beats[vi].size()) {
                const int w = beats[vi][edge++];
                const auto wi = static_cast<size_t>(w);
                if (index[wi] < 0) {
                    index[wi] = low[wi] = next++;
                    stack.push_back(w);
                    onStack[wi] = 1;
                    path.emplace_back(w, 0);
                } else if (onStack[wi]) {
                    low[vi] = std::min(low[vi], index[wi]);
                }
                continue;
            }
            if (low[vi] == index[vi]) {
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[static_cast<size_t>(w)] = 0;
                    c.of[static_cast<size_t>(w)] = c.count;
                } while (w != v);
                ++c.count;
            }
            const int done = v;
            path.pop_back();
            if (!path.empty()) {
                const auto parent = static_cast<size_t>(path.back().first);
                low[parent] = std::min(low[parent], low[static_cast<size_t>(done)]);
            }
        }
    }
    // Tarjan closes a component only after every component it reaches: reverse the numbers.
    for (int& component : c.of) component = c.count - 1 - component;
    return c;
}

class RunOrder {
public:
    RunOrder(int count, const std::vector<std::pair<int, int>>& beat, bool withTies)
        : beat_(beat), withTies_(withTies) {
        result_.tied.assign(static_cast<size_t>(count), 0);
    }

    LevelRunOrder Run(int count) {
        std::vector<int> rows(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) rows[static_cast<size_t>(i)] = i;
        Order(rows);
        result_.order = std::move(rows);
        return std::move(result_);
    }

private:
    // The results among these rows, by their place in `rows`.
    Edges Among(const std::vector<int>& rows) const {
        std::vector<int> local(result_.tied.size(), -1);
        for (size_t i = 0; i < rows.size(); ++i) local[static_cast<size_t>(rows[i])] = static_cast<int>(i);
        Edges beats(rows.size());
        for (const auto& [winner, loser] : beat_) {
            const int w = local[static_cast<size_t>(winner)], l = local[static_cast<size_t>(loser)];
            if (w >= 0 && l >= 0 && w != l) beats[static_cast<size_t>(w)].push_back(l);
        }
        return beats;
    }

    // Orders rows (given in table order) in place.
    void Order(std::vector<int>& rows) {
        if (rows.size() < 2) return;
        const Edges beats = Among(rows);
        const Components c = FindCycles(beats);
        std::vector<std::vector<int>> members(static_cast<size_t>(c.count));
        for (size_t i = 0; i < rows.size(); ++i) members[static_cast<size_t>(c.of[i])].push_back(static_cast<int>(i));
        if (withTies_) MarkIncomparable(rows, beats, c, members);
        std::vector<int> ordered;
        for (int component : Topological(beats, c, members)) {
            std::vector<int> group;
            for (int i : members[static_cast<size_t>(component)]) group.push_back(rows[static_cast<size_t>(i)]);
            if (group.size() > 1) OrderCycle(group);
            ordered.insert(ordered.end(), group.begin(), group.end());
        }
        rows = std::move(ordered);
    }

    // Components in an order that puts every winner above its loser; of the components free to
    // go next, the one whose first row stands first in the table goes.
    static std::vector<int> Topological(const Edges& beats, const Components& c, const std::vector<std::vector<int>>& members) {
        std::vector<std::vector<int>> after(static_cast<size_t>(c.count));
        std::vector<int> waiting(static_cast<size_t>(c.count), 0);
        for (size_t v = 0; v < beats.size(); ++v)
            for (int w : beats[v]) {
                const int from = c.of[v], to = c.of[static_cast<size_t>(w)];
                if (from == to) continue;
                after[static_cast<size_t>(from)].push_back(to);
                ++waiting[static_cast<size_t>(to)];
            }
        const auto first = [&members](int component) { return members[static_cast<size_t>(component)].front(); };
        std::priority_queue<std::pair<int, int>, std::vector<std::pair<int, int>>, std::greater<>> ready;
        for (int k = 0; k < c.count; ++k)
            if (waiting[static_cast<size_t>(k)] == 0) ready.emplace(first(k), k);
        std::vector<int> order;
        while (!ready.empty()) {
            const int k = ready.top().second;
            ready.pop();
            order.push_back(k);
            for (int next : after[static_cast<size_t>(k)])
                if (--waiting[static_cast<size_t>(next)] == 0) ready.emplace(first(next), next);
        }
        return order;
    }

    // A row is tied when some other row neither stands above it nor below it by the results,
    // directly or through others. Components are numbered winners first, so one pass down the
    // numbers finds all that a component stands above, and one pass up all that stand above it;
    // 64 components at a time, so that the memory stays that of the run.
    void MarkIncomparable(const std::vector<int>& rows, const Edges& beats, const Components& c,
                          const std::vector<std::vector<int>>& members) {
        const int k = c.count;
        std::vector<std::vector<int>> below(static_cast<size_t>(k));
        for (size_t v = 0; v < beats.size(); ++v)
            for (int w : beats[v])
                if (c.of[v] != c.of[static_cast<size_t>(w)]) below[static_cast<size_t>(c.of[v])].push_back(c.of[static_cast<size_t>(w)]);
        for (int first = 0; first < k; first += 64) {
            const int last = std::min(k, first + 64);
            std::vector<uint64_t> down(static_cast<size_t>(k), 0), up(static_cast<size_t>(k), 0);
            for (int x = first; x < last; ++x)
                down[static_cast<size_t>(x)] = up[static_cast<size_t>(x)] = uint64_t{1} << (x - first);
            for (int x = first; x < k; ++x)
                for (int y : below[static_cast<size_t>(x)]) down[static_cast<size_t>(y)] |= down[static_cast<size_t>(x)];
            for (int x = last - 1; x >= 0; --x)
                for (int y : below[static_cast<size_t>(x)]) up[static_cast<size_t>(x)] |= up[static_cast<size_t>(y)];
            std::vector<size_t> ordered(static_cast<size_t>(last - first), 0);
            for (size_t y = 0; y < down.size(); ++y)
                for (uint64_t m = down[y] | up[y]; m != 0; m &= m - 1)
                    ordered[static_cast<size_t>(std::countr_zero(m))] += members[y].size();
            for (int x = first; x < last; ++x) {
                if (ordered[static_cast<size_t>(x - first)] == rows.size()) continue;
                for (int i : members[static_cast<size_t>(x)]) result_.tied[static_cast<size_t>(rows[static_cast<size_t>(i)])] = 1;
            }
        }
    }

    // Rows of a cycle: wins minus defeats among them; rows with the same balance are ordered
    // anew among themselves. A cycle whose rows all have one balance stays in table order, tied.
    void OrderCycle(std::vector<int>& rows) {
        const Edges beats = Among(rows);
        std::vector<int> balance(rows.size(), 0);
        for (size_t v = 0; v < beats.size(); ++v)
            for (int w : beats[v]) {
                ++balance[v];
                --balance[static_cast<size_t>(w)];
            }
        std::vector<size_t> at(rows.size());
        for (size_t i = 0; i < at.size(); ++i) at[i] = i;
        std::stable_sort(at.begin(), at.end(), [&balance](size_t a, size_t b) { return balance[a] > balance[b]; });
        if (balance[at.front()] == balance[at.back()]) {
            if (withTies_)
                for (int row : rows) result_.tied[static_cast<size_t>(row)] = 1;
            return;
        }
        std::vector<int> ordered;
        for (size_t i = 0; i < at.size();) {
            std::vector<int> level;
            const int value = balance[at[i]];
            for (; i < at.size() && balance[at[i]] == value; ++i) level.push_back(rows[at[i]]);
            Order(level);
            ordered.insert(ordered.end(), level.begin(), level.end());
        }
        rows = std::move(ordered);
    }

    const std::vector<std::pair<int, int>>& beat_;
    bool withTies_;
    LevelRunOrder result_;
};

}  // namespace

LevelRunOrder OrderLevelRun(int count, const std::vector<std::pair<int, int>>& beat, bool withTies) {
    return RunOrder(count, beat, withTies).Run(std::max(count, 0));
}
