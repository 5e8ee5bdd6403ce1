#pragma once
// A window started as the program starts it: in its program folder, with the shipped tournament
// forms and pairing tables beside it, so that relative names in commands mean files there.
#include <filesystem>
#include <memory>
#include <string>

#include "ScriptedWindow.h"
#include "TestEnvironment.h"
#include "mainwindow/main.h"

class WindowInProgramFolder : public ProgramTest, public ScriptedWindow {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* file : {"TurFormen.dat", "Spklrs.dat"})
            std::filesystem::copy_file(std::string(MAROVELKA_DATA_DIR) + "/" + file, folder + file);
        startFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        form = NewWindow();
    }
    void TearDown() override {
        std::filesystem::current_path(startFolder_);
        ProgramTest::TearDown();
    }
    // A window of a new run of the program, on the same program folder.
    static std::unique_ptr<TForm1> NewWindow() {
        auto window = std::make_unique<TForm1>();
        window->FormCreate();
        return window;
    }

private:
    std::filesystem::path startFolder_;
};
