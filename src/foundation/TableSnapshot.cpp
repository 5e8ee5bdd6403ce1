#include "foundation/TableSnapshot.h"

#include <algorithm>
#include <array>

#include "foundation/Conversions.h"
#include "foundation/MainForm.h"

namespace {

// Rows travel through the master table with this many cells; no table holds more.
constexpr int kStoredColumns = 32;

constexpr std::array<const char*, 11> kGridNames{"Turnier", "Gruppe",  "Teams",      "Spielplan", "Platz", "Ein",
                                                 "UkSound", "Temp",    "Schiris",    "Xplatzgrid", "TPlatz"};

template <class Grid, class Form>
std::array<Grid*, kGridNames.size()> GridsOf(Form& f) {
    return {&f.Turnier, &f.Gruppe, &f.Teams, &f.Spielplan, &f.Platz, &f.Ein,
            &f.UkSound, &f.Temp, &f.Schiris, &f.Xplatzgrid, &f.TPlatz};
}

template <class List, class Form>
std::array<List*, 7> ListsOf(Form& f) {
    return {&f.XAGruppBez, &f.XAGruppName, &f.XATeams, &f.XATeamsTur, &f.XAFelder, &f.XARunden, &f.XTempList};
}

}  // namespace

TableSnapshot::TableSnapshot(const TMainForm& form) {
    for (const TStringGrid* grid : GridsOf<const TStringGrid>(form)) grids_.push_back(Take(*grid));
    for (const TItemControl* list : ListsOf<const TItemControl>(form)) lists_.push_back(Take(*list));
    konfliktTeams_ = form.KonfliktTeams.ToVector();
}

void TableSnapshot::Restore(TMainForm& form) const {
    const auto grids = GridsOf<TStringGrid>(form);
    for (size_t i = 0; i < grids.size(); ++i) Put(grids_[i], *grids[i]);
    const auto lists = ListsOf<TItemControl>(form);
    for (size_t i = 0; i < lists.size(); ++i) Put(lists_[i], *lists[i]);
    form.KonfliktTeams.Clear();
    for (const std::string& team : konfliktTeams_) form.KonfliktTeams.Add(team);
}

TableSnapshot::GridImage TableSnapshot::Take(const TStringGrid& grid) {
    GridImage image{grid.RowCount(), grid.ColCount(), {}};
    const int width = std::max(grid.ColCount(), kStoredColumns);
    image.cells.resize(static_cast<size_t>(grid.RowCount()));
    for (int r = 0; r < grid.RowCount(); ++r) {
        std::vector<std::string>& row = image.cells[static_cast<size_t>(r)];
        row.reserve(static_cast<size_t>(width));
        for (int c = 0; c < width; ++c) row.push_back(grid.Cells(c, r));
    }
    return image;
}

void TableSnapshot::Put(const GridImage& image, TStringGrid& grid) {
    // Lowering the row count first discards rows the trial added, with every cell they held.
    grid.SetRowCount(image.rows);
    grid.SetColCount(image.columns);
    for (int r = 0; r < image.rows; ++r) {
        const std::vector<std::string>& row = image.cells[static_cast<size_t>(r)];
        for (size_t c = 0; c < row.size(); ++c)
            if (grid.Cells(static_cast<int>(c), r) != row[c]) grid.SetCells(static_cast<int>(c), r, row[c]);
    }
}

TableSnapshot::ListImage TableSnapshot::Take(const TItemControl& list) { return {list.Items.ToVector(), list.ItemIndex()}; }

void TableSnapshot::Put(const ListImage& image, TItemControl& list) {
    list.Items.Clear();
    for (const std::string& item : image.items) list.Items.Add(item);
    list.SetItemIndex(image.index);
}

std::string TableSnapshot::FirstDifference(const TableSnapshot& other) const {
    for (size_t i = 0; i < grids_.size(); ++i) {
        const GridImage &a = grids_[i], &b = other.grids_[i];
        const std::string name = kGridNames[i];
        if (a.rows != b.rows) return name + " Zeilen: " + IntToStr(a.rows) + " / " + IntToStr(b.rows);
        if (a.columns != b.columns) return name + " Spalten: " + IntToStr(a.columns) + " / " + IntToStr(b.columns);
        for (size_t r = 0; r < a.cells.size(); ++r)
            for (size_t c = 0; c < a.cells[r].size(); ++c)
                if (a.cells[r][c] != b.cells[r][c])
                    return name + " Zeile " + IntToStr(static_cast<long long>(r)) + " Spalte " +
                           IntToStr(static_cast<long long>(c)) + ": " + a.cells[r][c] + " / " + b.cells[r][c];
    }
    for (size_t i = 0; i < lists_.size(); ++i)
        if (!(lists_[i] == other.lists_[i])) return "Liste " + IntToStr(static_cast<long long>(i)) + " verschieden";
    if (konfliktTeams_ != other.konfliktTeams_) return "KonfliktTeams verschieden";
    return {};
}
