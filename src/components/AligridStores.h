#pragma once
#include <climits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

// The attribute stores of the display grid: lists indexed by column or row whose entries are
// either empty or one value. Only entries that hold a value take memory, so an index read from
// a stored form costs nothing until a value is put there. Beyond the end every entry is empty,
// which is what a list grown with empty entries would hold.
template <typename V>
class SparseList {
public:
    // The value at i; nullptr when unset, beyond the end or at a negative index.
    const V* Read(int i) const {
        auto it = entries_.find(i);
        return it == entries_.end() ? nullptr : &it->second;
    }
    V* Read(int i) {
        auto it = entries_.find(i);
        return it == entries_.end() ? nullptr : &it->second;
    }

    // Puts v at i (an empty v resets) and hands back what was there. A negative index is the
    // caller's error and is refused before anything changes.
    std::optional<V> Put(int i, std::optional<V> v) {
        if (!v && i < 0) return std::nullopt;  // resetting nothing
        CheckIndex(i);
        std::optional<V> previous = Take(i);
        if (v) entries_.emplace(i, std::move(*v));
        return previous;
    }

    std::optional<V> Take(int i) {
        auto it = entries_.find(i);
        if (it == entries_.end()) return std::nullopt;
        std::optional<V> value(std::move(it->second));
        entries_.erase(it);
        return value;
    }

    // Deletes index i: later entries move down by one.
    void RemoveAt(int i) {
        if (i < 0) return;
        Take(i);
        Shift(i + 1, -1);
    }

    // Inserts an empty entry at i: entries at i and later move up by one. An entry already at
    // the largest index has nowhere to go and is dropped.
    void InsertAt(int i) {
        if (i < 0) return;
        Take(INT_MAX);
        Shift(i, +1);
    }

    void Move(int from, int to) {
        CheckIndex(from);
        CheckIndex(to);
        if (from == to) return;
        std::optional<V> moving = Take(from);
        RemoveAt(from);
        InsertAt(to);
        if (moving) entries_.emplace(to, std::move(*moving));
    }

    void Swap(int i, int j) {
        CheckIndex(i);
        CheckIndex(j);
        if (i == j) return;
        Put(i, Put(j, Put(i, std::nullopt)));
    }

    bool Empty() const { return entries_.empty(); }
    // Entries holding a value, by index.
    const std::map<int, V>& Entries() const { return entries_; }
    std::map<int, V>& Entries() { return entries_; }

    static void CheckIndex(int i) {
        if (i < 0) throw std::out_of_range("List index out of bounds (" + std::to_string(i) + ")");
    }

private:
    void Shift(int from, int by) {
        std::map<int, V> shifted;
        for (auto& [index, value] : entries_) shifted.emplace(index >= from ? index + by : index, std::move(value));
        entries_ = std::move(shifted);
    }

    std::map<int, V> entries_;
};

// A cell store: indexed by column, each entry a list indexed by row. Column operations act on
// the outer list, row operations on every inner list.
template <typename V>
class SparseCells {
public:
    const V* Read(int c, int r) const {
        const SparseList<V>* column = columns_.Read(c);
        return column ? column->Read(r) : nullptr;
    }
    V* Read(int c, int r) {
        SparseList<V>* column = columns_.Read(c);
        return column ? column->Read(r) : nullptr;
    }

    std::optional<V> Put(int c, int r, std::optional<V> v) {
        if (!v && (c < 0 || r < 0)) return std::nullopt;  // resetting nothing
        SparseList<V>::CheckIndex(c);
        SparseList<V>::CheckIndex(r);
        SparseList<V>* column = columns_.Read(c);
        if (!column) {
            if (!v) return std::nullopt;
            columns_.Put(c, SparseList<V>());
            column = columns_.Read(c);
        }
        std::optional<V> previous = column->Put(r, std::move(v));
        if (column->Empty()) columns_.Take(c);
        return previous;
    }

    void RemoveCol(int c) { columns_.RemoveAt(c); }
    void InsertCol(int c) { columns_.InsertAt(c); }
    void MoveCol(int from, int to) { columns_.Move(from, to); }
    void SwapCols(int a, int b) { columns_.Swap(a, b); }
    void RemoveRow(int r) { ForEachColumn([r](SparseList<V>& l) { l.RemoveAt(r); }); }
    void InsertRow(int r) { ForEachColumn([r](SparseList<V>& l) { l.InsertAt(r); }); }
    void MoveRow(int from, int to) { ForEachColumn([=](SparseList<V>& l) { l.Move(from, to); }); }
    void SwapRows(int a, int b) { ForEachColumn([=](SparseList<V>& l) { l.Swap(a, b); }); }

    const std::map<int, SparseList<V>>& Columns() const { return columns_.Entries(); }

private:
    template <typename F>
    void ForEachColumn(F&& f) {
        for (auto& [index, column] : columns_.Entries()) f(column);
    }

    SparseList<SparseList<V>> columns_;
};
