#include "foundation/files/ResultsExchangeFile.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/files/Dateihandling.h"
#include "platform/ProgramFolder.h"
#include "platform/Utf8.h"

namespace {

constexpr const char* kEnd = "<ENDE>";
constexpr const char* kParticipants = "<TEILNEHMER>";
constexpr const char* kEndMissing = "ist unvollständig: die Endzeile „<ENDE>“ fehlt";

bool IsWholeNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

bool IsNumberOrEmpty(const std::string& text) {
    double value = 0;
    return text.find_first_not_of(' ') == std::string::npos || TryTextToDouble(text, value);
}

// A line's text as a message quotes it: a damaged line may be of any length.
std::string Shown(const std::string& line) {
    constexpr long kShown = 30;
    return "„" + utf8::Cut(line, kShown) + (utf8::Length(line) > kShown ? "…" : "") + "“";
}

// The file's lines with their numbers; none where the file has no line left to give.
class NumberedLines {
public:
    explicit NumberedLines(Dateihandling& file) : file_(file) {}

    std::optional<std::string> Next() {
        if (file_.Eof()) return std::nullopt;
        std::string line = file_.ReadLine();
        if (file_.LineTooLong()) return std::nullopt;
        ++number_;
        return line;
    }
    int Number() const { return number_; }

    // Why no line came: a line too long or a read error, else what the reader expected there.
    std::string WhyNone(const std::string& expected) {
        if (file_.LineTooLong())
            return "ist beschädigt: Zeile " + IntToStr(number_ + 1) + " ist länger als jede Zeile einer solchen Datei";
        if (!file_.ReadCompletely())
            return "ist unvollständig: sie konnte nach Zeile " + IntToStr(number_) + " nicht weiter gelesen werden (" +
                   SystemErrorText(file_.ReadError()) + ")";
        return expected;
    }

private:
    Dateihandling& file_;
    int number_ = 0;
};

// What a line of a whole block must hold where it does not: the index of the first line that
// does not fit and what belongs there; nullopt for a well-formed block. The game number has been
// looked at already.
std::optional<std::pair<size_t, std::string>> Misfit(const ExchangeBlock& block) {
    for (size_t i = 1; i <= 2; ++i)
        if (!IsWholeNumber(block[i])) return std::pair<size_t, std::string>{i, "einer Teilnehmernummer"};
    for (size_t i = 3; i <= 8; ++i)
        if (!IsNumberOrEmpty(block[i])) return std::pair<size_t, std::string>{i, "einer Zahl"};
    const std::string& winner = block[10];
    if (!winner.empty() && winner != "0" && winner != block[1] && winner != block[2])
        return std::pair<size_t, std::string>{10, "des Siegers (0 oder einer der beiden Teilnehmer)"};
    return std::nullopt;
}

std::string MisfitText(int line, const std::string& text, const std::string& expected) {
    return "ist beschädigt: in Zeile " + IntToStr(line) + " steht " + Shown(text) + " an Stelle " + expected;
}

// The blocks up to "<ENDE>"; stops at the first damage and names it.
void ReadBlocks(NumberedLines& lines, ExchangeContent& content) {
    for (;;) {
        ExchangeBlock block;
        const std::optional<std::string> game = lines.Next();
        if (!game) {
            content.damage = lines.WhyNone(kEndMissing);
            return;
        }
        if (*game == kEnd) return;
        if (!IsWholeNumber(*game)) {
            content.damage = MisfitText(lines.Number(), *game, "einer Spielnummer oder der Endzeile „<ENDE>“");
            return;
        }
        block[0] = *game;
        const int first = lines.Number();
        for (size_t read = 1; read < block.size(); ++read) {
            const std::optional<std::string> line = lines.Next();
            if (line && *line != kEnd) {
                block[read] = *line;
                continue;
            }
            const std::string cut = "ist unvollständig: der Block von Spiel " + *game + " bricht nach " +
                                    IntToStr(static_cast<long long>(read)) + " von 11 Zeilen ab";
            content.damage = line ? cut : lines.WhyNone(cut);
            return;
        }
        if (const auto misfit = Misfit(block)) {
            content.damage = MisfitText(first + static_cast<int>(misfit->first), block[misfit->first], misfit->second) +
                             " (Spiel " + *game + ")";
            return;
        }
        content.blocks.push_back(block);
    }
}

// The next line, which must be `wanted`; false when it is missing (damage: what WhyNone says,
// with `missing` for a file that simply ends) or another (damage: it stands in place of `instead`).
bool Expect(NumberedLines& lines, const std::string& wanted, const std::string& missing, const std::string& instead,
            std::string& damage) {
    const std::optional<std::string> line = lines.Next();
    if (!line) {
        damage = lines.WhyNone(missing);
        return false;
    }
    if (*line == wanted) return true;
    damage = MisfitText(lines.Number(), *line, instead);
    return false;
}

// One entry of the participant list: the block's game number and its two names.
std::optional<ParticipantNames> ReadParticipantsOf(NumberedLines& lines, const ExchangeBlock& block,
                                                   std::string& damage) {
    const std::string cut = "ist unvollständig: die Teilnehmerliste bricht bei Spiel " + block[0] + " ab";
    if (!Expect(lines, block[0], cut, "der Spielnummer " + block[0] + " in der Teilnehmerliste", damage))
        return std::nullopt;
    ParticipantNames names;
    for (std::string& name : names) {
        const std::optional<std::string> line = lines.Next();
        if (!line) {
            damage = lines.WhyNone(cut);
            return std::nullopt;
        }
        name = *line;
    }
    return names;
}

// What follows the end line: nothing in a file of an older version, else the participant list,
// one entry per block in block order and its own end line. Whatever stands after that is left
// for later versions, as older readers leave the list.
void ReadParticipants(NumberedLines& lines, ExchangeContent& content) {
    // A file that ends here names nobody; that is no damage.
    if (!Expect(lines, kParticipants, "", "der Teilnehmerliste „<TEILNEHMER>“ oder dem Dateiende", content.damage))
        return;
    std::vector<ParticipantNames> participants;
    for (const ExchangeBlock& block : content.blocks) {
        std::optional<ParticipantNames> names = ReadParticipantsOf(lines, block, content.damage);
        if (!names) return;
        participants.push_back(*names);
    }
    if (!Expect(lines, kEnd, "ist unvollständig: die Endzeile „<ENDE>“ der Teilnehmerliste fehlt",
                "der Endzeile „<ENDE>“ der Teilnehmerliste", content.damage))
        return;
    content.participants = std::move(participants);
}

}  // namespace

bool WriteExchangeFile(const std::string& path, const std::string& fileName, const std::vector<ExchangeBlock>& blocks,
                       const std::vector<ParticipantNames>& participants, int* error, TargetLink links) {
    Dateihandling file;
    if (!file.Open(path, "W", true, links)) {
        if (error) *error = file.Error();
        return false;
    }
    for (const std::string& line : {std::string("<DATEI>"), std::string("MAROVELKA4 EXPORT"), std::string("v4.111"),
                                    std::string("<START>"), fileName})
        file.WriteLine(line);
    for (const ExchangeBlock& block : blocks)
        for (const std::string& line : block) file.WriteLine(line);
    file.WriteLine(kEnd);
    if (!blocks.empty() && participants.size() == blocks.size()) {
        file.WriteLine(kParticipants);
        for (size_t i = 0; i < blocks.size(); ++i) {
            file.WriteLine(blocks[i][0]);
            for (const std::string& name : participants[i]) file.WriteLine(name);
        }
        file.WriteLine(kEnd);
    }
    if (file.Close()) return true;
    if (error) *error = file.Error();
    return false;
}

std::optional<ExchangeContent> ReadExchangeFile(const std::string& path, int* error) {
    Dateihandling file;
    if (!file.Open(path, "R", true)) {
        if (error) *error = file.ReadError();
        return std::nullopt;
    }
    ExchangeContent content;
    NumberedLines lines(file);
    std::string header[5];
    for (std::string& line : header) {
        const std::optional<std::string> read = lines.Next();
        if (!read) {
            content.damage = lines.WhyNone(kEndMissing);
            break;
        }
        line = *read;
    }
    content.magic = header[1];
    content.fileName = header[4];
    if (content.damage.empty()) ReadBlocks(lines, content);
    if (content.damage.empty()) ReadParticipants(lines, content);
    file.Close();
    return content;
}

std::string ExchangeFilePath(const std::string& turnierPath) {
    if (turnierPath.empty()) {
        const char* home = std::getenv("HOME");
        const std::string folder = home && *home ? std::string(home) + "/" : ProgramFolder();
        return folder + "Turnier.exp";
    }
    return std::filesystem::path(turnierPath).replace_extension(".exp").string();
}
