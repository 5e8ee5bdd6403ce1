#include "dialogs/FormGenerators.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "foundation/Conversions.h"
#include "foundation/FileProblems.h"
#include "foundation/NameText.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/TournamentForms.h"

namespace {

std::string Number(long long n) { return IntToStr(n); }

std::vector<std::string> Teams(int first, int count) {
    std::vector<std::string> items;
    for (int k = first; k < first + count; ++k) items.push_back("M" + Number(k));
    return items;
}

std::vector<std::string> Places(const std::string& id, int count) {
    std::vector<std::string> items;
    for (int i = 1; i <= count; ++i) items.push_back(Number(i) + "." + id);
    return items;
}

// Bracket positions of seeds 1 .. size (a power of two) so that the best two can meet only in
// the final, the best four only from the semi-finals on, and so on: 1, 4, 2, 3 for four.
std::vector<int> BracketOrder(int size) {
    std::vector<int> order{1};
    while (static_cast<int>(order.size()) < size) {
        const int n = 2 * static_cast<int>(order.size());
        std::vector<int> next;
        for (int seed : order) {
            next.push_back(seed);
            next.push_back(n + 1 - seed);
        }
        order = std::move(next);
    }
    return order;
}

std::string KnockOutRoundName(int bracket, int round) {
    switch (bracket) {
        case 4:
            return "Halbfinale";
        case 8:
            return "Viertelfinale";
        case 16:
            return "Achtelfinale";
        default:
            return "Runde " + Number(round);
    }
}

// Writes the knock-out of the seeds (best first) from round `round` on and gives its final
// placing: winner and loser of the final, of the game for third place, then the losers of the
// earlier rounds, the latest round first.
std::vector<std::string> KnockOut(FormText& form, const std::vector<std::string>& seeds, int round) {
    const int m = static_cast<int>(seeds.size());
    if (m < 2) return seeds;
    int bracket = 1;
    while (bracket < m) bracket *= 2;
    std::vector<std::string> slots;  // the round's entrants in bracket order; empty: no opponent
    for (int seed : BracketOrder(bracket)) slots.push_back(seed <= m ? seeds[static_cast<size_t>(seed - 1)] : "");
    std::vector<std::vector<int>> rounds;  // game numbers of every round before the final
    for (; slots.size() > 2; ++round) {
        std::vector<std::string> items;
        for (size_t i = 0; i < slots.size(); i += 2)
            if (!slots[i].empty() && !slots[i + 1].empty()) items.insert(items.end(), {slots[i], slots[i + 1]});
        const std::string name = KnockOutRoundName(static_cast<int>(slots.size()), round);
        const std::vector<int> games = form.AddRound(name, {{"R" + Number(round), name, "SV", items}})[0];
        std::vector<std::string> next;
        size_t g = 0;
        for (size_t i = 0; i < slots.size(); i += 2) {
            if (!slots[i].empty() && !slots[i + 1].empty())
                next.push_back("S" + Number(games[g++]));
            else
                next.push_back(slots[i].empty() ? slots[i + 1] : slots[i]);
        }
        rounds.push_back(games);
        slots = std::move(next);
    }
    const bool thirdPlace = !rounds.empty() && rounds.back().size() == 2;
    std::vector<FormGroup> finals;
    if (thirdPlace)
        finals.push_back(
            {"P3", "Spiel um Platz 3", "SV", {"V" + Number(rounds.back()[0]), "V" + Number(rounds.back()[1])}});
    finals.push_back({"R" + Number(round), "Finale", "SV", slots});
    const std::vector<std::vector<int>> games = form.AddRound("Finale", finals);
    const std::string final = Number(games.back()[0]);
    std::vector<std::string> placing{"S" + final, "V" + final};
    if (thirdPlace) {
        placing.push_back("S" + Number(games[0][0]));
        placing.push_back("V" + Number(games[0][0]));
        rounds.pop_back();
    }
    for (auto r = rounds.rbegin(); r != rounds.rend(); ++r)
        for (auto g = r->rbegin(); g != r->rend(); ++g) placing.push_back("V" + Number(*g));
    return placing;
}

// Pools of four (round robin) whose first two go on into a knock-out.
FormText PoolText(int n) {
    FormText form;
    const int pools = n / 4;
    std::vector<FormGroup> groups;
    for (int p = 0; p < pools; ++p)
        groups.push_back({LetterId(p), "Gruppe " + LetterId(p), "JGJ", Teams(4 * p + 1, 4)});
    form.AddRound("Vorrunde", groups);
    std::vector<std::string> seeds;
    for (int place = 1; place <= 2; ++place)
        for (int p = 0; p < pools; ++p) seeds.push_back(Number(place) + "." + LetterId(p));
    std::vector<std::string> placing = KnockOut(form, seeds, 2);
    for (int place = 3; place <= 4; ++place)
        for (int p = pools - 1; p >= 0; --p) placing.push_back(Number(place) + "." + LetterId(p));
    form.SetPlacing(placing);
    return form;
}

FormRecord Record(int count, const std::string& shortText, const FormText& form, const std::string& description) {
    return {count, shortText, form.Text(), description, form.Rounds()};
}

FormRecord RoundRobinRecord(int n) {
    FormText form;
    form.AddRound("Runde 1", {{"A", "Jeder gegen Jeden", "JGJ", Teams(1, n)}});
    form.SetPlacing(Places("A", n));
    return Record(n, "Jeder gegen Jeden mit " + Number(n) + " Teilnehmern", form,
                  "Eine Gruppe, in der jeder gegen jeden spielt. Die Tabelle ergibt die Endplatzierung.");
}

// Two groups of four; the first two of each meet crosswise in the semi-finals.
FormRecord TwoGroupsRecord() {
    FormText form;
    form.AddRound("Vorrunde", {{"A", "Gruppe A", "JGJ", Teams(1, 4)}, {"B", "Gruppe B", "JGJ", Teams(5, 4)}});
    const int sf1 = form.AddRound("Halbfinale", {{"HF", "Ueberkreuzspiel", "SV", {"1.A", "2.B", "1.B", "2.A"}}})[0][0];
    const int sf2 = sf1 + 1;
    const auto last = form.AddRound("Finale", {{"P3", "Spiel um Platz 3", "SV", {"V" + Number(sf1), "V" + Number(sf2)}},
                                               {"F", "Finale", "SV", {"S" + Number(sf1), "S" + Number(sf2)}}});
    const std::string third = Number(last[0][0]), final = Number(last[1][0]);
    form.SetPlacing(
        {"S" + final, "V" + final, "S" + third, "V" + third, "B1/3/A,B", "B2/3/A,B", "B1/4/A,B", "B2/4/A,B"});
    return Record(8, "Zwei Gruppen zu 4 mit Halbfinale und Finale", form,
                  "Zwei Gruppen zu vier spielen jeder gegen jeden. Die Ersten und Zweiten spielen über Kreuz "
                  "das Halbfinale, danach das Spiel um Platz 3 und das Finale. Die Plätze 5 bis 8 nach den "
                  "Gruppentabellen.");
}

// Two groups of five for a club day: the semi-finals crosswise and the game for ninth place
// first, then the games for places 7, 5 and 3, the final last and alone. Every place is played.
FormRecord TwoGroupsOfFiveRecord() {
    FormText form;
    form.AddRound("Vorrunde", {{"A", "Gruppe A", "JGJ", Teams(1, 5)}, {"B", "Gruppe B", "JGJ", Teams(6, 5)}});
    const auto second = form.AddRound("Halbfinale", {{"P9", "Spiel um Platz 9", "SV", {"5.A", "5.B"}},
                                                     {"HF", "Halbfinale", "SV", {"1.A", "2.B", "1.B", "2.A"}}});
    const std::vector<int>& hf = second[1];
    const auto third = form.AddRound(
        "Platzierungsspiele",
        {{"P7", "Spiel um Platz 7", "SV", {"4.A", "4.B"}},
         {"P5", "Spiel um Platz 5", "SV", {"3.A", "3.B"}},
         {"P3", "Spiel um Platz 3", "SV", {"V" + Number(hf[0]), "V" + Number(hf[1])}}});
    const auto last = form.AddRound("Finale", {{"F", "Finale", "SV", {"S" + Number(hf[0]), "S" + Number(hf[1])}}});
    std::vector<std::string> placing;
    for (int game : {last[0][0], third[2][0], third[1][0], third[0][0], second[0][0]}) {
        placing.push_back("S" + Number(game));
        placing.push_back("V" + Number(game));
    }
    form.SetPlacing(placing);
    return Record(10, "Zwei Gruppen zu 5 mit Halbfinale, Finale und Platzierungsspielen", form,
                  "Zwei Gruppen zu fünf spielen jeder gegen jeden. Die Ersten und Zweiten spielen über Kreuz "
                  "das Halbfinale, danach das Spiel um Platz 3 und das Finale. Die Dritten, Vierten und "
                  "Fünften der Gruppen spielen um die Plätze 5, 7 und 9.");
}

// Four groups of four; quarter-finals crosswise, then semi-finals and the games for places 5 to 8.
FormRecord FourGroupsRecord() {
    FormText form;
    std::vector<FormGroup> groups;
    for (int p = 0; p < 4; ++p) groups.push_back({LetterId(p), "Gruppe " + LetterId(p), "JGJ", Teams(4 * p + 1, 4)});
    form.AddRound("Vorrunde", groups);
    const std::vector<int> qf = form.AddRound(
        "Viertelfinale", {{"VF", "Viertelfinale", "SV", {"1.A", "2.B", "1.B", "2.A", "1.C", "2.D", "1.D", "2.C"}}})[0];
    auto codes = [&](char kind, int a, int b) {
        return std::vector<std::string>{kind + Number(qf[static_cast<size_t>(a)]),
                                        kind + Number(qf[static_cast<size_t>(b)])};
    };
    std::vector<std::string> semis = codes('S', 0, 2), placings = codes('V', 0, 2);
    for (const std::string& code : codes('S', 1, 3)) semis.push_back(code);
    for (const std::string& code : codes('V', 1, 3)) placings.push_back(code);
    const auto third =
        form.AddRound("Halbfinale", {{"HF", "Halbfinale", "SV", semis}, {"PH", "Ueberkreuzspiel", "SV", placings}});
    const auto& hf = third[0];
    const auto& ph = third[1];
    auto pair = [](char kind, const std::vector<int>& games) {
        return std::vector<std::string>{kind + Number(games[0]), kind + Number(games[1])};
    };
    const auto last = form.AddRound("Finale", {{"P7", "Spiel um Platz 7", "SV", pair('V', ph)},
                                               {"P5", "Spiel um Platz 5", "SV", pair('S', ph)},
                                               {"P3", "Spiel um Platz 3", "SV", pair('V', hf)},
                                               {"F", "Finale", "SV", pair('S', hf)}});
    std::vector<std::string> placing;
    for (int g = 3; g >= 0; --g) {
        placing.push_back("S" + Number(last[static_cast<size_t>(g)][0]));
        placing.push_back("V" + Number(last[static_cast<size_t>(g)][0]));
    }
    for (int place = 3; place <= 4; ++place)
        for (int i = 1; i <= 4; ++i) placing.push_back("B" + Number(i) + "/" + Number(place) + "/A,B,C,D");
    form.SetPlacing(placing);
    return Record(16, "Vier Gruppen zu 4 mit Viertelfinale, Halbfinale, Finale und Platzierungsspielen", form,
                  "Vier Gruppen zu vier spielen jeder gegen jeden. Die Ersten und Zweiten spielen über Kreuz "
                  "das Viertelfinale; die Sieger das Halbfinale, die Verlierer die Plätze 5 bis 8 aus. Die "
                  "Plätze 9 bis 16 nach den Gruppentabellen.");
}

int SwissRounds(int n) {
    int rounds = 2;
    for (int size = 1; size < n; size *= 2) ++rounds;
    return std::min(rounds, n - 1);
}

}  // namespace

std::string LetterId(int n) {
    if (n < 26) return std::string(1, static_cast<char>('A' + n));
    n -= 26;
    return std::string{static_cast<char>('A' + n / 26 % 26), static_cast<char>('A' + n % 26)};
}

std::vector<std::vector<int>> FormText::AddRound(const std::string& name, const std::vector<FormGroup>& groups) {
    text_ += "!" + name + "|";
    std::vector<std::vector<int>> numbers(groups.size());
    std::vector<int> left;
    for (const FormGroup& group : groups) {
        text_ += "$" + group.id + "$" + group.name + "$" + group.system + "$";
        for (const std::string& item : group.items) text_ += item + ";";
        left.push_back(GamesOfSystem(group.system, static_cast<int>(group.items.size())));
    }
    text_ += "|";
    // The groups take turns, one game each, as long as any has games left.
    for (bool any = true; any;) {
        any = false;
        for (size_t g = 0; g < groups.size(); ++g)
            if (left[g] > 0) {
                --left[g];
                numbers[g].push_back(++games_);
                any = true;
            }
    }
    ++rounds_;
    return numbers;
}

void FormText::SetPlacing(const std::vector<std::string>& items) {
    text_ += "<$$>";
    for (const std::string& item : items) text_ += item + ";";
}

int GamesOfSystem(const std::string& system, int n) {
    if (system == "JGJ") return n * (n - 1) / 2;
    if (system == "JGJ2") return n * (n - 1);
    if (system == "SV") return n / 2;
    if (system.size() > 1 && system[0] == 'A' && n >= 2) return std::max(0, ToInt(system.substr(1)));
    return 0;
}

std::string KnockOutForm(int n) {
    if (n < 2 || n > 256) return {};
    FormText form;
    form.SetPlacing(KnockOut(form, Teams(1, n), 1));
    return form.Text();
}

std::string SwissForm(int n, int rounds) {
    if (n < 2 || n > 256 || rounds < 1 || rounds > n - 1) return {};
    FormText form;
    for (int r = 1; r <= rounds; ++r) {
        const std::string name = "Runde " + Number(r);
        form.AddRound(name, {{"R" + Number(r), name, "SV", r == 1 ? Teams(1, n) : Places("R" + Number(r - 1), n)}});
    }
    return form.Text();
}

std::string PoolForm(int n) {
    if (n < 8 || n > 256 || n % 8 != 0) return {};
    return PoolText(n).Text();
}

FormKind KindOfShortText(const std::string& shortText) {
    auto startsWith = [&](const char* prefix) { return shortText.rfind(prefix, 0) == 0; };
    if (startsWith("Schweizer System")) return FormKind::Swiss;
    if (startsWith("K.O.-System")) return FormKind::KnockOut;
    if (startsWith("Poolspiel")) return FormKind::Pool;
    return FormKind::Groups;
}

std::vector<FormRecord> FormCatalogue() {
    std::vector<FormRecord> records;
    for (int n = 3; n <= 8; ++n) records.push_back(RoundRobinRecord(n));
    records.push_back(TwoGroupsRecord());
    records.push_back(TwoGroupsOfFiveRecord());
    records.push_back(FourGroupsRecord());
    for (int n : {4, 8, 16, 32, 64}) {
        const std::string form = KnockOutForm(n);
        records.push_back({n, "K.O.-System mit " + Number(n) + " Teilnehmern und Spiel um Platz 3", form,
                           "Wer verliert, scheidet aus. Die Verlierer der Halbfinale spielen um Platz 3.",
                           CountRounds(form)});
    }
    for (int n = 8; n <= 64; n += 8) {
        const int rounds = SwissRounds(n);
        records.push_back({n, "Schweizer System mit " + Number(n) + " Spielern in " + Number(rounds) + " Runden",
                           SwissForm(n, rounds),
                           "Jede Runde spielen Spieler mit gleich vielen Punkten gegeneinander. Die Tabelle der "
                           "letzten Runde ergibt die Endplatzierung.",
                           rounds});
    }
    for (int n : {8, 16}) {
        const FormText form = PoolText(n);
        records.push_back(Record(n, "Poolspiel mit " + Number(n) + " Teilnehmern: Gruppen zu 4, dann K.O.-System", form,
                                 "Gruppen zu vier spielen jeder gegen jeden; die Ersten und Zweiten spielen im "
                                 "K.O.-System weiter. Die Dritten und Vierten der Gruppen folgen in der "
                                 "Endplatzierung."));
    }
    return records;
}

std::vector<std::string> FormFileLines(const std::vector<FormRecord>& records) {
    std::vector<std::string> lines = FormFileHeader();
    for (const FormRecord& r : records) {
        lines.push_back(Number(r.count) + "|" + r.shortText + "|" + r.form);
        lines.push_back("|" + r.description);
    }
    lines.push_back("##ENDE##");
    return lines;
}

int CountRounds(const std::string& form) {
    const std::string rounds = form.substr(0, form.find("<$$>"));
    return static_cast<int>(std::count(rounds.begin(), rounds.end(), '!'));
}

namespace {

// Takes one line of a forms file into the records read so far; open tells whether the last
// record still waits for its description.
void TakeFormLine(const std::string& line, std::vector<FormRecord>& records, bool& open) {
    if (!line.empty() && line[0] == '|') {
        if (open) {
            std::string description = line.substr(1);
            for (size_t p; (p = description.find("&&")) != std::string::npos;) description.replace(p, 2, "\n");
            records.back().description = description;
        }
        open = false;
        return;
    }
    open = false;
    const size_t first = line.find('|');
    const size_t second = first == std::string::npos ? first : line.find('|', first + 1);
    if (second == std::string::npos) return;
    FormRecord record;
    record.count = ToInt(line.substr(0, first));
    record.shortText = line.substr(first + 1, second - first - 1);
    record.form = line.substr(second + 1);
    record.rounds = CountRounds(record.form);
    if (record.count < 1 || record.form.empty()) return;
    records.push_back(std::move(record));
    open = true;
}

}  // namespace

FormFile ReadFormFile(const std::string& path) {
    // More records than any catalogue holds; a file beyond it is not read further.
    constexpr int kLineLimit = 20000;
    FormFile read;
    Dateihandling file;
    if (!file.Open(path, "R", false)) {
        // A missing file holds nothing unread; one that is there and cannot be read does.
        struct stat info {};
        read.complete = ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
        return read;
    }
    read.opened = true;
    bool open = false;  // the last record still waits for its description
    int number = 0;
    while (number < kLineLimit && !file.Eof()) {
        const std::string line = file.ReadLine();
        ++number;
        if (file.LineTooLong() || !IsPlainText(line)) {
            read.badLine = number;
            read.badLineTooLong = file.LineTooLong();
            break;
        }
        if (line == "##ENDE##") {
            read.endMarker = true;
            break;
        }
        TakeFormLine(line, read.records, open);
    }
    read.complete = read.badLine == 0 && (read.endMarker || file.ReadCompletely());
    file.Close();
    return read;
}

std::string FormFileProblem(const std::string& path, const FormFile& file) {
    if (file.complete) return {};
    if (!file.opened) return "Die Datei " + path + " kann nicht gelesen werden.";
    if (file.badLine > 0)
        return "Die Datei " + path + " kann nicht vollständig gelesen werden: Zeile " + IntToStr(file.badLine) + " " +
               BadLineText(file.badLineTooLong) + ".";
    return "Die Datei " + path + " kann nicht vollständig gelesen werden.";
}

std::vector<FormRecord> ReadFormRecords(const std::string& path) { return ReadFormFile(path).records; }
