#include "foundation/Notation.h"

#include <charconv>

#include "foundation/Settings.h"
#include "foundation/Texts.h"

namespace {

// A positive decimal without sign or blanks that fits an int; 0 for anything else.
int PositiveNumber(std::string_view text) {
    if (text.empty() || text.size() > 9) return 0;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text[0] == '-' || text[0] == '+') return 0;
    return value > 0 ? value : 0;
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// The rest of the name after the prefix, or the empty text when the name does not start so.
std::string After(const std::string& name, const std::string& prefix) {
    return name.compare(0, prefix.size(), prefix) == 0 ? name.substr(prefix.size()) : std::string();
}

bool IsGroupId(std::string_view id) { return !id.empty() && !HasAnyOf(id, kGroupIdCharacters); }

ParticipantCode ReadBestOf(std::string_view rest) {
    ParticipantCode code;
    const size_t first = rest.find('/');
    const size_t second = first == std::string_view::npos ? first : rest.find('/', first + 1);
    if (second == std::string_view::npos) return code;
    const int i = PositiveNumber(rest.substr(0, first));
    const int k = PositiveNumber(rest.substr(first + 1, second - first - 1));
    std::string_view list = rest.substr(second + 1);
    // The ids are separated by ","; one closing "," is allowed, as the resolution adds one.
    if (!list.empty() && list.back() == ',') list.remove_suffix(1);
    if (i < 1 || k < 1 || list.empty()) return code;
    for (size_t start = 0;;) {
        const size_t comma = list.find(',', start);
        const std::string_view id = list.substr(start, comma == std::string_view::npos ? list.npos : comma - start);
        if (!IsGroupId(id)) return ParticipantCode{};
        code.groups.emplace_back(id);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    code.kind = CodeKind::BestOf;
    code.number = i;
    code.rank = k;
    return code;
}

std::string BestOfCodeText(std::string_view code) {
    const std::string_view rest = code.substr(1);
    const size_t first = rest.find('/');
    if (first == std::string_view::npos) return {};
    const size_t second = rest.find('/', first + 1);
    if (second == std::string_view::npos) return {};
    return std::string(rest.substr(0, first)) + ". Bester aller " +
           std::string(rest.substr(first + 1, second - first - 1)) + ". der Gruppen " +
           std::string(rest.substr(second + 1));
}

}  // namespace

bool HasAnyOf(std::string_view text, std::string_view characters) {
    return text.find_first_of(characters) != std::string_view::npos;
}

ParticipantCode ReadParticipantCode(std::string_view item) {
    ParticipantCode code;
    if (item.empty()) return code;
    const char first = item[0];
    if (first == 'M' || first == 'S' || first == 'V') {
        code.number = PositiveNumber(item.substr(1));
        if (code.number > 0)
            code.kind = first == 'M' ? CodeKind::Team : first == 'S' ? CodeKind::Winner : CodeKind::Loser;
        return code;
    }
    if (first == 'B') return ReadBestOf(item.substr(1));
    const size_t dot = item.find('.');
    if (dot == std::string_view::npos) return code;
    code.number = PositiveNumber(item.substr(0, dot));
    const std::string_view id = item.substr(dot + 1);
    if (code.number < 1 || !IsGroupId(id)) return ParticipantCode{};
    code.kind = CodeKind::Place;
    code.groups.emplace_back(id);
    return code;
}

std::vector<std::string> SplitItems(std::string_view list) {
    std::vector<std::string> items;
    for (size_t start = 0;;) {
        const size_t semicolon = list.find(';', start);
        if (semicolon == std::string_view::npos) {
            items.emplace_back(list.substr(start));
            return items;
        }
        items.emplace_back(list.substr(start, semicolon - start));
        start = semicolon + 1;
    }
}

std::string GameCodeText(char kind, std::string_view game) {
    return lngText(kind == 'S' ? 13 : 14) + " " + std::string(game);
}

std::string TeamCodeText(const TMainForm& form, std::string_view number) {
    return GetSetting(form, "TeamTyp", lngText(2)) + " " + std::string(number);
}

std::string PlaceCodeText(std::string_view place, std::string_view groupId) {
    return std::string(place) + ". " + lngText(3) + " " + std::string(groupId);
}

std::string CodeDisplayText(const TMainForm& form, std::string_view code) {
    if (code.empty()) return {};
    const char first = code[0];
    if (first == 'S' || first == 'V') return GameCodeText(first, code.substr(1));
    if (first == 'M') return TeamCodeText(form, code.substr(1));
    if (first == 'B') return BestOfCodeText(code);
    const size_t dot = code.find('.');
    if (dot == std::string_view::npos) return {};
    return PlaceCodeText(code.substr(0, dot), code.substr(dot + 1));
}

std::string PlacingCodeOfName(const std::string& name) {
    for (int text : {13, 14}) {
        const std::string game = After(name, lngText(text) + " ");
        if (IsNumber(game)) return name.substr(0, 1) + game;
    }
    const size_t dot = name.find(". " + lngText(3) + " ");
    if (dot == std::string::npos || !IsNumber(name.substr(0, dot))) return {};
    const std::string group = name.substr(dot + 3 + lngText(3).size());
    return group.empty() ? std::string() : name.substr(0, dot) + "." + group;
}
