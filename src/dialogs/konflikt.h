#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Grids.h"
#include "platform/Strings.h"

class TMainForm;

// The placing conflict: participants of a finished group that the ranking rules could not
// separate. The user puts them in order; their standings rows take that order.
class TfrmKonflikt : public TDialog {
public:
    TfrmKonflikt();
    std::string ClassName() const override { return "TfrmKonflikt"; }

    // Set by the caller before showing.
    TMainForm* Form = nullptr;          // the window whose standings are settled
    int GrNr = 0;                       // the finished group
    const TStringList* Teams = nullptr; // the tied participant numbers (KonfliktTeams)

    TEdit Edit1;    // the new order: the numbers of the places shown, e.g. "2,1,3"
    TStringGrid Grid1;  // the tied participants: column 0 heads its rows "Platz" and the participant word

    std::vector<DialogField> Fields() override;

protected:
    void FormShow() override;
    bool CheckOk() override;
    void AcceptOk() override;

private:
    // The tied participants' standings rows, top first, and their names.
    std::vector<int> rows_;
    std::vector<std::unique_ptr<TLabel>> names_;
    std::vector<int> order_;
};
