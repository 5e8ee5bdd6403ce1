#pragma once
#include <string>
#include <vector>

class TMainForm;
class TStringGrid;
class TItemControl;
class TStrings;

// Everything of the current tournament an operation on trial may change: the seven tables, the
// engine's scratch tables, the lookup lists, the placeholder and final-placing grids and the
// list of tied participants. Taken before the trial and put back after it, cell for cell, so
// that nothing the trial wrote stays behind and nothing it moved stays moved.
class TableSnapshot {
public:
    explicit TableSnapshot(const TMainForm& form);
    // Puts every table, list and grid back as it was taken.
    void Restore(TMainForm& form) const;
    bool operator==(const TableSnapshot& other) const = default;
    // The first difference to another snapshot as a text ("Teams Zeile 3 Spalte 7: a / b");
    // empty when they are equal.
    std::string FirstDifference(const TableSnapshot& other) const;

private:
    struct GridImage {
        int rows = 0, columns = 0;
        std::vector<std::vector<std::string>> cells;  // [row][column], header row included
        bool operator==(const GridImage&) const = default;
    };
    struct ListImage {
        std::vector<std::string> items;
        int index = -1;
        bool operator==(const ListImage&) const = default;
    };

    static GridImage Take(const TStringGrid& grid);
    static void Put(const GridImage& image, TStringGrid& grid);
    static ListImage Take(const TItemControl& list);
    static void Put(const ListImage& image, TItemControl& list);

    std::vector<GridImage> grids_;
    std::vector<ListImage> lists_;
    std::vector<std::string> konfliktTeams_;
};
