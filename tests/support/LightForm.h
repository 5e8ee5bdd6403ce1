#pragma once
#include <string>
#include <vector>

#include "foundation/MainForm.h"

// A main window without views: its window operations only record that they were called, so the
// tests of the tables and the engine see what an operation asked of the window.
class LightForm : public TMainForm {
public:
    void DoPlan(TStringGrid& plan, int viewMode, int key, const TStrings* filter) override;
    void doTurnierBaum() override;
    void showMenuEmpty(bool empty, bool flag) override;
    void InitAll() override;
    void showWerkzeug(int tag) override;
    void setStatusText(int panel, const std::string& text) override;
    void doGrafik(int flag) override;

    // One entry per call, e.g. "DoPlan(XPlan1)", "showMenuEmpty(true)", "showWerkzeug(30)".
    std::vector<std::string> calls;
};
