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
    // The tie came with results imported from another copy, whose later results stand on the
    // order that copy gave it.
    bool Importiert = false;

    TEdit Edit1;    // the new order: the list numbers of the participants shown, best first, e.g. "2,1,3"
    TStringGrid Grid1;  // the tied participants: column 0 heads its rows "Platz" and the participant word

    std::vector<DialogField> Fields() override;
    std::vector<std::string> Notes() override;

protected:
    void FormShow() override;
    bool CheckOk() override;
    void AcceptOk() override;

private:
    // How "Reihenfolge" is read, with the participants shown as the example.
    std::string OrderExample() const;

    // The tied participants' standings rows, top first, and their names.
    std::vector<int> rows_;
    std::vector<std::unique_ptr<TLabel>> names_;
    std::vector<int> order_;
};
