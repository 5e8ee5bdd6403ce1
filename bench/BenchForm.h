#pragma once
#include <string>

#include "foundation/MainForm.h"

// A main window for measuring the engine: its window operations do nothing.
class BenchForm : public TMainForm {
public:
    void DoPlan(TStringGrid&, int, int, const TStrings*) override {}
    void doTurnierBaum() override {}
    void showMenuEmpty(bool, bool) override {}
    void InitAll() override {}
    void showWerkzeug(int) override {}
    void setStatusText(int, const std::string&) override {}
    void doGrafik(int) override {}
};
