#include "engine/Autodruck.h"

#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/Settings.h"

namespace {

bool Chosen(const TMainForm& form, int box) {
    return GetSetting(form, "SaveCheckBox" + IntToStr(box), "false") == "true";
}

constexpr int kPrinter = 1, kGroupSheets = 7, kGameReportSheets = 10;

}  // namespace

void druckeAutomatisch(TMainForm& form, int g, const std::vector<std::string>& openedGroups) {
    if (GetSetting(form, "SmartPrint", "false") != "true") return;
    TfrmDruckOptionen& options = form.frmDruckOptionen;
    form.frmDruck.EigeneSeite = false;
    if (Chosen(form, 4)) {
        options.CheckBox3.SetChecked(true);
        if (Chosen(form, 3)) {
            options.CheckBox4.SetChecked(true);
            options.CheckBox7.SetChecked(true);
        }
        options.doPrint(kPrinter, kGroupSheets, 0, {IntToStr(g)});
    }
    if (openedGroups.empty()) return;
    form.frmDruck.EigeneSeite = Chosen(form, 9);
    if (Chosen(form, 1)) {
        options.CheckBox3.SetChecked(false);
        if (Chosen(form, 15)) {
            options.CheckBox4.SetChecked(true);
            options.CheckBox7.SetChecked(true);
        }
        options.doPrint(kPrinter, kGroupSheets, 0, openedGroups);
    }
    if (Chosen(form, 2)) {
        form.frmDruck.EigeneSeite = Chosen(form, 11);
        std::vector<std::string> sheets;
        for (const std::string& group : openedGroups) sheets.push_back("G" + group);
        options.doPrint(kPrinter, kGameReportSheets, 1, sheets);
    }
}
