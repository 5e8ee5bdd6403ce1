// Handlers of result entry: a game's result, and the placing conflict of a finished group.
#include "engine/Konflikt.h"
#include "engine/SpielplanKlick.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Tables.h"
#include "mainwindow/main.h"

namespace {
int TagOf(TObject* sender) {
    const auto* component = dynamic_cast<TComponent*>(sender);
    return component ? component->Tag : 0;
}
}  // namespace

void TForm1::SpielErgebnisClick(TObject* sender) {
    Ran(__func__);
    doSpielplanKlick(*this, nullptr, TagOf(sender), false, false);
}

void TForm1::PlatzierungskonfliktClick(TObject* sender) {
    Ran(__func__);
    if (!konfliktLoesen(*this, TagOf(sender))) {
        ShowMsg(1, "Es gibt keinen offenen Platzierungskonflikt");
        return;
    }
    setTurChanged(*this, true);
    DoPlan(XPlan1, 0, 0, nullptr);
    DoPlan(XPlan2, 0, 0, nullptr);
}
