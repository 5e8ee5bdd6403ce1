#include "frontend/TestCommands.h"

#include <ostream>

#include "foundation/MessageBoxes.h"
#include "frontend/CommandTable.h"
#include "platform/Dialog.h"

namespace {

// One field of each kind the dialogs use and a check on OK.
class TestDialog : public TDialog {
public:
    TestDialog() {
        SetCaption("Testdialog");
        Art.Items.SetText("Liga\nPokal");
        Art.SetItemIndex(0);
    }
    std::vector<DialogField> Fields() override {
        return {TextField("Name", Name), ChoiceField("Art", Art), FlagField("Zufall", Zufall)};
    }
    TEdit Name;
    TRadioGroup Art;
    TCheckBox Zufall;

protected:
    bool CheckOk() override {
        if (!Name.Text().empty()) return true;
        ShowMsg(3, "Bitte einen Namen angeben");
        return false;
    }
};

bool ShowTestDialog(CommandCall& call) {
    TestDialog dialog;
    if (dialog.ShowModal() != mrOk) {
        call.out << "Testdialog abgebrochen.\n";
        return true;
    }
    call.out << "Testdialog übernommen: Name=" << dialog.Name.Text() << ", Art=" << dialog.Art.Items[dialog.Art.ItemIndex()]
             << ", Zufall=" << (dialog.Zufall.Checked() ? "ja" : "nein") << "\n";
    return true;
}

bool AskTestQuestion(CommandCall& call) {
    const bool yes = AskYesNo("Weiter mit dem Test?") == mrYes;
    call.out << "Testfrage beantwortet: " << (yes ? "ja" : "nein") << "\n";
    return true;
}

}  // namespace

void AddTestCommands(CommandTable& table) {
    table.Add(Command{"testdialog", kMenuHilfe, "[Feld=Wert...] [ok|abbrechen]", "Einen Testdialog zeigen (nur für Tests)",
                      "Felder: Name (Text, darf nicht leer sein), Art (Liga oder Pokal), Zufall (ja oder nein).", false,
                      ShowTestDialog});
    table.Add(Command{"testfrage", kMenuHilfe, "", "Eine Ja/Nein-Frage stellen (nur für Tests)", "", false,
                      AskTestQuestion});
}
