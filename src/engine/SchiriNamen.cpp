#include "engine/SchiriNamen.h"

#include "foundation/Accessors.h"
#include "foundation/Conversions.h"
#include "foundation/MainForm.h"
#include "foundation/NameText.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"

namespace {
std::string Key(int k) { return "N" + IntToStr(k); }
}  // namespace

void loadSchiriNamen(TMainForm& f) {
    f.ListBox4.Items.Clear();
    for (int k = 1;; ++k) {
        const std::string name = GetSetting(f, Key(k), "");
        if (name.empty()) break;
        f.ListBox4.Items.Add(name);
    }
    f.ListBox4.SetItemIndex(-1);
}

void addSchiriNamen(TMainForm& f) {
    bool added = false;
    for (const TListItem& item : f.ListView2.Items) {
        if (!item.Selected) continue;
        const std::string name = CutName(item.Caption);
        if (name.empty() || ItemExists(f.ListBox4, name)) continue;
        f.ListBox4.Items.Add(name);
        SetSetting(f, Key(f.ListBox4.Items.Count()), name);
        added = true;
    }
    if (added) setTurChanged(f, true);
}

void removeSchiriName(TMainForm& f) {
    const int selected = f.ListBox4.ItemIndex();
    if (selected < 0) return;
    SetSetting(f, Key(f.ListBox4.Items.Count()), "");
    f.ListBox4.Items.Delete(selected);
    for (int i = 0; i < f.ListBox4.Items.Count(); ++i) SetSetting(f, Key(i + 1), f.ListBox4.Items[i]);
    f.ListBox4.SetItemIndex(-1);
    setTurChanged(f, true);
}
