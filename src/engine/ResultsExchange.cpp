#include "engine/ResultsExchange.h"

#include <cerrno>
#include <vector>

#include "engine/Gruppenstatus.h"
#include "engine/Platzierung.h"
#include "engine/ResultTexts.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/SortGrid.h"
#include "foundation/Tables.h"
#include "foundation/WindowHelpers.h"
#include "foundation/files/ChosenFile.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "platform/FileNames.h"

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

// The game of this block, when it is the same game here: it exists, has no result yet and is
// played by the same participants. 0 otherwise.
int GameRowOfBlock(const TMainForm& f, const ExchangeBlock& block) {
    const int row = FindRow(f.Spielplan, Spielplan_SpNr, IntToStr(ToInt(block[0])));
    if (row < 1 || ErgebnisSumme(f, row) > 0) return 0;
    if (f.Spielplan.Cells(Spielplan_T1, row) != block[1] || f.Spielplan.Cells(Spielplan_T2, row) != block[2]) return 0;
    return row;
}

// Whether the game's group takes a result here now, as it must for a result typed in: before the
// start, a result would decide later groups for participants that have no name yet, and a game
// whose participants are still placeholders would credit it to whoever takes their places.
bool GroupTakesResult(const TMainForm& f, int row) {
    const int g = IntGet(f.Spielplan, Spielplan_GrNr, row, true);
    return g >= 1 && g < f.Gruppe.RowCount() && NimmtErgebnisse(Get(f.Gruppe, Gruppe_State, g, true)) &&
           OffeneTeilnehmer(f, row).empty();
}

void ReportWaiting(int waiting) {
    if (waiting == 0) return;
    const std::string count = waiting == 1 ? "1 Ergebnis wurde" : IntToStr(waiting) + " Ergebnisse wurden";
    ShowMsg(3, count + " nicht übernommen: die Gruppe nimmt hier noch keine Ergebnisse an, weil das Turnier "
                       "nicht begonnen hat oder ihre Teilnehmer noch nicht feststehen. Bitte erst allen Plätzen "
                       "ihre Namen zuweisen und dann noch einmal importieren.");
}

void TakeBlock(TMainForm& f, int row, const ExchangeBlock& block) {
    {
        const ResultBeingWritten writing(f);
        for (size_t i = 3; i < block.size(); ++i) Put(f.Spielplan, kBlockColumns[i], row, block[i], true);
    }
    doSpielplanKlick(f, nullptr, ToInt(block[0]), false, true);
}

bool IsExchangeFile(const ExchangeContent& content) {
    if (content.magic == "MAROVELKA4 EXPORT") return true;
    ShowMsg(1, "Datei ist keine exportierte Turnierdatei");
    return false;
}

// Whether the content is for the current tournament; says why not.
bool BelongsHere(const TMainForm& f, const ExchangeContent& content, const std::string& path) {
    if (content.fileName != Get(f.Turnier, Turnier_DateiName, 1, true)) {
        ShowMsg(1, "Die Datei gehört nicht zu dem aktuell geladenen Turnier\r\n\r\nImportdatei: " + path);
        return false;
    }
    return true;
}

// A damaged file is taken by nobody: a file cut short would leave this copy with part of the
// results, and a damaged line in the middle would put a value where it does not belong.
bool Whole(const ExchangeContent& content, const std::string& path) {
    if (content.damage.empty()) return true;
    ShowMsg(3, "Die Datei " + path + " " + content.damage + ". Es wurde kein Ergebnis übernommen.");
    return false;
}

}  // namespace

bool ergebnisseExportieren(TMainForm& f, const std::string& path) {
    Log("[F] Spielergebnisse exportieren");
    const std::string target = path.empty() ? ExchangeFilePath(Get(f.Turnier, Turnier_DateiNameS, 1, true)) : path;
    auto failed = [&](const std::string& file, int error) {
        ShowMsg(4, WithReason("Die Ergebnisse konnten nicht exportiert werden", WriteErrorText(file, error)) +
                       "\r\n\r\n" + target);
        return false;
    };
    // The link is followed once: the file checked is the file written.
    std::string file;
    if (!FollowLink(target, file)) return failed(target, errno);
    if (const std::string refused = RefusedChosenFile(f, target, target, file, ChosenContent::Ergebnisse, 0);
        !refused.empty()) {
        ShowMsg(3, refused);
        return false;
    }
    sortGrid(f.Spielplan, Spielplan_SpNr, true);
    int error = 0;
    if (!WriteExchangeFile(file, Get(f.Turnier, Turnier_DateiName, 1, true), ResultBlocks(f), &error, TargetLink::AsChecked))
        return failed(file, error);
    ShowMsg(1, "Ergebnisse exportiert als:\r\n\r\n" + target + "\r\n\r\nImportieren Sie diese Datei in einem zweiten Marovelkandis");
    return true;
}

std::optional<int> ergebnisseImportieren(TMainForm& f, const std::string& path) {
    Log("[F] Spielergebnisse importieren");
    int error = 0;
    const std::optional<ExchangeContent> content = ReadExchangeFile(path, &error);
    if (!content) {
        ShowMsg(3, CannotOpenText(path, path, error));
        return std::nullopt;
    }
    if (!IsExchangeFile(*content) || !Whole(*content, path) || !BelongsHere(f, *content, path)) return std::nullopt;
    SetWaitCursor(true);
    int taken = 0, waiting = 0;
    // The blocks come in game order, so a result taken here opens the later groups it decides
    // before their own blocks come.
    for (const ExchangeBlock& block : content->blocks) {
        const int row = GameRowOfBlock(f, block);
        if (row < 1) continue;
        if (!GroupTakesResult(f, row)) {
            ++waiting;
            continue;
        }
        TakeBlock(f, row, block);
        ++taken;
    }
    SetWaitCursor(false);
    if (taken > 0) setTurChanged(f, true);
    ReportWaiting(waiting);
    return taken;
}
