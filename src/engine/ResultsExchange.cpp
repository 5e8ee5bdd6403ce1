#include "engine/ResultsExchange.h"

#include <cerrno>
#include <vector>

#include "engine/CellNumbers.h"
#include "engine/ExchangeChecks.h"
#include "engine/Gruppenstatus.h"
#include "engine/Platzierung.h"
#include "engine/SpielplanKlick.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Settings.h"
#include "foundation/SortGrid.h"
#include "foundation/Tables.h"
#include "foundation/TeilnehmerName.h"
#include "foundation/WindowHelpers.h"
#include "foundation/files/ChosenFile.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "platform/FileNames.h"

namespace {

// The cells of a game row in the order of the file's block.
constexpr int kBlockColumns[] = {Spielplan_SpNr,  Spielplan_T1,    Spielplan_T2,    Spielplan_PPkt,
                                 Spielplan_MPkt,  Spielplan_PSatz, Spielplan_MSatz, Spielplan_PBall,
                                 Spielplan_MBall, Spielplan_SatzErg, Spielplan_Sieger};
// At most this many games held back are named one by one.
constexpr size_t kNamedHeldBack = 10;

// Every game played here, whatever its values add up to, with the names of its participants.
ExchangeContent PlayedGames(const TMainForm& f) {
    ExchangeContent played;
    const TSortGrid& plan = f.Spielplan;
    for (int r = 1; r < plan.RowCount(); ++r) {
        if (!SpielHatErgebnis(f, r)) continue;
        ExchangeBlock block;
        for (size_t i = 0; i < block.size(); ++i) block[i] = plan.Cells(kBlockColumns[i], r);
        played.blocks.push_back(block);
        played.participants.push_back(
            {TeilnehmerName(f, CellInt(plan, Spielplan_T1, r)), TeilnehmerName(f, CellInt(plan, Spielplan_T2, r))});
    }
    return played;
}

// The game of this block, when it is the same game here: it exists, was not played yet and is
// played by the same places (participant numbers). 0 otherwise.
int GameRowOfBlock(const TMainForm& f, const ExchangeBlock& block) {
    const int row = FindRow(f.Spielplan, Spielplan_SpNr, IntToStr(ToInt(block[0])));
    if (row < 1 || SpielHatErgebnis(f, row)) return 0;
    if (f.Spielplan.Cells(Spielplan_T1, row) != block[1] || f.Spielplan.Cells(Spielplan_T2, row) != block[2]) return 0;
    return row;
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

void RefuseWhole(const std::string& path, const std::string& damage) {
    ShowMsg(3, "Die Datei " + path + " " + damage + ". Es wurde kein Ergebnis übernommen.");
}

// A damaged file is taken by nobody: a file cut short would leave this copy with part of the
// results, and a damaged line in the middle would put a value where it does not belong.
bool Whole(const ExchangeContent& content, const std::string& path) {
    if (content.damage.empty()) return true;
    RefuseWhole(path, content.damage);
    return false;
}

// Every result must be one the result dialog takes here, before any is stored: a value it
// refuses (a negative or broken number of goals, a winner the score contradicts) is no result of
// the other copy's dialog, so the file is damaged or made by hand. The values come back as the
// dialog stores them.
bool TakenByTheDialog(const TMainForm& f, ExchangeContent& content, const std::string& path) {
    for (ExchangeBlock& block : content.blocks)
        if (const std::string problem = ErgebnisPruefen(f, block); !problem.empty()) {
            RefuseWhole(path, "ist beschädigt: die Ergebniseingabe nähme das Ergebnis von Spiel " + block[0] +
                                  " nicht an (" + problem + ")");
            return false;
        }
    return true;
}

// The results of games here that the import did not take, each with its reason.
class HeldBack {
public:
    void Add(const std::string& game, const std::string& reason) { games_.push_back("Spiel " + game + ": " + reason); }
    void AddOtherParticipants(const std::string& game, const std::string& pairs) {
        Add(game, pairs);
        otherParticipants_ = true;
    }
    int Count() const { return static_cast<int>(games_.size()); }

    void Report(const TMainForm& f) const {
        if (games_.empty()) return;
        std::string text = Count() == 1 ? std::string("1 Ergebnis wurde") : IntToStr(Count()) + " Ergebnisse wurden";
        text += " nicht übernommen.";
        for (size_t i = 0; i < games_.size() && i < kNamedHeldBack; ++i) text += "\r\n" + games_[i];
        if (games_.size() > kNamedHeldBack)
            text += "\r\nund " + IntToStr(static_cast<long long>(games_.size() - kNamedHeldBack)) + " weitere";
        if (otherParticipants_)
            text += "\r\nAuf diesen Plätzen stehen hier andere Teilnehmer als im exportierenden Marovelkandis, etwa "
                    "weil ein Platzierungskonflikt anders gelöst wurde. So gelöst wie dort, nimmt ein neuer Import "
                    "sie an.";
        if (GetSetting(f, "Spielstart", "false") != "true")
            text += "\r\nDas Turnier hat hier noch nicht begonnen: bitte erst allen Plätzen ihre Namen zuweisen und "
                    "dann noch einmal importieren.";
        ShowMsg(3, text);
    }

private:
    std::vector<std::string> games_;
    bool otherParticipants_ = false;
};

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
    const ExchangeContent played = PlayedGames(f);
    if (!WriteExchangeFile(file, Get(f.Turnier, Turnier_DateiName, 1, true), played.blocks, played.participants, &error,
                           TargetLink::AsChecked))
        return failed(file, error);
    ShowMsg(1, "Ergebnisse exportiert als:\r\n\r\n" + target + "\r\n\r\nImportieren Sie diese Datei in einem zweiten Marovelkandis");
    return true;
}

std::optional<ErgebnisImport> ergebnisseImportieren(TMainForm& f, const std::string& path) {
    Log("[F] Spielergebnisse importieren");
    int error = 0;
    std::optional<ExchangeContent> content = ReadExchangeFile(path, &error);
    if (!content) {
        ShowMsg(3, CannotOpenText(path, path, error));
        return std::nullopt;
    }
    if (!IsExchangeFile(*content) || !Whole(*content, path) || !BelongsHere(f, *content, path) ||
        !TakenByTheDialog(f, *content, path))
        return std::nullopt;
    SetWaitCursor(true);
    ErgebnisImport result;
    HeldBack heldBack;
    // The blocks come in game order, so a result taken here opens the later groups it decides
    // before their own blocks come. Who stands on a place is looked at as each game is taken:
    // a tie that an earlier block completed has been settled by then.
    for (size_t i = 0; i < content->blocks.size(); ++i) {
        const ExchangeBlock& block = content->blocks[i];
        const int row = GameRowOfBlock(f, block);
        if (row < 1) continue;
        if (const std::string reason = KeinErgebnisGrund(f, row); !reason.empty()) {
            heldBack.Add(block[0], reason);
            continue;
        }
        if (i < content->participants.size())
            if (const std::string pairs = AndereTeilnehmer(f, row, content->participants[i]); !pairs.empty()) {
                heldBack.AddOtherParticipants(block[0], pairs);
                continue;
            }
        TakeBlock(f, row, block);
        ++result.taken;
    }
    SetWaitCursor(false);
    if (result.taken > 0) setTurChanged(f, true);
    heldBack.Report(f);
    result.heldBack = heldBack.Count();
    return result;
}
