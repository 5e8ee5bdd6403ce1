#include "foundation/ColumnIndex.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <type_traits>
#include <utility>

#include "foundation/Conversions.h"
#include "foundation/SortGrid.h"

namespace {

const std::vector<int> kNoRows;

int NumberKey(const TSortGrid& grid, int column, int row) {
    const std::string& text = grid.Cells(column, row);
    return text.empty() ? 0 : ToInt(text);
}

template <typename Key>
Key KeyOf(const TSortGrid& grid, int column, int row) {
    if constexpr (std::is_same_v<Key, int>)
        return NumberKey(grid, column, row);
    else
        return grid.Cells(column, row);
}

// A row of the key's rows (ascending) is now another one.
void Replace(std::vector<int>& rows, int from, int to) {
    if (rows.size() == 1) {
        rows.front() = to;
        return;
    }
    if (const auto at = std::find(rows.begin(), rows.end(), from); at != rows.end()) rows.erase(at);
    rows.insert(std::lower_bound(rows.begin(), rows.end(), to), to);
}

// The place of a key in a table by value: a whole number written plainly, without sign or
// leading zero (so that each text has its own place), below `end`.
bool FlatPlace(int key, size_t end, size_t& place) {
    if (key < 0 || static_cast<size_t>(key) >= end) return false;
    place = static_cast<size_t>(key);
    return true;
}

bool FlatPlace(const std::string& key, size_t end, size_t& place) {
    if (key.empty() || key.size() > 9 || (key[0] == '0' && key.size() > 1)) return false;
    size_t value = 0;
    for (char c : key) {
        const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(c)) - '0';
        if (digit > 9) return false;
        value = value * 10 + digit;
    }
    if (value >= end) return false;
    place = value;
    return true;
}

}  // namespace

template <typename Key>
int ColumnIndexes::Index<Key>::Find(const Key& key) const {
    if (size_t place = 0; FlatPlace(key, flatEnd, place)) return place < numbered.size() ? numbered[place] : -1;
    const auto found = keys.find(key);
    return found == keys.end() ? -1 : found->second;
}

template <typename Key>
std::pair<int, bool> ColumnIndexes::Index<Key>::Add(const Key& key, int next, size_t rows) {
    if (size_t place = 0; FlatPlace(key, flatEnd, place)) {
        if (place >= numbered.size()) numbered.resize(place + 1, -1);
        if (numbered[place] >= 0) return {numbered[place], false};
        numbered[place] = next;
        return {next, true};
    }
    if (keys.empty()) keys.reserve(rows);
    const auto [at, added] = keys.emplace(key, next);
    return {at->second, added};
}

template <typename Key>
ColumnIndexes::Index<Key>& ColumnIndexes::Of(std::vector<Index<Key>>& indexes, int column) {
    for (Index<Key>& index : indexes)
        if (index.column == column) return index;
    Index<Key>& index = indexes.emplace_back();
    index.column = column;
    return index;
}

template <typename Key>
bool ColumnIndexes::Ready(Index<Key>& index, const TSortGrid& grid) {
    const std::uint64_t now = grid.ColumnChanges(index.column);
    if (index.stamp != now) {
        index.stamp = now;
        index.built = false;
        index.unique = false;
        index.numbered.clear();
        index.keys.clear();
        index.keyOfRow.clear();
        index.rowsOfKey.clear();
        return false;
    }
    if (index.built) return true;
    const size_t rows = static_cast<size_t>(std::max(grid.RowCount(), 1));
    index.keyOfRow.assign(rows, -1);
    // Room for numbers up to a few times the rows: numbering the rows leaves none beyond.
    index.flatEnd = 4 * rows + 1024;
    for (int r = 1; r < grid.RowCount(); ++r) {
        const auto [key, added] = index.Add(KeyOf<Key>(grid, index.column, r), static_cast<int>(index.rowsOfKey.size()), rows);
        if (added) index.rowsOfKey.emplace_back();
        index.rowsOfKey[static_cast<size_t>(key)].push_back(r);
        index.keyOfRow[static_cast<size_t>(r)] = key;
    }
    index.built = true;
    index.unique = index.rowsOfKey.size() == static_cast<size_t>(std::max(grid.RowCount() - 1, 0));
    return true;
}

template <typename Key>
const std::vector<int>* ColumnIndexes::RowsOf(const Index<Key>& index, const Key& key) {
    const int found = index.Find(key);
    return found < 0 ? nullptr : &index.rowsOfKey[static_cast<size_t>(found)];
}

int ColumnIndexes::FirstRow(const TSortGrid& grid, int column, const std::string& text) {
    Index<std::string>& index = Of(texts_, column);
    if (!Ready(index, grid)) {
        for (int r = 1; r < grid.RowCount(); ++r)
            if (grid.Cells(column, r) == text) return r;
        return 0;
    }
    const std::vector<int>* rows = RowsOf(index, text);
    return rows == nullptr || rows->empty() ? 0 : rows->front();
}

const std::vector<int>& ColumnIndexes::RowsWithNumber(const TSortGrid& grid, int column, int number) {
    Index<int>& index = Of(numbers_, column);
    if (!Ready(index, grid)) {
        found_.clear();
        for (int r = 1; r < grid.RowCount(); ++r)
            if (NumberKey(grid, column, r) == number) found_.push_back(r);
        return found_;
    }
    const std::vector<int>* rows = RowsOf(index, number);
    return rows == nullptr ? kNoRows : *rows;
}

void ColumnIndexes::BeforeExchange(const TSortGrid& grid) {
    for (Index<std::string>& index : texts_) index.follows = index.built && index.stamp == grid.ColumnChanges(index.column);
    for (Index<int>& index : numbers_) index.follows = index.built && index.stamp == grid.ColumnChanges(index.column);
}

template <typename Key>
void ColumnIndexes::Follow(Index<Key>& index, const TSortGrid& grid, int a, int b) {
    if (!index.follows) return;
    index.stamp = grid.ColumnChanges(index.column);
    int& keyOfA = index.keyOfRow[static_cast<size_t>(a)];
    int& keyOfB = index.keyOfRow[static_cast<size_t>(b)];
    if (keyOfA == keyOfB) return;
    Replace(index.rowsOfKey[static_cast<size_t>(keyOfA)], a, b);
    Replace(index.rowsOfKey[static_cast<size_t>(keyOfB)], b, a);
    std::swap(keyOfA, keyOfB);
}

void ColumnIndexes::Exchanged(const TSortGrid& grid, int a, int b) {
    for (Index<std::string>& index : texts_) Follow(index, grid, a, b);
    for (Index<int>& index : numbers_) Follow(index, grid, a, b);
}

template <typename Key>
void ColumnIndexes::FollowReorder(Index<Key>& index, const TSortGrid& grid, const std::vector<int>& rows,
                                  const std::vector<int>& order) {
    if (!index.follows) return;
    index.stamp = grid.ColumnChanges(index.column);
    // Rows of one key (a group's standings) change places among themselves: the index holds.
    const int first = index.keyOfRow[static_cast<size_t>(rows.front())];
    if (std::all_of(rows.begin(), rows.end(), [&](int row) { return index.keyOfRow[static_cast<size_t>(row)] == first; }))
        return;
    std::vector<int> before(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) before[i] = index.keyOfRow[static_cast<size_t>(rows[i])];
    if (index.unique) {
        // Each key's one row is where its row went (the participants' numbers in the standings).
        for (size_t i = 0; i < rows.size(); ++i)
            if (static_cast<size_t>(order[i]) != i) {
                const int now = before[static_cast<size_t>(order[i])];
                index.keyOfRow[static_cast<size_t>(rows[i])] = now;
                index.rowsOfKey[static_cast<size_t>(now)].front() = rows[i];
            }
        return;
    }
    // (key, row): the rows a key of several rows loses and gains; rows moving within one key's
    // rows change nothing, and a key of one row simply has it at its new place.
    std::vector<std::pair<int, int>> lost, gained;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int now = before[static_cast<size_t>(order[i])];
        if (now == before[i]) continue;
        index.keyOfRow[static_cast<size_t>(rows[i])] = now;
        if (index.rowsOfKey[static_cast<size_t>(before[i])].size() > 1) lost.emplace_back(before[i], rows[i]);
        if (std::vector<int>& nowRows = index.rowsOfKey[static_cast<size_t>(now)]; nowRows.size() == 1)
            nowRows.front() = rows[i];
        else
            gained.emplace_back(now, rows[i]);
    }
    // A permutation leaves each key as many rows as it had: its rows lost and gained pair up.
    std::sort(lost.begin(), lost.end());
    std::sort(gained.begin(), gained.end());
    std::vector<int> lostRows, gainedRows, kept;
    for (size_t from = 0, to = 0; from < lost.size(); from = to) {
        const int key = lost[from].first;
        lostRows.clear();
        gainedRows.clear();
        for (to = from; to < lost.size() && lost[to].first == key; ++to) {
            lostRows.push_back(lost[to].second);
            gainedRows.push_back(gained[to].second);
        }
        std::vector<int>& keyRows = index.rowsOfKey[static_cast<size_t>(key)];
        kept.clear();
        std::set_difference(keyRows.begin(), keyRows.end(), lostRows.begin(), lostRows.end(), std::back_inserter(kept));
        keyRows.clear();
        std::merge(kept.begin(), kept.end(), gainedRows.begin(), gainedRows.end(), std::back_inserter(keyRows));
    }
}

void ColumnIndexes::Reordered(const TSortGrid& grid, const std::vector<int>& rows, const std::vector<int>& order) {
    for (Index<std::string>& index : texts_) FollowReorder(index, grid, rows, order);
    for (Index<int>& index : numbers_) FollowReorder(index, grid, rows, order);
}

template <typename Key>
void ColumnIndexes::FollowMove(Index<Key>& index, const TSortGrid& grid, const std::vector<int>& rows, size_t from,
                               size_t to) {
    if (!index.follows) return;
    const size_t low = std::min(from, to), high = std::max(from, to);
    auto keyOf = [&](size_t i) -> int& { return index.keyOfRow[static_cast<size_t>(rows[i])]; };
    if (index.unique) {
        index.stamp = grid.ColumnChanges(index.column);
        // Each key's one row is where its row went (the participants' numbers in the standings):
        // each place passed takes its neighbour's key, `to` the moving one.
        const int moving = keyOf(from);
        const auto take = [&](size_t place, int key) {
            keyOf(place) = key;
            index.rowsOfKey[static_cast<size_t>(key)].front() = rows[place];
        };
        if (from < to)
            for (size_t i = from; i < to; ++i) take(i, keyOf(i + 1));
        else
            for (size_t i = from; i > to; --i) take(i, keyOf(i - 1));
        take(to, moving);
        return;
    }
    // Rows of one key (a group's standings) change places among themselves: the index holds.
    bool oneKey = true;
    for (size_t i = low; i <= high && oneKey; ++i) oneKey = keyOf(i) == keyOf(from);
    if (oneKey) {
        index.stamp = grid.ColumnChanges(index.column);
        return;
    }
    // Else the rows passed, as a reorder of those rows: each place takes the row of its
    // neighbour toward `from`, and `to` the moving row.
    const std::vector<int> passed(rows.begin() + static_cast<std::ptrdiff_t>(low), rows.begin() + static_cast<std::ptrdiff_t>(high) + 1);
    std::vector<int> order(passed.size());
    std::iota(order.begin(), order.end(), from < to ? 1 : -1);
    order[to - low] = static_cast<int>(from - low);
    FollowReorder(index, grid, passed, order);
}

void ColumnIndexes::MovedAmong(const TSortGrid& grid, const std::vector<int>& rows, size_t from, size_t to) {
    for (Index<std::string>& index : texts_) FollowMove(index, grid, rows, from, to);
    for (Index<int>& index : numbers_) FollowMove(index, grid, rows, from, to);
}
