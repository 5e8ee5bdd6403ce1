#include "dialogs/Dialogs.h"

#include <memory>

#include "foundation/MainForm.h"

Dialogs& DialogsOf(TMainForm& form) {
    if (!form.DialogSet) form.DialogSet = std::make_shared<Dialogs>();
    return *static_cast<Dialogs*>(form.DialogSet.get());
}
