#pragma once
#include <memory>

#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"
#include "foundation/Texts.h"
#include "mainwindow/main.h"

// The real main window with one open, still empty tournament: its lookup lists hold their fixed
// first items, and a form without a final placing gets none from the wizard.
class WindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        form->AktTurNr = 1;
        for (TListBox* list : {&form->XAGruppBez, &form->XAGruppName, &form->XAFelder, &form->XARunden})
            list->Items.Add("");
        form->XATeams.Items.Add(lngText(20));
        form->XATeamsTur.Items.Add(lngText(20));
        DialogsOf(*form).frmNeuTur.RadioGroup4.SetItemIndex(4);
    }
    std::unique_ptr<TForm1> form;
};
