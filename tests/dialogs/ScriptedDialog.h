#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/UiHost.h"

// Shows a dialog to a scripted user typing `lines`, expects the dialog's result, and gives the
// texts of every message box shown so far.
inline std::vector<std::string> ShowScripted(ScriptedUiHost& ui, TDialog& dialog, std::vector<std::string> lines,
                                             int expected) {
    ui.QueueDialog(std::move(lines));
    EXPECT_EQ(dialog.ShowModal(), expected);
    std::vector<std::string> texts;
    for (const MessageBoxRecord& box : ui.boxes) texts.push_back(box.text);
    return texts;
}
