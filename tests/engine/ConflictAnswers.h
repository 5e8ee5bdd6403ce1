#pragma once
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/konflikt.h"
#include "platform/UiHost.h"

// A scripted user who settles every placing conflict with the order `choose` gives: for the count
// of participants offered, their list numbers from the first place on.
class ConflictAnsweringHost : public ScriptedUiHost {
public:
    using Choice = std::function<std::vector<int>(int count)>;
    explicit ConflictAnsweringHost(Choice choose) : choose_(std::move(choose)) {}

    void ShowModal(TDialog& dialog) override {
        if (auto* conflict = dynamic_cast<TfrmKonflikt*>(&dialog)) {
            // The order offered is "1,2,...,n".
            const std::string offered = conflict->Edit1.Text();
            const int count = offered.empty() ? 0 : 1 + static_cast<int>(std::count(offered.begin(), offered.end(), ','));
            std::string order;
            for (int number : choose_(count)) order += (order.empty() ? "" : ",") + std::to_string(number);
            QueueDialog({"Reihenfolge=" + order, "ok"});
        }
        ScriptedUiHost::ShowModal(dialog);
    }

private:
    Choice choose_;
};
