#pragma once
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

class TDialog;

// Modal results of the class library.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

// Kinds of message box: 1 information, 2 confirmation, 3 warning, 4 error, anything else plain.
enum class TMsgKind { Plain = 0, Information = 1, Confirmation = 2, Warning = 3, Error = 4 };
TMsgKind MsgKindFromNumber(int kind);

enum class TMsgButtons { Ok, YesNo };

struct MessageBoxRecord {
    TMsgKind kind;
    std::string text;
    TMsgButtons buttons;
};

// Everything that waits for the user goes through the host: message boxes now, the modal
// dialogs when they come. The program never answers a question by guessing.
class UiHost {
public:
    virtual ~UiHost() = default;
    // Shows a box and blocks until it is closed; returns the modal result.
    virtual int MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) = 0;
    // A warning only for the one who develops the program (in developer mode, every line of the
    // error log): it shows more of what happened, and never says whether the operation that
    // wrote it did its work. A warning box, unless the host keeps such boxes apart.
    virtual void ShowDeveloperWarning(const std::string& text) { MessageBox(TMsgKind::Warning, text, TMsgButtons::Ok); }
    // The open-file dialog: true with the chosen path, false when the user cancels.
    // filter is the class library's "Description|Pattern" text.
    virtual bool ChooseFile(const std::string& filter, std::string& fileName) = 0;
    // Shows a modal dialog until one of its buttons closes it; a host that has no user left
    // cancels it (TDialog::Cancel).
    virtual void ShowModal(TDialog& dialog) = 0;
};

class UnscriptedQuestion : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Records every box and answers questions from a queue; a question with no answer queued
// is recorded as unscripted and throws, so that a test cannot pass on a guessed answer.
class ScriptedUiHost : public UiHost {
public:
    int MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
    void QueueAnswer(int modalResult) { answers_.push_back(modalResult); }
    // The empty path answers a file dialog with Cancel.
    bool ChooseFile(const std::string& filter, std::string& fileName) override;
    void QueueFile(const std::string& path) { files_.push_back(path); }
    // The lines a user types into the next dialog shown: "Feld=Wert" and button names. A dialog
    // still open when its lines run out counts as unscripted.
    void ShowModal(TDialog& dialog) override;
    void QueueDialog(std::vector<std::string> lines) { dialogs_.push_back(std::move(lines)); }

    std::vector<MessageBoxRecord> boxes;
    std::vector<std::string> unscripted;
    std::vector<std::string> fileFilters;  // the filter of every file dialog shown
    std::vector<std::string> dialogCaptions;  // the caption of every dialog shown
    std::vector<std::string> dialogProblems;  // lines a dialog did not take, with the reason
    size_t PendingAnswers() const { return answers_.size() + files_.size() + dialogs_.size(); }

private:
    std::deque<int> answers_;
    std::deque<std::string> files_;
    std::deque<std::vector<std::string>> dialogs_;
};

// nullptr restores the default host, which refuses every question (no user attached).
void SetUiHost(UiHost* host);
UiHost& Ui();
