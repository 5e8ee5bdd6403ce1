// The tournament options: saving on the clock.
#include <ostream>

#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "frontend/CommandTable.h"
#include "mainwindow/main.h"
#include "platform/Dialog.h"

namespace {

constexpr int kMaxMinutes = 24 * 60;

// The options of the current tournament as a dialog: OK writes them into its settings.
class TournamentOptions : public TDialog {
public:
    explicit TournamentOptions(TForm1& form) : form_(form) {
        SetCaption("Turnieroptionen");
        AutoSave.SetChecked(GetSetting(form, "AutoSave", "false") == "true");
        Minutes.SetText(GetSetting(form, "AutoSave Min", "15"));
    }
    std::vector<DialogField> Fields() override {
        return {FlagField("AutoSave", AutoSave), TextField("AutoSave Min", Minutes)};
    }
    TCheckBox AutoSave;
    TEdit Minutes;

protected:
    bool CheckOk() override {
        const std::string& text = Minutes.Text();
        const bool number = !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
        if (number && ToInt(text) >= 1 && ToInt(text) <= kMaxMinutes) return true;
        ShowMsg(3, "Bitte geben Sie für AutoSave Min eine Minutenzahl von 1 bis " + IntToStr(kMaxMinutes) + " ein");
        return false;
    }
    void AcceptOk() override {
        SetSetting(form_, "AutoSave", AutoSave.Checked() ? "true" : "false");
        SetSetting(form_, "AutoSave Min", IntToStr(ToInt(Minutes.Text())));
        setTurChanged(form_, true);
    }

private:
    TForm1& form_;
};

void PrintAutoSave(CommandCall& call) {
    if (GetSetting(call.form, "AutoSave", "false") != "true") {
        call.out << "Automatisches Speichern: aus.\n";
        return;
    }
    call.out << "Automatisches Speichern: an, zu jeder " << GetSetting(call.form, "AutoSave Min", "15")
             << ". Minute des Tages, jedes Turnier mit Datei und ungespeicherten Änderungen.\n";
    if (call.form.Turnier.Cells(Turnier_DateiNameS, 1).empty())
        call.out << "Hinweis: Dieses Turnier hat noch keine Datei; „speichern-unter DATEI“ gibt ihm eine.\n";
}

bool Options(CommandCall& call) {
    if (!call.args.empty()) return Fail(call, "„optionen“ nimmt nur Felder des Dialogs (Feld=Wert).");
    TournamentOptions dialog(call.form);
    if (dialog.ShowModal() != mrOk) call.out << "Die Turnieroptionen bleiben, wie sie sind.\n";
    PrintAutoSave(call);
    return true;
}

const CommandRegistration kOptionCommands({
    Command{"optionen", kMenuExtras, "[Feld=Wert...] [ok|abbrechen]", "Die Turnieroptionen zeigen und setzen",
            "Der Dialog „Turnieroptionen“: AutoSave (ja oder nein) speichert jedes geöffnete Turnier, das eine\n"
            "Datei und ungespeicherte Änderungen hat, zu jeder „AutoSave Min“-ten Minute des Tages (1 bis 1440;\n"
            "bei 15 um 10:00, 10:15, ...), auch während das Programm auf eine Eingabe wartet. Eine Datei, die\n"
            "seit dem Laden oder Speichern ein anderes Programm geändert hat, überschreibt es nicht.\n"
            "Die Optionen gehören zum aktuellen Turnier und werden mit ihm gespeichert.",
            true, Options},
});

}  // namespace
