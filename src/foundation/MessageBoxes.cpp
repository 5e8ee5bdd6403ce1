#include "foundation/MessageBoxes.h"

#include "platform/UiHost.h"

void ShowMsg(int kind, const std::string& text) { Ui().MessageBox(MsgKindFromNumber(kind), text, TMsgButtons::Ok); }

void ShowDeveloperWarning(const std::string& text) { Ui().ShowDeveloperWarning(text); }

int AskYesNo(const std::string& text) { return Ui().MessageBox(TMsgKind::Confirmation, text, TMsgButtons::YesNo); }
