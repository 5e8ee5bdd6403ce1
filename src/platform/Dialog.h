#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/UiHost.h"

// A modal dialog as a user fills it, whatever shows it: its fields by the labels the user sees,
// and its buttons. The dialog keeps its data and checks in its own controls; the user-interface
// host only reads and sets fields and presses buttons (a window, the terminal, a test script).

// One field: its label, its value as text, and its choices when it offers a fixed set.
struct DialogField {
    std::string label;
    std::function<std::string()> value;
    // Sets the value from the user's text; false (nothing changed) when the text is not one of
    // the choices or not acceptable for the field.
    std::function<bool(const std::string&)> assign;
    std::vector<std::string> choices;  // empty: free text
    std::function<bool()> shown = [] { return true; };
    // What the field takes, for the message when assign refuses a text (empty: no rule to name).
    std::string rule = {};
    // A second name the field answers to (a label that depends on the data keeps its plain one).
    std::string alias = {};
    // Why the field is not offered while it is not shown, for a user who names it (empty: the
    // dialog simply has no such field).
    std::string notOfferedBecause = {};
};

// One button: the name a user types for it (lower case, "ok", "abbrechen", "übernehmen") and
// what it does. press returns true when the dialog closes; a failed check shows its message and
// returns false, and the dialog stays open.
struct DialogAction {
    std::string name;
    std::string caption;
    std::function<bool()> press;
};

// The host asks for the fields and buttons anew after every step: a step may change them.
class TDialog : public TForm {
public:
    std::string ClassName() const override { return "TDialog"; }

    // Runs FormShow, then lets the host show the dialog until a button closes it or the user
    // cancels; returns ModalResult (mrOk = 1 after OK, mrCancel after cancelling).
    int ShowModal();

    virtual std::vector<DialogField> Fields() = 0;
    // What the window says above its fields, line by line, where their labels cannot say what the
    // fields mean; shown with the fields and by the help. None by default.
    virtual std::vector<std::string> Notes() { return {}; }
    // By default "ok" (CheckOk, then closes with mrOk) and "abbrechen" (closes with mrCancel).
    virtual std::vector<DialogAction> Actions();
    // Closing without a button: the window's close box, or no user left to answer.
    void Cancel() { ModalResult = mrCancel; }
    // A line the dialog takes as a whole before it is read as "Feld=Wert" or a button's name;
    // true when the dialog took it, closed when that closed the dialog. By default it takes none.
    virtual bool TakeLine(const std::string& line, bool& closed) {
        (void)line;
        (void)closed;
        return false;
    }

    // The field with this label (case-insensitive, umlauts or their two-letter forms), or null.
    const DialogField* FindField(const std::vector<DialogField>& fields, const std::string& label) const;

protected:
    // Presets when the dialog is shown.
    virtual void FormShow() {}
    // The checks of the OK button: shows the first problem in a message box and returns false.
    virtual bool CheckOk() { return true; }
    // What OK does after its checks, before the dialog closes.
    virtual void AcceptOk() {}

    DialogAction OkAction(const std::string& caption = "OK");
    DialogAction CancelAction(const std::string& caption = "Abbrechen");
};

// Field adapters for the usual controls.
DialogField TextField(const std::string& label, TEdit& edit);
// The label's text of a control that shows a text (a label or a caption).
DialogField ReadOnlyField(const std::string& label, const TControl& control);
// A combo box: any of its items (by text or number from 1); other text only when it is editable.
DialogField ChoiceField(const std::string& label, TComboBox& combo);
// A radio group: one of its items, by text or number from 1.
DialogField ChoiceField(const std::string& label, TRadioGroup& group);
// An edit filled key by key, as typed, so that its key-press filter sees every character; a text
// with a character the filter swallows is refused and the edit keeps its text. rule says what
// the field takes.
DialogField TypedField(const std::string& label, TEdit& edit, const std::string& rule);
// A check box: "ja" or "nein".
DialogField FlagField(const std::string& label, TCheckBox& box);
// Radio buttons that exclude each other: the caption of the checked one.
DialogField OptionField(const std::string& label, std::vector<std::pair<std::string, TRadioButton*>> options);

// Applies one line a user typed into an open dialog: "Feld=Wert" sets a field, a button's name
// presses it. Returns the host's own German message when the line could not be applied, the
// empty text otherwise; closed tells whether a button closed the dialog.
std::string ApplyDialogLine(TDialog& dialog, const std::string& line, bool& closed);
// What a host says of a field the user named that the dialog does not offer now (field null:
// one it never has).
std::string NoSuchField(const TDialog& dialog, const std::string& label, const DialogField* field);
// One field as a line for a text host: "  Label = value   (choices)".
std::string DescribeField(const DialogField& field);
// The dialog's caption, notes, fields and buttons as lines for a text host.
std::vector<std::string> DescribeDialog(TDialog& dialog);

// Matches a typed choice against the offered ones: the text itself (case-insensitive, umlauts or
// their two-letter forms), its typed form (TypedChoice) or its number from 1. -1 when it is none
// of them.
int MatchChoice(const std::vector<std::string>& choices, const std::string& text);
// An item of a choice as a user types it: without a box mark ("[X]") before it, runs of blanks
// as one, none at either end ("[X]      Neutrale Schiedsrichter" is "Neutrale Schiedsrichter").
std::string TypedChoice(const std::string& item);
