#include "SwissReference.h"

#include <algorithm>
#include <functional>

namespace swiss_reference {
namespace {

const std::string kMark = "[%%]";

bool Contains(const Texts& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

bool Played(const Texts& played, const std::string& a, const std::string& b) {
    return Contains(played, a + kMark + b) || Contains(played, b + kMark + a);
}

void cutPath(std::string& path) {
    const size_t last = path.size() >= 2 ? path.rfind('|', path.size() - 2) : std::string::npos;
    if (last == std::string::npos || last == 0)
        path = "|";
    else
        path.erase(last + 1);
}

void splitPath(const std::string& path, Texts& list, int skip) {
    std::string rest = path.substr(1);
    for (size_t end = rest.find('|'); end != std::string::npos; end = rest.find('|')) {
        if (skip > 0)
            --skip;
        else
            list.push_back(rest.substr(0, end));
        rest.erase(0, end + 1);
    }
}

bool findPath(Texts candidates, Texts played, Texts exclusions, std::string& path) {
    if (candidates.empty()) return !Contains(exclusions, path);
    const std::string a = candidates[0];
    for (size_t i = 1; i < candidates.size(); ++i) {
        const std::string b = candidates[i];
        if (Played(played, a, b)) continue;
        path += a + kMark + b + "|";
        Texts rest;
        for (size_t j = 1; j < candidates.size(); ++j)
            if (j != i) rest.push_back(candidates[j]);
        if (findPath(rest, played, exclusions, path)) return true;
        cutPath(path);
    }
    return false;
}

bool checkFollowRounds(int firstRound, int roundLimit, const Texts& candidates, Texts played, Texts& exclusions) {
    if (firstRound > roundLimit) return true;
    exclusions.clear();
    const size_t perRound = candidates.size() / 2;
    std::vector<std::string> remembered(static_cast<size_t>(roundLimit) + 2);
    int k = firstRound;
    while (k <= roundLimit) {
        std::string path = "|";
        if (findPath(candidates, played, exclusions, path)) {
            splitPath(path, played, 0);
            remembered[static_cast<size_t>(k)] = path;
            ++k;
            continue;
        }
        if (k == firstRound) return false;
        --k;
        played.resize(played.size() - perRound);
        exclusions.push_back(remembered[static_cast<size_t>(k)]);
    }
    return true;
}

// Calls `take` with every complete pairing in search order until it takes one.
bool EachPairing(const Texts& candidates, Texts& played, Texts& pairs,
                 const std::function<bool(const Texts&)>& take) {
    if (candidates.empty()) return take(pairs);
    for (size_t i = 1; i < candidates.size(); ++i) {
        if (Played(played, candidates[0], candidates[i])) continue;
        Texts rest;
        for (size_t j = 1; j < candidates.size(); ++j)
            if (j != i) rest.push_back(candidates[j]);
        pairs.push_back(candidates[0] + kMark + candidates[i]);
        if (EachPairing(rest, played, pairs, take)) return true;
        pairs.pop_back();
    }
    return false;
}

bool RoundsPairable(int firstRound, int roundLimit, const Texts& standings, Texts& played) {
    if (firstRound > roundLimit) return true;
    Texts pairs;
    return EachPairing(standings, played, pairs, [&](const Texts& round) {
        Texts after = played;
        after.insert(after.end(), round.begin(), round.end());
        return RoundsPairable(firstRound + 1, roundLimit, standings, after);
    });
}

}  // namespace

Outcome LiteralPairRound(int roundLimit, int round, const Texts& standings, const Texts& played) {
    Outcome out;
    Texts mPlayed = played;
    const size_t count = standings.size();
    for (size_t p = 0; p < count; ++p) out.log.push_back("Platz " + std::to_string(p + 1) + " = " + standings[p]);
    out.log.push_back(std::string(66, '='));
    Texts exclusions;
    for (;;) {
        out.log.push_back("RUNDE " + std::to_string(round));
        for (const std::string& path : exclusions) out.log.push_back(" -> Block: " + path);
        for (size_t i = 0; i < mPlayed.size(); ++i)
            out.log.push_back("mPlayed[" + std::to_string(i) + "] = " + mPlayed[i]);
        std::string path = "|";
        if (!findPath(standings, mPlayed, exclusions, path)) {
            out.result = "ERROR";
            return out;
        }
        out.log.push_back("Path: " + path);
        splitPath(path, mPlayed, 0);
        Texts followExclusions;
        if (round < static_cast<int>(count / 2) ||
            checkFollowRounds(round + 1, roundLimit, standings, mPlayed, followExclusions)) {
            out.result = path;
            return out;
        }
        mPlayed.resize(mPlayed.size() - count / 2);
        exclusions.push_back(path);
    }
}

std::string BruteForcePairRound(int roundLimit, int round, const Texts& standings, const Texts& played) {
    Texts history = played;
    Texts pairs;
    std::string result = "ERROR";
    EachPairing(standings, history, pairs, [&](const Texts& chosen) {
        Texts after = history;
        after.insert(after.end(), chosen.begin(), chosen.end());
        if (round >= static_cast<int>(standings.size() / 2) && !RoundsPairable(round + 1, roundLimit, standings, after))
            return false;
        result = "|";
        for (const std::string& pair : chosen) result += pair + "|";
        return true;
    });
    return result;
}

std::vector<std::pair<std::string, std::string>> PathPairs(const std::string& path) {
    Texts entries;
    splitPath(path, entries, 0);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const std::string& entry : entries) {
        const size_t mark = entry.find(kMark);
        if (mark == std::string::npos)
            pairs.emplace_back(entry, "");
        else
            pairs.emplace_back(entry.substr(0, mark), entry.substr(mark + kMark.size()));
    }
    return pairs;
}

}  // namespace swiss_reference
