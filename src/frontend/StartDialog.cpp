#include "frontend/StartDialog.h"

TfrmStart::TfrmStart(std::vector<std::string> choices) : choices_(std::move(choices)) {
    SetCaption("Start – was möchten Sie tun?");
}

std::vector<DialogAction> TfrmStart::Actions() {
    std::vector<DialogAction> actions;
    for (const std::string& choice : choices_)
        actions.push_back({choice, choice, [this, choice] {
                               Chosen = choice;
                               ModalResult = mrOk;
                               return true;
                           }});
    return actions;
}
