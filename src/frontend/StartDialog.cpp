#include "frontend/StartDialog.h"

TfrmStart::TfrmStart(std::vector<StartChoice> choices) : choices_(std::move(choices)) {
    SetCaption("Start – was möchten Sie tun?");
}

std::vector<DialogAction> TfrmStart::Actions() {
    std::vector<DialogAction> actions;
    for (const StartChoice& choice : choices_)
        actions.push_back({choice.name, choice.caption, [this, name = choice.name] {
                               Chosen = name;
                               ModalResult = mrOk;
                               return true;
                           }});
    return actions;
}
