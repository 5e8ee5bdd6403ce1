#include "engine/ResultsExchange.h"

#include <vector>

#include "engine/ResultTexts.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/SortGrid.h"
#include "foundation/files/ResultsExchangeFile.h"

namespace {

// The cells of a game row in the order of the file's block.
constexpr int kBlockColumns[] = {Spielplan_SpNr,  Spielplan_T1,    Spielplan_T2,    Spielplan_PPkt,
                                 Spielplan_MPkt,  Spielplan_PSatz, Spielplan_MSatz, Spielplan_PBall,
                                 Spielplan_MBall, Spielplan_SatzErg, Spielplan_Sieger};

std::vector<ExchangeBlock> ResultBlocks(const TMainForm& f) {
    std::vector<ExchangeBlock> blocks;
    const TSortGrid& plan = f.Spielplan;
    for (int r = 1; r < plan.RowCount(); ++r) {
        if (ErgebnisSumme(f, r) <= 0) continue;
        ExchangeBlock block;
        for (size_t i = 0; i < block.size(); ++i) block[i] = plan.Cells(kBlockColumns[i], r);
        blocks.push_back(block);
    }
    return blocks;
}

}  // namespace

bool ergebnisseExportieren(TMainForm& f, const std::string& path) {
    Log("[F] Spielergebnisse exportieren");
    const std::string target = path.empty() ? ExchangeFilePath(Get(f.Turnier, Turnier_DateiNameS, 1, true)) : path;
    sortGrid(f.Spielplan, Spielplan_SpNr, true);
    if (!WriteExchangeFile(target, Get(f.Turnier, Turnier_DateiName, 1, true), ResultBlocks(f))) {
        ShowMsg(3, "Die Ergebnisse konnten nicht exportiert werden:\r\n\r\n" + target);
        return false;
    }
    ShowMsg(1, "Ergebnisse exportiert als:\r\n\r\n" + target + "\r\n\r\nImportieren Sie diese Datei in einem zweiten Marovelkandis");
    return true;
}
