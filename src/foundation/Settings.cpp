#include "foundation/Settings.h"

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "mainwindow/main.h"

namespace {
int FindKeyRow(const TSortGrid& ein, const std::string& key) {
    for (int r = 1; r < ein.RowCount(); ++r)
        if (Get(ein, Ein_Name, r, true) == key) return r;
    return 0;
}
}  // namespace

void SetSetting(const std::string& key, const std::string& value) {
    if (!Form1 || Form1->AktTurNr < 1) return;
    TSortGrid& ein = Form1->Ein;
    if (int row = FindKeyRow(ein, key); row > 0) {
        Put(ein, Ein_Wert, row, value, true);
        return;
    }
    if (IntGet(ein, 0, 1, true) > 0) ein.SetRowCount(ein.RowCount() + 1);
    const int row = ein.RowCount() - 1;
    Put(ein, 1, row, IntToStr(TabelleEin), true);
    Put(ein, Ein_Name, row, key, true);
    Put(ein, Ein_Wert, row, value, true);
    Put(ein, 0, row, IntToStr(Form1->AktTurNr), true);
}

std::string GetSetting(const std::string& key, const std::string& defaultValue) {
    if (!Form1 || Form1->AktTurNr < 1) return defaultValue;
    int row = FindKeyRow(Form1->Ein, key);
    return row > 0 ? Get(Form1->Ein, Ein_Wert, row, true) : defaultValue;
}
