#include "frontend/TestCommands.h"

#include <memory>
#include <optional>
#include <ostream>

#include "foundation/MessageBoxes.h"
#include "frontend/CommandTable.h"
#include "platform/Clock.h"
#include "platform/Dialog.h"
#include "platform/FileOperations.h"

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

// The disk the program writes to from now on: full up to the bytes still left, or as it is.
class TestDisk {
public:
    void Fill(size_t bytesLeft) {
        scope_.reset();
        disk_ = std::make_unique<FullDiskFileOperations>(bytesLeft);
        scope_.emplace(*disk_);
    }
    void Free() {
        scope_.reset();
        disk_.reset();
    }

private:
    std::unique_ptr<FullDiskFileOperations> disk_;
    std::optional<ScopedFileOperations> scope_;
};

bool SetTestDisk(CommandCall& call) {
    static TestDisk disk;
    const auto& args = call.args;
    const bool digits = args.size() == 2 && !args[1].empty() && args[1].size() <= 9 &&
                        args[1].find_first_not_of("0123456789") == std::string::npos;
    if (args.size() == 1 && args[0] == "frei") {
        disk.Free();
        call.out << "Der Datenträger hat wieder Platz.\n";
        return true;
    }
    if (args.empty() || args[0] != "voll" || (args.size() > 1 && !digits) || args.size() > 2)
        return Fail(call, "„testdatentraeger voll [BYTES]“ oder „testdatentraeger frei“.");
    const size_t left = digits ? std::stoul(args[1]) : 0;
    disk.Fill(left);
    call.out << "Der Datenträger ist voll; es passen noch " << left << " Bytes darauf.\n";
    return true;
}

// The fixed clock of a test run moves on, so that the timer's work of a later minute (the
// autosave) comes between two commands, as it does between two commands typed minutes apart.
bool AdvanceTestClock(CommandCall& call) {
    const auto& args = call.args;
    auto* clock = dynamic_cast<ManualClock*>(&GetClock());
    if (!clock) return Fail(call, "Die Uhr geht nach der Systemzeit und lässt sich nicht vorstellen.");
    if (args.size() != 1 || args[0].empty() || args[0].size() > 6 || args[0].find_first_not_of("0123456789") != std::string::npos)
        return Fail(call, "„testuhr MINUTEN“ mit einer Minutenzahl von 0 bis 999999.");
    clock->Advance(std::stoll(args[0]) * 60000);
    call.out << "Die Uhr zeigt " << datetime::FormatLogStamp(clock->Now()) << ".\n";
    return true;
}

}  // namespace

void AddTestCommands(CommandTable& table) {
    table.Add(Command{"testdialog", kMenuHilfe, "[Feld=Wert...] [ok|abbrechen]", "Einen Testdialog zeigen (nur für Tests)",
                      "Felder: Name (Text, darf nicht leer sein), Art (Liga oder Pokal), Zufall (ja oder nein).", false,
                      ShowTestDialog});
    table.Add(Command{"testfrage", kMenuHilfe, "", "Eine Ja/Nein-Frage stellen (nur für Tests)", "", false,
                      AskTestQuestion});
    table.Add(Command{"testdatentraeger", kMenuHilfe, "voll [BYTES] | frei",
                      "Den Datenträger voll erscheinen lassen (nur für Tests)",
                      "Nach „voll“ passen nur noch BYTES Bytes (ohne Angabe keins) auf den Datenträger, bis „frei“.",
                      false, SetTestDisk});
    table.Add(Command{"testuhr", kMenuHilfe, "MINUTEN", "Die Uhr um MINUTEN Minuten vorstellen (nur für Tests)",
                      "Was der Takt der Uhr in dieser Zeit tut (das automatische Speichern), geschieht vor dem "
                      "nächsten Befehl.",
                      false, AdvanceTestClock});
}
