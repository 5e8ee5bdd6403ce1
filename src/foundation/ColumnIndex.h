#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class TSortGrid;

// Lookups of a table's data rows by what one of its columns holds, kept with the table while
// that column stays as it is (TStringGrid::ColumnChanges): after every result the same games,
// groups and participants are looked up in tables whose columns of numbers rarely change. The
// first lookup after a change reads the column row by row; the second with the column unchanged
// builds the index, so a column written between every two lookups costs no more than reading it.
// Data rows exchanged with one another (the ranking) are followed without building anew.
class ColumnIndexes {
public:
    // The first data row whose cell in the column is exactly the text; 0 when none.
    int FirstRow(const TSortGrid& grid, int column, const std::string& text);
    // The data rows whose cell in the column reads as the number (as IntGet reads a cell), in
    // table order. Valid until the next lookup in this grid.
    const std::vector<int>& RowsWithNumber(const TSortGrid& grid, int column, int number);

    // Two data rows of the grid are about to exchange their cells, and then have: the indexes
    // that held before hold again.
    void BeforeExchange(const TSortGrid& grid);
    void Exchanged(const TSortGrid& grid, int a, int b);
    // The same for data rows that changed places as TSortGrid::ReorderRows moves them.
    void Reordered(const TSortGrid& grid, const std::vector<int>& rows, const std::vector<int>& order);
    // The same for one row moved among others as TSortGrid::MoveRowAmong moves it.
    void MovedAmong(const TSortGrid& grid, const std::vector<int>& rows, size_t from, size_t to);

private:
    template <typename Key>
    struct Index {
        int column = 0;
        std::uint64_t stamp = ~std::uint64_t{0};  // the column's changes when last looked up
        bool built = false;
        bool follows = false;  // holds across the exchange under way
        bool unique = false;   // every key has one row
        // Each key's number: by the key's value where it is a whole number below `flatEnd`
        // written plainly (the numbers of games, groups and participants; -1: none), else by the key.
        std::vector<int> numbered;
        std::unordered_map<Key, int> keys;
        size_t flatEnd = 0;
        std::vector<int> keyOfRow;                 // by row
        std::vector<std::vector<int>> rowsOfKey;  // by key number, ascending
        // The key's number, -1 when none.
        int Find(const Key& key) const;
        // The key's number, given the next one when it is new; true when it is.
        std::pair<int, bool> Add(const Key& key, int next, size_t rows);
    };
    std::vector<Index<std::string>> texts_;
    std::vector<Index<int>> numbers_;
    std::vector<int> found_;

    template <typename Key>
    static Index<Key>& Of(std::vector<Index<Key>>& indexes, int column);
    // Whether the index serves this lookup; false for the first lookup after a change, which
    // reads the column through.
    template <typename Key>
    static bool Ready(Index<Key>& index, const TSortGrid& grid);
    template <typename Key>
    static const std::vector<int>* RowsOf(const Index<Key>& index, const Key& key);
    template <typename Key>
    static void Follow(Index<Key>& index, const TSortGrid& grid, int a, int b);
    template <typename Key>
    static void FollowMove(Index<Key>& index, const TSortGrid& grid, const std::vector<int>& rows, size_t from, size_t to);
    template <typename Key>
    static void FollowReorder(Index<Key>& index, const TSortGrid& grid, const std::vector<int>& rows,
                              const std::vector<int>& order);
};
