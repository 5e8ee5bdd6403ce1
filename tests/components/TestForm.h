#pragma once
#include "TestEnvironment.h"
#include "platform/Controls.h"
#include "platform/WinControl.h"
#include "platform/Window.h"

// A top-level window that the controls under test live in, with its window made.
class TestForm : public TForm, public TWinControl {
public:
    TestForm(int width, int height, TColor colour = clWhite) : TWinControl(static_cast<TForm&>(*this)) {
        Width = width;
        Height = height;
        Color = colour;
        Handle();
    }
    ~TestForm() override { DestroyHandle(); }
};

// A test of windowed controls: the mouse and keyboard start afresh, and what is left in the
// queue is handled before the controls go.
class WindowedTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        userinput::Reset();
    }
    void TearDown() override {
        ProcessMessages();
        ProgramTest::TearDown();
    }
};
