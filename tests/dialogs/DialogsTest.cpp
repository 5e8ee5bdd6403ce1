#include <gtest/gtest.h>

#include "LightForm.h"
#include "TestEnvironment.h"
#include "dialogs/Dialogs.h"

class DialogsTest : public ProgramTest {};

TEST_F(DialogsTest, EachWindowHasItsOwnDialogsMadeOnce) {
    LightForm first, second;
    Dialogs& a = DialogsOf(first);
    EXPECT_EQ(&DialogsOf(first), &a);
    EXPECT_NE(&DialogsOf(second), &a);
}
