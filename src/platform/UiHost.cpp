#include "platform/UiHost.h"

#include <atomic>

#include "platform/Dialog.h"

namespace {

class DetachedUiHost : public UiHost {
public:
    int MessageBox(TMsgKind, const std::string& text, TMsgButtons buttons) override {
        if (buttons == TMsgButtons::Ok) return mrOk;
        throw UnscriptedQuestion("no user to answer: " + text);
    }
    bool ChooseFile(const std::string&, std::string&) override { return false; }
    void ShowModal(TDialog& dialog) override { dialog.Cancel(); }
};

DetachedUiHost detachedHost;
std::atomic<UiHost*> currentHost{&detachedHost};

}  // namespace

TMsgKind MsgKindFromNumber(int kind) {
    switch (kind) {
        case 1: return TMsgKind::Information;
        case 2: return TMsgKind::Confirmation;
        case 3: return TMsgKind::Warning;
        case 4: return TMsgKind::Error;
        default: return TMsgKind::Plain;
    }
}

int ScriptedUiHost::MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
    boxes.push_back({kind, text, buttons});
    if (buttons == TMsgButtons::Ok) return mrOk;
    if (answers_.empty()) {
        unscripted.push_back(text);
        throw UnscriptedQuestion("unscripted question: " + text);
    }
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedUiHost::ChooseFile(const std::string& filter, std::string& fileName) {
    fileFilters.push_back(filter);
    if (files_.empty()) {
        unscripted.push_back("file dialog " + filter);
        throw UnscriptedQuestion("unscripted file dialog: " + filter);
    }
    std::string path = files_.front();
    files_.pop_front();
    if (path.empty()) return false;
    fileName = path;
    return true;
}

void ScriptedUiHost::ShowModal(TDialog& dialog) {
    dialogCaptions.push_back(dialog.Caption());
    if (dialogs_.empty()) {
        unscripted.push_back("dialog " + dialog.Caption());
        dialog.Cancel();
        throw UnscriptedQuestion("unscripted dialog: " + dialog.Caption());
    }
    std::vector<std::string> lines = std::move(dialogs_.front());
    dialogs_.pop_front();
    for (const std::string& line : lines) {
        bool closed = false;
        const std::string problem = ApplyDialogLine(dialog, line, closed);
        if (!problem.empty()) dialogProblems.push_back(line + ": " + problem);
        if (closed) return;
    }
    unscripted.push_back("dialog left open: " + dialog.Caption());
    dialog.Cancel();
    throw UnscriptedQuestion("dialog left open: " + dialog.Caption());
}

void SetUiHost(UiHost* host) { currentHost.store(host ? host : &detachedHost); }
UiHost& Ui() { return *currentHost.load(); }
