#pragma once
#include <string>
#include <vector>

#include "output/druck.h"
#include "platform/Controls.h"

// The print options. This program does not print: each request is recorded with the options
// it was made with, and the first one of a run tells the user so.
class TfrmDruckOptionen {
public:
    explicit TfrmDruckOptionen(const TfrmDruck& engine);

    struct PrintRequest {
        int mode = 0, type = 0, subType = 0;
        std::vector<std::string> items;
        bool gruppentabelle = false, mannschaftsliste = false, endplatzierung = false, eigeneSeite = false;
    };

    // mode 1 printer; type 7 group sheets (items: group numbers), 10 game report sheets
    // (sub-type 1, items "G" + group number).
    void doPrint(int mode, int type, int subType, const std::vector<std::string>& items);

    TCheckBox CheckBox3;  // "Gruppentabelle drucken"
    TCheckBox CheckBox4;  // "Mannschaftsliste "
    TCheckBox CheckBox7;  // "Endplatzierung"
    std::vector<PrintRequest> requests;

private:
    const TfrmDruck& engine_;
};
