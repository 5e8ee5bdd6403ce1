#include "output/druckOp.h"

#include "output/OutputNotice.h"

TfrmDruckOptionen::TfrmDruckOptionen(const TfrmDruck& engine) : engine_(engine) {
    CheckBox3.SetCaption("Gruppentabelle drucken");
    CheckBox4.SetCaption("Mannschaftsliste ");
    CheckBox7.SetCaption("Endplatzierung");
}

void TfrmDruckOptionen::doPrint(int mode, int type, int subType, const std::vector<std::string>& items) {
    requests.push_back({mode, type, subType, items, CheckBox3.Checked(), CheckBox4.Checked(), CheckBox7.Checked(),
                        engine_.EigeneSeite});
    NoticeOnce("Dieses Programm druckt nicht: der Ausdruck wird nicht erstellt.");
}
