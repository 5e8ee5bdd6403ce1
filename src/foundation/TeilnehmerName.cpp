#include "foundation/TeilnehmerName.h"

#include "foundation/Conversions.h"
#include "foundation/MainForm.h"

namespace {

std::string Item(const TListBox& list, int index) {
    return index >= 0 && index < list.Items.Count() ? list.Items[index] : std::string();
}

}  // namespace

std::string TeilnehmerName(const TMainForm& form, int team) {
    std::string name = Item(form.XATeamsTur, team);
    if (name.empty()) name = Item(form.XATeams, team);
    return name.empty() ? "Teilnehmer " + IntToStr(team) : name;
}
