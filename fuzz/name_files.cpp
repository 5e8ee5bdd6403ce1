// Reads arbitrary bytes as a names file for the team slots and as a player list: no crash, no
// hang, and whatever is taken is a set of plain names of at most 30 characters, no more than
// there are slots, each once; a refused file takes nothing and says why.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "dialogs/frmImport.h"
#include "engine/NamenAusDatei.h"
#include "foundation/NameText.h"
#include "platform/Utf8.h"

namespace {

std::string fileName;
constexpr int kSlots = 6;

bool IsGoodName(const std::string& name) {
    return !name.empty() && IsPlainText(name) && utf8::IsValid(name) && utf8::Length(name) <= kMaxNameLength;
}

void CheckSlotNames() {
    const SlotNames read = ReadSlotNames(fileName, kSlots);
    if (!read.problem.empty() && !read.names.empty()) std::abort();
    if (static_cast<int>(read.names.size()) > kSlots) std::abort();
    std::set<std::string> seen;
    for (const std::string& name : read.names)
        if (!IsGoodName(name) || !seen.insert(name).second) std::abort();
}

void CheckPlayerList() {
    const Spielerliste list = ReadSpielerliste(fileName, kSlots);
    if (list.problem.empty() == list.teams.empty()) std::abort();
    if (static_cast<int>(list.teams.size()) > kSlots) std::abort();
    std::set<std::string> seen;
    for (const SpielerTeam& team : list.teams) {
        if (!IsGoodName(team.name) || !seen.insert(team.name).second) std::abort();
        for (const std::string& player : team.players)
            if (player.empty() || !IsPlainText(player) || player.find('|') != std::string::npos) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/fuzz-name-files-XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    setenv("MAROVELKA_HOME", folder, 1);
    fileName = std::string(folder) + "/namen.txt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CheckSlotNames();
    CheckPlayerList();
    return 0;
}
