#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/UiHost.h"

// Every test runs in a fresh program folder with a scripted user and a fixed clock, and with a
// fresh home and XDG folders of its own (the settings store in the program folder's "config").
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Whole content of a file in the program folder; empty when it does not exist.
    std::string ReadProgramFile(const std::string& name) const;
    bool ProgramFileExists(const std::string& name) const;
    void WriteProgramFile(const std::string& name, const std::string& content) const;

    std::string folder;  // ends in '/'
    std::string home;    // HOME, beside the program folder; ends in '/'
    ScriptedUiHost ui;
    std::unique_ptr<ManualClock> clock;

private:
    std::vector<std::pair<std::string, std::string>> savedFolders_;  // the caller's, set again after
};

// The moment the manual clock starts at: 06.12.2026 09:05:03.
TDateTime TestStartTime();

// While it lives, no file of the test process may grow beyond `bytes`: writes past that fail as
// on a full disk, so a failing write is tested on the test's own files and nothing else.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // False when the system refused the limit; the test should then be skipped.
    bool Active() const { return active_; }

private:
    bool active_ = false;
    unsigned long long savedSoftLimit_ = 0;
    void (*savedHandler_)(int) = nullptr;
};
