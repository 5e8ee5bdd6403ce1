#include "foundation/WindowHelpers.h"

#include <cstdlib>
#include <cstring>

#include "platform/Controls.h"

void RichEditAdd(TRichEdit& edit, const std::string& text, TColor color, int size) {
    edit.SelAttributes.Color = color;
    edit.SelAttributes.Size = size;
    edit.Add(text);
}

void CenterControl(TControl* control, const TControl* reference) {
    if (!control) return;
    if (reference) {
        control->Left = reference->Left + (reference->Width - control->Width) / 2;
        control->Top = reference->Top + (reference->Height - control->Height) / 2;
    } else {
        control->Left = (Screen().Width - control->Width) / 2;
        control->Top = (Screen().Height - control->Height) / 2;
    }
}

void SetWaitCursor(bool wait) { Screen().Cursor = wait ? TCursor::crHourGlass : TCursor::crDefault; }

void NumKeyFilter(const TEdit& edit, char& key) {
    if (key == ',') {
        if (edit.Text().empty() || edit.Text().find(',') != std::string::npos) key = 0;
        return;
    }
    if ((key >= '0' && key <= '9') || key == 8) return;
    key = 0;
}

bool IsIdeRunning() {
    const char* value = std::getenv("MAROVELKA_DEVELOPER");
    return value && std::strcmp(value, "1") == 0;
}

std::string GetWindowsVersion() { return {}; }
