#include "dialogs/TurFormExport.h"

namespace {

// A description typed on one line breaks its lines at "\n".
DialogField DescriptionField(const std::string& label, TMemo& memo) {
    return {label,
            [&memo] {
                std::string text;
                for (int i = 0; i < memo.Lines.Count(); ++i) text += (i ? "\\n" : "") + memo.Lines[i];
                return text;
            },
            [&memo](const std::string& text) {
                memo.Lines.Clear();
                size_t start = 0;
                for (size_t at; (at = text.find("\\n", start)) != std::string::npos; start = at + 2)
                    memo.Lines.Add(text.substr(start, at - start));
                memo.Lines.Add(text.substr(start));
                return true;
            },
            {}};
}

}  // namespace

TfrmExport::TfrmExport() {
    Name = "frmExport";
    SetCaption("Turnierform exportieren");
    for (TEdit* count : {&Edit1, &Edit2, &Edit3}) count->ReadOnly = true;
    Label5.SetCaption("Mannschaften");
}

std::vector<DialogField> TfrmExport::Fields() {
    DialogField participants{"Teilnehmer", [this] { return Edit1.Text() + " " + Label5.Caption(); },
                             [](const std::string&) { return false; }, {}};
    return {participants, ReadOnlyField("Runden", Edit2), ReadOnlyField("Spiele", Edit3),
            TextField("Kurzbeschreibung", Edit4), DescriptionField("Beschreibung", Memo1)};
}
