#pragma once
#include <string>

class TMainForm;

// Long operations on the tables (round creation, building a tournament form) let the window
// process its pending messages so that it repaints. A command that arrives meanwhile must not
// start another operation on the half-written tables: it asks IsBusy, or RefuseWhileBusy,
// which also tells the user.

// Marks the window busy with an operation for the scope's lifetime. A scope opened while another
// one holds the window marks nothing; the outer operation stays the one named.
class BusyScope {
public:
    BusyScope(TMainForm& form, const std::string& operation);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    TMainForm& form_;
    bool owner_;
};

bool IsBusy(const TMainForm& form);
// True, with a warning naming the running operation, while the window is busy.
bool RefuseWhileBusy(TMainForm& form);
