// Handlers of the name lists: teams, referees and time keepers.
#include "engine/NameLists.h"
#include "mainwindow/main.h"

void TForm1::RadioButton6Click(TObject*) { Ran(__func__); loadNamensliste(*this, true); }
void TForm1::RadioButton9Click(TObject*) { Ran(__func__); loadNamensliste(*this, false); }
void TForm1::Button6Click(TObject*) { Ran(__func__); addPersonName(*this); }
void TForm1::Button3Click(TObject*) { Ran(__func__); addZeitnehmer(*this); }
void TForm1::IAeverButton36Click(TObject*) { Ran(__func__); deletePersonNames(*this); }
void TForm1::Button4Click(TObject*) { Ran(__func__); deleteZeitnehmer(*this); }
void TForm1::IAeverButton8Click(TObject*) { Ran(__func__); importNameFile(*this, true); }
void TForm1::IAeverButton10Click(TObject*) { Ran(__func__); importNameFile(*this, false); }

void TForm1::BindNameLists() {
    RadioButton6.OnClick = [this](TObject* s) { RadioButton6Click(s); };
    RadioButton9.OnClick = [this](TObject* s) { RadioButton9Click(s); };
    Button6.OnClick = [this](TObject* s) { Button6Click(s); };
    Button3.OnClick = [this](TObject* s) { Button3Click(s); };
    IAeverButton36.OnClick = [this](TObject* s) { IAeverButton36Click(s); };
    Button4.OnClick = [this](TObject* s) { Button4Click(s); };
    IAeverButton8.OnClick = [this](TObject* s) { IAeverButton8Click(s); };
    IAeverButton10.OnClick = [this](TObject* s) { IAeverButton10Click(s); };
}
