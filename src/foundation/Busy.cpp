#include "foundation/Busy.h"

#include "foundation/Logs.h"
#include "foundation/MainForm.h"
#include "foundation/MessageBoxes.h"

BusyScope::BusyScope(TMainForm& form, const std::string& operation) : form_(form), owner_(form.BusyWith.empty()) {
    if (owner_) form_.BusyWith = operation;
}

BusyScope::~BusyScope() {
    if (owner_) form_.BusyWith.clear();
}

bool IsBusy(const TMainForm& form) { return !form.BusyWith.empty(); }

bool RefuseWhileBusy(TMainForm& form) {
    if (!IsBusy(form)) return false;
    Log("[A] Befehl abgewiesen, es laeuft noch: " + form.BusyWith);
    ShowMsg(3, "Bitte warten: \"" + form.BusyWith + "\" ist noch nicht fertig. Der Befehl wurde nicht ausgeführt.");
    return true;
}
