#include "frontend/StartDialog.h"

#include "platform/Strings.h"

TfrmStart::TfrmStart(std::vector<StartChoice> choices) : choices_(std::move(choices)) {
    SetCaption("Start – was möchten Sie tun?");
}

std::vector<DialogAction> TfrmStart::Actions() {
    std::vector<DialogAction> actions;
    for (const StartChoice& choice : choices_)
        actions.push_back({choice.name, choice.caption, [this, name = choice.name] {
                               Chosen = Line = name;
                               ModalResult = mrOk;
                               return true;
                           }});
    return actions;
}

bool TfrmStart::TakeLine(const std::string& line, bool& closed) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const size_t end = line.find_first_of(" \t", first);
    if (end == std::string::npos || line.find_first_not_of(" \t", end) == std::string::npos) return false;
    const std::string word = line.substr(first, end - first);
    for (const StartChoice& choice : choices_) {
        if (!choice.takesLine || !SameName(choice.name, word)) continue;
        Chosen = choice.name;
        Line = line;
        ModalResult = mrOk;
        closed = true;
        return true;
    }
    return false;
}
