#include "LightForm.h"

namespace {
std::string Flag(bool value) { return value ? "true" : "false"; }
}  // namespace

void LightForm::DoPlan(TStringGrid& plan, int, int, const TStrings*) {
    calls.push_back(std::string("DoPlan(") + (&plan == &XPlan1 ? "XPlan1" : "XPlan2") + ")");
}
void LightForm::doTurnierBaum() { calls.push_back("doTurnierBaum()"); }
void LightForm::showMenuEmpty(bool empty, bool) { calls.push_back("showMenuEmpty(" + Flag(empty) + ")"); }
void LightForm::InitAll() { calls.push_back("InitAll()"); }
void LightForm::showWerkzeug(int tag) { calls.push_back("showWerkzeug(" + std::to_string(tag) + ")"); }
void LightForm::setStatusText(int panel, const std::string& text) {
    calls.push_back("setStatusText(" + std::to_string(panel) + "," + text + ")");
}
void LightForm::doGrafik(int flag) { calls.push_back("doGrafik(" + std::to_string(flag) + ")"); }
