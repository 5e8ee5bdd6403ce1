#include "engine/Tschweiz.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <functional>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "engine/BitCount.h"
#include "platform/Utf8.h"

namespace {

constexpr std::string_view kPairMark = "[%%]";
constexpr int kWordBits = 64;

using Word = std::uint64_t;
// Pairs of standings positions in path order.
using Pairing = std::vector<std::pair<int, int>>;

std::string PairKey(const std::string& a, const std::string& b) { return a + std::string(kPairMark) + b; }

// A short log line put together in place: the pieces are numbers and fixed texts, at most the
// room given, and a round writes many such lines.
class ShortLine {
public:
    ShortLine& operator<<(std::string_view text) {
        at_ = std::copy(text.begin(), text.end(), at_);
        return *this;
    }
    ShortLine& operator<<(int number) {
        at_ = std::to_chars(at_, chars_.end(), number).ptr;
        return *this;
    }
    std::string_view Text() const { return {chars_.data(), static_cast<size_t>(at_ - chars_.data())}; }

private:
    std::array<char, 64> chars_;  // the longest: "mPlayed[" and "] = " and "[%%]" with three numbers
    char* at_ = chars_.data();
};

// What one call is given: the players and the played keys as texts, or both as numbers. The log
// lines of either are the same.
struct TextCall {
    const TStrings& standings;
    const TStrings& played;
    int Players() const { return standings.Count(); }
    int Games() const { return played.Count(); }
    std::string StandingLine(int p) const { return "Platz " + std::to_string(p + 1) + " = " + standings[p]; }
    std::string PlayedLine(int k) const { return "mPlayed[" + std::to_string(k) + "] = " + played[k]; }
};

struct NumberCall {
    const std::vector<int>& standings;
    const std::vector<std::pair<int, int>>& played;
    int Players() const { return static_cast<int>(standings.size()); }
    int Games() const { return static_cast<int>(played.size()); }
    std::string StandingLine(int p) const {
        return std::string((ShortLine() << "Platz " << p + 1 << " = " << standings[static_cast<size_t>(p)]).Text());
    }
    std::string PlayedLine(int k) const {
        const auto& [a, b] = played[static_cast<size_t>(k)];
        return std::string((ShortLine() << "mPlayed[" << k << "] = " << a << kPairMark << b).Text());
    }
};

// The places of numbers among the distinct numbers of a list, so that no played pair of a call
// by numbers is put in words: every game so far asks for its two players. Participant numbers lie
// close together, so a table over their span answers at once; numbers spread wider are found by
// halving.
class NumberClasses {
public:
    explicit NumberClasses(const std::vector<int>& numbers) : distinct_(numbers) {
        std::ranges::sort(distinct_);
        distinct_.erase(std::unique(distinct_.begin(), distinct_.end()), distinct_.end());
        if (distinct_.empty()) return;
        low_ = distinct_.front();
        const long long span = static_cast<long long>(distinct_.back()) - low_ + 1;
        if (span > 4 * static_cast<long long>(distinct_.size()) + kSmallSpan) return;
        placeByOffset_.assign(static_cast<size_t>(span), -1);
        for (size_t place = 0; place < distinct_.size(); ++place)
            placeByOffset_[static_cast<size_t>(distinct_[place] - low_)] = static_cast<int>(place);
    }
    int Count() const { return static_cast<int>(distinct_.size()); }
    // The number's place, or -1 for a number not in the list.
    int Of(int number) const {
        if (!placeByOffset_.empty()) {
            const long long offset = static_cast<long long>(number) - low_;
            const bool inSpan = offset >= 0 && offset < static_cast<long long>(placeByOffset_.size());
            return inSpan ? placeByOffset_[static_cast<size_t>(offset)] : -1;
        }
        const auto found = std::ranges::lower_bound(distinct_, number);
        return found != distinct_.end() && *found == number ? static_cast<int>(found - distinct_.begin()) : -1;
    }

private:
    static constexpr long long kSmallSpan = 64;
    std::vector<int> distinct_;
    long long low_ = 0;
    std::vector<int> placeByOffset_;  // empty where the numbers lie too far apart
};

// The players of one call as positions 0 .. n-1 in standings order, and who may still meet whom.
// The played list knows players only by their text, so players with equal texts form one text
// class: a key played by one of them is played by all. Keys are counted, not just marked, because
// a round's keys are taken back again after a look at the rounds behind it.
class Board {
public:
    explicit Board(const TextCall& call);
    explicit Board(const NumberCall& call);

    int Count() const { return static_cast<int>(texts_.size()); }
    int Words() const { return words_; }
    // The positions `player` may still meet (never himself), as a bit set of Words() words.
    const Word* Opponents(int player) const { return &open_[static_cast<size_t>(player) * words_]; }
    bool EveryoneHasOpponents(long long rounds) const;
    // Adds (+1) or takes back (-1) the pair keys of a round, as the played list would.
    void PlayRound(const Pairing& round, int delta);
    std::string PathText(const Pairing& round) const;

private:
    std::vector<std::string> texts_;
    std::vector<int> classOf_;
    // The players of each text class as a chain, as most classes hold one player: by class the
    // last one's position, by player the one before him of his class (-1 ends the chain).
    std::vector<int> lastOfClass_;
    std::vector<int> earlierOfClass_;
    // Looked up by parts of the played keys, without copying them out.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> classByText_;
    // Only then can one key stand for more than one pair of texts.
    bool textsHoldPairMark_ = false;
    // Which pairs of text classes have met, either order together, each pair at its place in a
    // triangle (the lower class's place in the row of the higher one). A pair has met when the
    // played list holds a key of it, kept as a bit, since many classes have met few others; or
    // while rounds looked ahead pair it, counted, since each such round is taken back again. The
    // counts are made only once a round is looked ahead.
    std::vector<Word> played_;
    std::vector<int> aheadCount_;
    int words_ = 0;
    std::vector<Word> open_;

    int Classes() const { return static_cast<int>(lastOfClass_.size()); }
    void Reserve(int players);
    void AddPlayer(std::string text, int textClass);
    // Once every player is in: nobody has met anybody yet.
    void OpenAll();
    static size_t PairPlace(int c1, int c2) {
        const auto low = static_cast<size_t>(std::min(c1, c2)), high = static_cast<size_t>(std::max(c1, c2));
        return high * (high + 1) / 2 + low;
    }
    bool Played(size_t pair) const { return (played_[pair / kWordBits] >> (pair % kWordBits) & 1) != 0; }
    bool Met(size_t pair) const { return Played(pair) || (!aheadCount_.empty() && aheadCount_[pair] > 0); }
    // Calls each(c1, c2) for the classes of every pair of texts the key stands for.
    template <typename Each>
    void ForEachClassPair(const std::string& key, Each each) const;
    void MarkPlayed(int c1, int c2);
    // A round looked ahead pairs the classes (+1), or is taken back (-1).
    void CountAhead(int c1, int c2, int delta);
    // Every player of c1 may meet every other player of c2 again, or no longer.
    void SetClassesOpen(int c1, int c2, bool open);
    void SetOpen(int player, int opponent, bool open);
};

Board::Board(const TextCall& call) {
    Reserve(call.Players());
    for (int i = 0; i < call.Players(); ++i) {
        const std::string& text = call.standings[i];
        AddPlayer(text, classByText_.emplace(text, Classes()).first->second);
        textsHoldPairMark_ = textsHoldPairMark_ || text.find(kPairMark) != std::string::npos;
    }
    OpenAll();
    for (int k = 0; k < call.Games(); ++k)
        ForEachClassPair(call.played[k], [this](int c1, int c2) { MarkPlayed(c1, c2); });
}

// Equal numbers are equal texts: a number's class is its place among the distinct numbers.
Board::Board(const NumberCall& call) {
    const NumberClasses classes(call.standings);
    Reserve(call.Players());
    lastOfClass_.assign(static_cast<size_t>(classes.Count()), -1);
    for (int number : call.standings) AddPlayer(std::to_string(number), classes.Of(number));
    OpenAll();
    for (const auto& [a, b] : call.played)
        if (const int c1 = classes.Of(a), c2 = classes.Of(b); c1 >= 0 && c2 >= 0) MarkPlayed(c1, c2);
}

void Board::Reserve(int players) {
    texts_.reserve(static_cast<size_t>(players));
    classOf_.reserve(static_cast<size_t>(players));
    earlierOfClass_.reserve(static_cast<size_t>(players));
}

void Board::AddPlayer(std::string text, int textClass) {
    if (textClass == Classes()) lastOfClass_.push_back(-1);
    earlierOfClass_.push_back(std::exchange(lastOfClass_[static_cast<size_t>(textClass)], Count()));
    classOf_.push_back(textClass);
    texts_.push_back(std::move(text));
}

void Board::OpenAll() {
    const int n = Count();
    words_ = (n + kWordBits - 1) / kWordBits;
    open_.assign(static_cast<size_t>(n) * words_, ~Word{0});
    for (int i = 0; i < n; ++i) {
        if (n % kWordBits != 0) open_[static_cast<size_t>(i + 1) * words_ - 1] = (Word{1} << (n % kWordBits)) - 1;
        SetOpen(i, i, false);
    }
    const size_t classes = lastOfClass_.size();
    played_.assign((classes * (classes + 1) / 2 + kWordBits - 1) / kWordBits, 0);
}

bool Board::EveryoneHasOpponents(long long rounds) const {
    for (int i = 0; i < Count(); ++i)
        if (bits::Count(Opponents(i), words_) < rounds) return false;
    return true;
}

void Board::PlayRound(const Pairing& round, int delta) {
    for (const auto& [a, b] : round) {
        if (textsHoldPairMark_)
            ForEachClassPair(PairKey(texts_[static_cast<size_t>(a)], texts_[static_cast<size_t>(b)]),
                             [this, delta](int c1, int c2) { CountAhead(c1, c2, delta); });
        else
            CountAhead(classOf_[static_cast<size_t>(a)], classOf_[static_cast<size_t>(b)], delta);
    }
}

std::string Board::PathText(const Pairing& round) const {
    std::string path = "|";
    for (const auto& [a, b] : round)
        path.append(texts_[static_cast<size_t>(a)]).append(kPairMark).append(texts_[static_cast<size_t>(b)]).append("|");
    return path;
}

// A key equals a + "[%%]" + b exactly where a mark in it has a's text before and b's after.
template <typename Each>
void Board::ForEachClassPair(const std::string& key, Each each) const {
    const std::string_view whole(key);
    for (size_t p = whole.find(kPairMark); p != std::string_view::npos; p = whole.find(kPairMark, p + 1)) {
        const auto first = classByText_.find(whole.substr(0, p));
        const auto second = classByText_.find(whole.substr(p + kPairMark.size()));
        if (first != classByText_.end() && second != classByText_.end()) each(first->second, second->second);
    }
}

void Board::MarkPlayed(int c1, int c2) {
    const size_t pair = PairPlace(c1, c2);
    if (Played(pair)) return;
    const bool before = Met(pair);
    played_[pair / kWordBits] |= Word{1} << (pair % kWordBits);
    if (!before) SetClassesOpen(c1, c2, false);
}

void Board::CountAhead(int c1, int c2, int delta) {
    if (aheadCount_.empty()) aheadCount_.assign(played_.size() * kWordBits, 0);
    const size_t pair = PairPlace(c1, c2);
    const bool before = Met(pair);
    aheadCount_[pair] += delta;
    if (const bool after = Met(pair); before != after) SetClassesOpen(c1, c2, !after);
}

void Board::SetClassesOpen(int c1, int c2, bool open) {
    for (int i = lastOfClass_[static_cast<size_t>(c1)]; i >= 0; i = earlierOfClass_[static_cast<size_t>(i)])
        for (int j = lastOfClass_[static_cast<size_t>(c2)]; j >= 0; j = earlierOfClass_[static_cast<size_t>(j)])
            if (i != j) {
                SetOpen(i, j, open);
                SetOpen(j, i, open);
            }
}

void Board::SetOpen(int player, int opponent, bool open) {
    Word& word = open_[static_cast<size_t>(player) * words_ + static_cast<size_t>(opponent / kWordBits)];
    const Word bit = Word{1} << (opponent % kWordBits);
    word = open ? (word | bit) : (word & ~bit);
}

// Sets of unpaired players (as words) that have no complete pairing on the board as it stands.
class UnpairableSets {
public:
    bool Contains(std::span<const Word> players) const { return sets_.find(players) != sets_.end(); }
    void Add(std::span<const Word> players) { sets_.emplace(players.begin(), players.end()); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::span<const Word> players) const {
            size_t h = 0;
            for (Word w : players) h = (h ^ std::hash<Word>{}(w)) * 0x100000001b3ULL;
            return h;
        }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(std::span<const Word> a, std::span<const Word> b) const { return std::ranges::equal(a, b); }
    };
    std::unordered_set<std::vector<Word>, Hash, Equal> sets_;
};

// The order in which a search pairs the players it has left.
enum class PairingOrder {
    // The first unpaired player meets each opponent he may still meet, in standings order: the
    // order that decides which path a round gets.
    Standings,
    // The player with the fewest possible opponents first: for questions that only ask whether
    // some pairing exists, this finds dead ends long before the standings order would.
    TightestFirst,
};

// Goes through the complete pairings of a board, each pair made of players who may still meet,
// and hands each to `take` until it takes one. A set of unpaired players that has no complete
// pairing is the same dead end after any start, so it is searched only once; a set whose
// pairings were merely turned down by `take` is searched again, because behind another start its
// pairings are other paths.
class PathSearch {
public:
    using Taker = std::function<bool(const Pairing&)>;
    PathSearch(const Board& board, PairingOrder order, Taker take);
    // True when `take` took a pairing. The board must stay as it is while this runs, but for
    // changes that `take` undoes before it returns.
    bool Run();

private:
    const Board& board_;
    PairingOrder order_;
    Taker take_;
    int words_;
    std::vector<Word> levels_;  // the unpaired players at each depth
    Pairing pairing_;
    UnpairableSets unpairable_;
    long long completed_ = 0;
    // For each unpaired player, how many of the other unpaired players he has met: kept up to
    // date pair by pair, as players meet few of the others, so that no depth counts every
    // player's opponents anew. His opponents are the others less those he met.
    std::vector<int> met_;
    int mostMet_ = 0;  // the most players any player has met

    std::span<Word> Level(int depth) {
        return {levels_.data() + static_cast<size_t>(depth) * words_, static_cast<size_t>(words_)};
    }
    bool Extend(int depth);
    // The player to pair next among `players` (`count` of them); -1 when some player has nobody
    // left to meet among the others, a dead end found without walking down to where it shows.
    int NextPlayer(std::span<const Word> players, int count) const;
    // a and b were paired, leaving `rest` unpaired: the players of rest who met them count them
    // no longer (by -1), or again (by +1) when the pair is taken back.
    void Recount(std::span<const Word> rest, int a, int b, int by);
};

PathSearch::PathSearch(const Board& board, PairingOrder order, Taker take)
    : board_(board), order_(order), take_(std::move(take)), words_(board.Words()) {
    const int n = board.Count();
    levels_.assign(static_cast<size_t>(n / 2 + 1) * words_, 0);
    for (int i = 0; i < n; ++i) levels_[static_cast<size_t>(i / kWordBits)] |= Word{1} << (i % kWordBits);
}

bool PathSearch::Run() {
    const int n = board_.Count();
    met_.assign(static_cast<size_t>(n), 0);
    mostMet_ = 0;
    for (int player = 0; player < n; ++player) {
        met_[static_cast<size_t>(player)] = n - 1 - bits::Count(board_.Opponents(player), words_);
        mostMet_ = std::max(mostMet_, met_[static_cast<size_t>(player)]);
    }
    return Extend(0);
}

bool PathSearch::Extend(int depth) {
    const std::span<Word> rest = Level(depth);
    if (std::ranges::all_of(rest, [](Word w) { return w == 0; })) {
        ++completed_;
        return take_(pairing_);
    }
    const int a = NextPlayer(rest, board_.Count() - 2 * depth);
    if (a < 0) {
        unpairable_.Add(rest);
        return false;
    }
    const long long completedBefore = completed_;
    const std::span<Word> next = Level(depth + 1);
    const Word* opponents = board_.Opponents(a);
    for (int w = 0; w < words_; ++w) {
        for (Word candidates = rest[w] & opponents[w]; candidates != 0; candidates &= candidates - 1) {
            const int b = w * kWordBits + std::countr_zero(candidates);
            std::ranges::copy(rest, next.begin());
            next[static_cast<size_t>(a / kWordBits)] &= ~(Word{1} << (a % kWordBits));
            next[static_cast<size_t>(w)] &= ~(Word{1} << (b % kWordBits));
            if (unpairable_.Contains(next)) continue;
            pairing_.emplace_back(a, b);
            Recount(next, a, b, -1);
            const bool taken = Extend(depth + 1);
            Recount(next, a, b, +1);
            if (taken) return true;
            pairing_.pop_back();
        }
    }
    if (completed_ == completedBefore) unpairable_.Add(rest);
    return false;
}

int PathSearch::NextPlayer(std::span<const Word> players, int count) const {
    // Only a player who met every other one has no opponent left: while more players are left
    // than anybody met, the first is the one in standings order.
    if (order_ == PairingOrder::Standings && count - 1 > mostMet_) {
        const auto word = std::ranges::find_if(players, [](Word w) { return w != 0; });
        return static_cast<int>(word - players.begin()) * kWordBits + std::countr_zero(*word);
    }
    int chosen = -1;
    int most = 0;
    for (int w = 0; w < words_; ++w)
        for (Word bits = players[static_cast<size_t>(w)]; bits != 0; bits &= bits - 1) {
            const int player = w * kWordBits + std::countr_zero(bits);
            const int met = met_[static_cast<size_t>(player)];
            if (met == count - 1) return -1;
            if (chosen < 0 || (order_ == PairingOrder::TightestFirst && met > most)) {
                chosen = player;
                most = met;
            }
        }
    return chosen;
}

// The counts of a and b themselves stay as they were: they are the right ones again once the
// pair is taken back.
void PathSearch::Recount(std::span<const Word> rest, int a, int b, int by) {
    for (const int gone : {a, b}) {
        const Word* opponents = board_.Opponents(gone);
        for (int w = 0; w < words_; ++w)
            for (Word bits = rest[static_cast<size_t>(w)] & ~opponents[w]; bits != 0; bits &= bits - 1)
                met_[static_cast<size_t>(w * kWordBits + std::countr_zero(bits))] += by;
    }
}

bool checkFollowRounds(Board& board, long long firstRound, int roundLimit);

// Whether the rounds after round `roundNumber` can all still be paired once `round` is played.
bool FollowRoundsPairable(Board& board, const Pairing& round, long long roundNumber, int roundLimit) {
    board.PlayRound(round, +1);
    const bool paired = checkFollowRounds(board, roundNumber + 1, roundLimit);
    board.PlayRound(round, -1);
    return paired;
}

// Whether rounds firstRound .. roundLimit can all still be paired on the board. Each round goes
// through its pairings and asks the same of the rounds behind it for each, so the pairings a
// round turned down count only as long as the rounds before it stay as they are.
bool checkFollowRounds(Board& board, long long firstRound, int roundLimit) {
    if (firstRound > roundLimit || board.Count() == 0) return true;
    // Every round takes one new opponent from each player.
    if (!board.EveryoneHasOpponents(roundLimit - firstRound + 1)) return false;
    PathSearch search(board, PairingOrder::TightestFirst, [&](const Pairing& round) {
        return FollowRoundsPairable(board, round, firstRound, roundLimit);
    });
    return search.Run();
}

// With a limit that no tournament of this size reaches, some player runs out of opponents before
// the limit after any pairing of this round, so every path would be turned down in the end.
bool LimitOutOfReach(const Board& board, int round, int roundLimit) {
    return roundLimit >= board.Count() && round < roundLimit &&
           !board.EveryoneHasOpponents(static_cast<long long>(roundLimit) - round + 1);
}

// A character takes four bytes at most: a longer text is counted only when it might be short.
void AddLogLine(TMemo* memo, std::string text) {
    if (memo != nullptr && (text.size() > 8 || utf8::Length(text) > 2)) memo->Lines.Add(std::move(text));
}

// The attempts at one round as the log shows them: each opens with the round, the paths blocked
// so far and the games played.
template <typename Call>
class Attempts {
public:
    Attempts(TMemo* memo, int round, const Call& call) : memo_(memo), round_(round), call_(call) {}

    void Open() const {
        if (memo_ == nullptr) return;
        AddLogLine(memo_, "RUNDE " + std::to_string(round_));
        for (const std::string& path : blocked_) AddLogLine(memo_, " -> Block: " + path);
        for (int i = 0; i < call_.Games(); ++i) AddLogLine(memo_, call_.PlayedLine(i));
    }
    std::string Fail() const {
        Open();
        return "ERROR";
    }
    bool Blocked(const std::string& path) const { return blockedTexts_.contains(path); }
    void Block(const std::string& path) {
        blockedTexts_.insert(path);
        blocked_.push_back(path);
    }

private:
    TMemo* memo_;
    int round_;
    const Call& call_;
    std::vector<std::string> blocked_;
    std::unordered_set<std::string> blockedTexts_;
};

template <typename Call>
void LogStandings(TMemo* memo, const Call& call) {
    if (memo == nullptr) return;
    for (int p = 0; p < call.Players(); ++p) AddLogLine(memo, call.StandingLine(p));
    AddLogLine(memo, std::string(66, '='));
}

}  // namespace

TSchweiz::TSchweiz(int roundLimit, TMemo* logMemo) : roundLimit_(roundLimit), logMemo_(logMemo) {}

bool TSchweiz::RoundLimitPossible(int roundLimit, int playerCount) { return roundLimit < playerCount; }

std::string TSchweiz::PairRound(int round, const TStrings& standings, const TStrings& played) {
    return Pair(round, TextCall{standings, played});
}

std::string TSchweiz::PairRound(int round, const std::vector<int>& standings,
                                const std::vector<std::pair<int, int>>& played) {
    return Pair(round, NumberCall{standings, played});
}

template <typename Call>
std::string TSchweiz::Pair(int round, const Call& call) {
    playerCount_ = call.Players();
    LogStandings(logMemo_, call);
    Attempts attempts(logMemo_, round, call);
    // The last player would be left without an opponent, whatever the search tried.
    if (playerCount_ % 2 != 0) return attempts.Fail();
    Board board(call);
    const bool lookAhead = round >= playerCount_ / 2;
    if (lookAhead && LimitOutOfReach(board, round, roundLimit_)) return attempts.Fail();
    // When no pairing of this round leaves the rounds behind it pairable, each path is turned
    // down: asking once spares asking again for every path.
    const bool anyPairable = !lookAhead || checkFollowRounds(board, round, roundLimit_);
    std::string chosen = "ERROR";
    PathSearch search(board, PairingOrder::Standings, [&](const Pairing& pairing) {
        std::string path = board.PathText(pairing);
        if (attempts.Blocked(path)) return false;  // another path of the same text was turned down
        attempts.Open();
        AddLogLine(logMemo_, "Path: " + path);
        if (!lookAhead || (anyPairable && FollowRoundsPairable(board, pairing, round, roundLimit_))) {
            chosen = std::move(path);
            return true;
        }
        attempts.Block(path);
        return false;
    });
    if (!search.Run()) attempts.Open();
    return chosen;
}
