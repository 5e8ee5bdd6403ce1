#include "foundation/Settings.h"

#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/ProgramSettings.h"

int SettingRows::Find(const TSortGrid& ein, const std::string& key) {
    if (!valid_ || changes_ != ein.Changes() || nameColumn_ != Ein_Name) {
        rows_.clear();
        for (int r = ein.RowCount() - 1; r >= 1; --r) rows_[Get(ein, Ein_Name, r, true)] = r;
        valid_ = true;
        changes_ = ein.Changes();
        nameColumn_ = Ein_Name;
    }
    const auto found = rows_.find(key);
    return found == rows_.end() ? 0 : found->second;
}

void SetSetting(TMainForm& form, const std::string& key, const std::string& value) {
    if (form.AktTurNr < 1) return;
    TSortGrid& ein = form.Ein;
    if (int row = form.EinKeys.Find(ein, key); row > 0) {
        Put(ein, Ein_Wert, row, value, true);
        return;
    }
    if (IntGet(ein, 0, 1, true) > 0) ein.SetRowCount(ein.RowCount() + 1);
    const int row = ein.RowCount() - 1;
    Put(ein, 1, row, IntToStr(TabelleEin), true);
    Put(ein, Ein_Name, row, key, true);
    Put(ein, Ein_Wert, row, value, true);
    Put(ein, 0, row, IntToStr(form.AktTurNr), true);
}

std::string GetSetting(const TMainForm& form, const std::string& key, const std::string& defaultValue) {
    if (form.AktTurNr < 1) return defaultValue;
    const int row = form.EinKeys.Find(form.Ein, key);
    return row > 0 ? Get(form.Ein, Ein_Wert, row, true) : defaultValue;
}

void SetSettingReg(TMainForm& form, const std::string& key, const std::string& value) {
    SetSetting(form, key, value);
    RegWriteString(key, value);
}

std::string GetSettingReg(const TMainForm& form, const std::string& key, const std::string& defaultValue) {
    std::string stored = RegReadString(key, "");
    return stored.empty() ? GetSetting(form, key, defaultValue) : stored;
}
