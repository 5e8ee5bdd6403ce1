#include "RoundsFixture.h"

#include "dialogs/Dialogs.h"
#include "foundation/Accessors.h"
#include "foundation/Conversions.h"

void RoundsTest::SetUp() {
    ProgramTest::SetUp();
    FreshTournament();
    InstallPairingFile();
}

void RoundsTest::FreshTournament() {
    NewForm();
    form->XAFelder.Items.Add("");
    form->XARunden.Items.Add("");
    form->XZeitSpiele.SetChecked(true);
    form->Edit12.SetText("20");
    form->Edit13.SetText("5");
}

void RoundsTest::ListGroup(const std::string& id, const std::string& name, const std::string& codes,
                           const std::string& system) {
    TStringGrid& list = form->Gruppen;
    const int row = list.Cells(0, 1).empty() ? 1 : list.RowCount();
    if (row >= list.RowCount()) list.SetRowCount(row + 1);
    list.SetCells(0, row, id);
    list.SetCells(1, row, name);
    list.SetCells(2, row, codes);
    list.SetCells(3, row, IntToStr(CountChar(codes, U';') + 1));
    list.SetCells(4, row, system);
}

void RoundsTest::RoundPage(int number, const std::string& name) {
    form->Edit4.SetText(IntToStr(number));
    form->Edit3.SetText(name);
}

void RoundsTest::WizardSystem(int system, int participants) {
    TfrmNeuTur& wizard = DialogsOf(*form).frmNeuTur;
    wizard.RadioGroup4.SetItemIndex(system);
    wizard.Feld1.SetText(IntToStr(participants));
}

std::vector<std::string> RoundsTest::Rows(const TStringGrid& grid) {
    std::vector<std::string> rows;
    for (int r = 1; r < grid.RowCount(); ++r) {
        std::string line;
        for (int c = 0; c < grid.ColCount(); ++c) line += grid.Cells(c, r) + "|";
        rows.push_back(line);
    }
    return rows;
}

std::vector<std::string> RoundsTest::Column(const TStringGrid& grid, int column) {
    std::vector<std::string> cells;
    for (int r = 1; r < grid.RowCount(); ++r) cells.push_back(grid.Cells(column, r));
    return cells;
}

std::vector<std::string> RoundsTest::Boxes() const {
    std::vector<std::string> texts;
    for (const MessageBoxRecord& box : ui.boxes) texts.push_back(box.text);
    return texts;
}

std::vector<std::string> RoundsTest::Snapshot() const {
    std::vector<std::string> all;
    auto add = [&](const std::vector<std::string>& part) {
        all.insert(all.end(), part.begin(), part.end());
        all.push_back("--");
    };
    const TMainForm& f = *form;
    const std::vector<const TStringGrid*> grids{&f.Gruppe, &f.Teams, &f.Platz, &f.Spielplan, &f.Ein, &f.Gruppen, &f.TPlatz};
    for (const TStringGrid* grid : grids)
        add(Rows(*grid));
    for (const TListBox* list : {&form->XAGruppBez, &form->XAGruppName, &form->XATeams, &form->XATeamsTur,
                                 &form->XAFelder, &form->XARunden})
        add(list->Items.ToVector());
    add({form->Edit3.Text(), form->Edit4.Text(), form->Edit5.Text(), form->Edit10.Text(), IntToStr(form->AnzRunden)});
    return all;
}
