#include "frontend/TextTable.h"

#include <algorithm>

#include "frontend/VisibleOutput.h"
#include "platform/Grids.h"
#include "platform/Utf8.h"

namespace {

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

std::vector<std::string> GridLines(const TStringGrid& grid) {
    std::vector<int> columns;
    for (int c = 0; c < grid.ColCount(); ++c)
        if (grid.ColWidths(c) > 0) columns.push_back(c);

    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.RowCount(); ++r) {
        std::vector<std::string> cells;
        bool any = r == 0;
        for (int c : columns) {
            cells.push_back(VisibleText(grid.Cells(c, r), LineFeeds::Escaped));
            any = any || !cells.back().empty();
        }
        if (any) rows.push_back(std::move(cells));
    }

    std::vector<size_t> widths(columns.size(), 0);
    for (const auto& cells : rows)
        for (size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], utf8::Length(cells[i]));

    std::vector<std::string> lines;
    for (const auto& cells : rows) {
        std::string line;
        for (size_t i = 0; i < cells.size(); ++i) {
            line += cells[i];
            if (i + 1 < cells.size()) line += std::string(widths[i] - utf8::Length(cells[i]) + 2, ' ');
        }
        lines.push_back(TrimRight(std::move(line)));
    }
    return lines;
}
