#include "output/OutputNotice.h"

#include <set>

#include "platform/UiHost.h"

namespace {
std::set<std::string>& Shown() {
    static std::set<std::string> shown;
    return shown;
}
}  // namespace

void NoticeOnce(const std::string& text) {
    if (!Shown().insert(text).second) return;
    Ui().MessageBox(TMsgKind::Information, text, TMsgButtons::Ok);
}

void ResetOutputNotices() { Shown().clear(); }
