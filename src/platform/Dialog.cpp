#include "platform/Dialog.h"

#include <string_view>

#include "platform/Strings.h"
#include "platform/UiHost.h"
#include "platform/Utf8.h"

int TDialog::ShowModal() {
    ModalResult = mrNone;
    FormShow();
    Ui().ShowModal(*this);
    if (ModalResult == mrNone) ModalResult = mrCancel;
    return ModalResult;
}

std::vector<DialogAction> TDialog::Actions() { return {OkAction(), CancelAction()}; }

DialogAction TDialog::OkAction(const std::string& caption) {
    return {"ok", caption, [this] {
                if (!CheckOk()) return false;
                AcceptOk();
                ModalResult = mrOk;
                return true;
            }};
}

DialogAction TDialog::CancelAction(const std::string& caption) {
    return {"abbrechen", caption, [this] {
                ModalResult = mrCancel;
                return true;
            }};
}

const DialogField* TDialog::FindField(const std::vector<DialogField>& fields, const std::string& label) const {
    for (const DialogField& field : fields)
        if (SameName(field.label, label) || (!field.alias.empty() && SameName(field.alias, label))) return &field;
    return nullptr;
}

std::string TypedChoice(const std::string& item) {
    std::string_view rest = item;
    // A box mark such as "[X]" shows a state beside the item; it is not part of its name.
    if (rest.size() >= 3 && rest[0] == '[' && rest[2] == ']') rest.remove_prefix(3);
    std::string typed;
    for (char c : rest) {
        if (c != ' ' && c != '\t') typed += c;
        else if (!typed.empty() && typed.back() != ' ') typed += ' ';
    }
    if (!typed.empty() && typed.back() == ' ') typed.pop_back();
    return typed;
}

int MatchChoice(const std::vector<std::string>& choices, const std::string& text) {
    for (size_t i = 0; i < choices.size(); ++i)
        if (SameName(choices[i], text)) return static_cast<int>(i);
    for (size_t i = 0; i < choices.size(); ++i)
        if (SameName(TypedChoice(choices[i]), TypedChoice(text))) return static_cast<int>(i);
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return -1;
    const int number = std::stoi(text);
    return number >= 1 && number <= static_cast<int>(choices.size()) ? number - 1 : -1;
}

DialogField TextField(const std::string& label, TEdit& edit) {
    return {label, [&edit] { return edit.Text(); },
            [&edit](const std::string& text) {
                if (edit.ReadOnly) return false;
                edit.SetText(text);
                return true;
            },
            {}};
}

DialogField TypedField(const std::string& label, TEdit& edit, const std::string& rule) {
    DialogField field = TextField(label, edit);
    field.assign = [&edit](const std::string& text) {
        if (edit.ReadOnly) return false;
        const std::string before = edit.Text();
        edit.SetText("");
        for (size_t at = 0; at < text.size();) edit.WMChar(utf8::Next(text, at));
        if (edit.Text() == TEdit::Cased(text, edit.CharCase())) return true;
        edit.SetText(before);
        return false;
    };
    field.rule = rule;
    return field;
}

DialogField ReadOnlyField(const std::string& label, const TControl& control) {
    return {label, [&control] { return control.Caption(); }, [](const std::string&) { return false; }, {}};
}

DialogField ChoiceField(const std::string& label, TComboBox& combo) {
    DialogField field{label, [&combo] { return combo.Text(); }, nullptr, combo.Items.ToVector()};
    const bool editable = combo.Style == TComboBoxStyle::csDropDown;
    field.assign = [&combo, editable, choices = field.choices](const std::string& text) {
        const int index = MatchChoice(choices, text);
        if (index >= 0) {
            combo.SetItemIndex(index);
            return true;
        }
        if (!editable) return false;
        combo.SetText(text);
        return true;
    };
    return field;
}

DialogField ChoiceField(const std::string& label, TRadioGroup& group) {
    DialogField field{label, nullptr, nullptr, group.Items.ToVector()};
    field.value = [&group] { return group.ItemIndex() >= 0 ? group.Items[group.ItemIndex()] : std::string(); };
    field.assign = [&group, choices = field.choices](const std::string& text) {
        const int index = MatchChoice(choices, text);
        if (index < 0) return false;
        group.SetItemIndex(index);
        if (group.OnClick) group.OnClick(&group);
        return true;
    };
    return field;
}

DialogField FlagField(const std::string& label, TCheckBox& box) {
    return {label, [&box] { return std::string(box.Checked() ? "ja" : "nein"); },
            [&box](const std::string& text) {
                const int index = MatchChoice({"ja", "nein"}, text);
                if (index < 0) return false;
                box.SetChecked(index == 0);
                return true;
            },
            {"ja", "nein"}};
}

DialogField OptionField(const std::string& label, std::vector<std::pair<std::string, TRadioButton*>> options) {
    DialogField field{label, nullptr, nullptr, {}};
    for (const auto& option : options) field.choices.push_back(option.first);
    field.value = [options] {
        for (const auto& [caption, button] : options)
            if (button->Checked()) return caption;
        return std::string();
    };
    field.assign = [options, choices = field.choices](const std::string& text) {
        const int index = MatchChoice(choices, text);
        if (index < 0) return false;
        for (size_t i = 0; i < options.size(); ++i) options[i].second->SetChecked(static_cast<int>(i) == index);
        return true;
    };
    return field;
}

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ChoiceList(const std::vector<std::string>& choices) {
    std::string list;
    for (size_t i = 0; i < choices.size(); ++i) list += (i ? ", " : "") + choices[i];
    return list;
}

// The choices as a user types them, for a message that says which are possible.
std::string TypedChoiceList(const std::vector<std::string>& choices) {
    std::vector<std::string> typed;
    for (const std::string& choice : choices) typed.push_back(TypedChoice(choice));
    return ChoiceList(typed);
}

}  // namespace

std::string ApplyDialogLine(TDialog& dialog, const std::string& line, bool& closed) {
    closed = false;
    if (dialog.TakeLine(line, closed)) return {};
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
        const std::string name = Trim(line);
        std::vector<std::string> buttons;
        for (const DialogAction& action : dialog.Actions()) {
            if (SameName(action.name, name)) {
                closed = action.press();
                return {};
            }
            buttons.push_back(action.name);
        }
        return "Unbekannte Schaltfläche \"" + name + "\" im Dialog \"" + dialog.Caption() + "\" (möglich: " +
               ChoiceList(buttons) + ")";
    }
    const std::string label = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    const std::vector<DialogField> fields = dialog.Fields();
    const DialogField* field = dialog.FindField(fields, label);
    if (!field || !field->shown()) return NoSuchField(dialog, label, field);
    if (field->assign(value)) return {};
    if (!field->rule.empty()) return "Für \"" + field->label + "\" ist \"" + value + "\" nicht möglich: " + field->rule;
    if (!field->choices.empty())
        return "Für \"" + field->label + "\" ist \"" + value + "\" nicht möglich (möglich: " +
               TypedChoiceList(field->choices) + ")";
    return "Das Feld \"" + field->label + "\" kann nicht geändert werden";
}

std::string NoSuchField(const TDialog& dialog, const std::string& label, const DialogField* field) {
    const std::string none = "Das Feld \"" + label + "\" gibt es im Dialog \"" + dialog.Caption() + "\" nicht";
    if (!field || field->notOfferedBecause.empty()) return none;
    return "Das Feld \"" + field->label + "\" bietet der Dialog \"" + dialog.Caption() + "\" hier nicht an: " +
           field->notOfferedBecause;
}

std::string DescribeField(const DialogField& field) {
    std::string line = "  " + field.label + " = " + field.value();
    if (!field.choices.empty()) line += "   (" + ChoiceList(field.choices) + ")";
    return line;
}

std::vector<std::string> DescribeDialog(TDialog& dialog) {
    std::vector<std::string> lines{"[Dialog] " + dialog.Caption()};
    for (const std::string& note : dialog.Notes()) lines.push_back("  " + note);
    for (const DialogField& field : dialog.Fields())
        if (field.shown()) lines.push_back(DescribeField(field));
    std::string buttons = "  Schaltflächen:";
    for (const DialogAction& action : dialog.Actions()) buttons += " " + action.name;
    lines.push_back(buttons);
    return lines;
}
