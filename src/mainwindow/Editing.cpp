// Handlers of group and round editing, single games, the clash report, the play-through and the
// tabs "Wertung" and "Sonstiges".
#include "engine/Fehlermeldungen.h"
#include "engine/GruppeLoeschen.h"
#include "engine/GruppenListe.h"
#include "engine/RundenWertung.h"
#include "engine/SpielEinstellung.h"
#include "engine/TurnierSpielen.h"
#include "mainwindow/main.h"

namespace {

// Typing minutes into a field of "Sonstiges" chooses what that field is for.
void ChooseOnly(TRadioButton& chosen, TMainForm& form) {
    for (TRadioButton* option : {&form.RadioButton18, &form.RadioButton19, &form.RadioButton20})
        option->SetChecked(option == &chosen);
}

}  // namespace

void TForm1::IAeverButton18Click(TObject*) { GruppeEditieren(*this); }
void TForm1::IAeverButton19Click(TObject*) { GruppeAusListe(*this); }
void TForm1::SpeedButton7Click(TObject*) { GruppeLoeschen(*this); }
void TForm1::SpeedButton8Click(TObject*) { RundeLoeschen(*this); }
void TForm1::XPlan1DblClick(TObject*) { PlanDoppelklick(*this, true); }
void TForm1::XPlan2DblClick(TObject*) { PlanDoppelklick(*this, false); }
void TForm1::IAeverButton38Click(TObject*) { doFehlermeldungen(*this); }
void TForm1::IAeverButton9Click(TObject*) { GruppenWertung(*this); }
void TForm1::IAeverButton3Click(TObject*) { SpielzeitenAendern(*this); }
void TForm1::umValidEdit5Change(TObject*) { ChooseOnly(RadioButton18, *this); }
void TForm1::umValidEdit7Change(TObject*) { ChooseOnly(RadioButton19, *this); }

void TForm1::IAeverButton33Click(TObject*) {
    IAeverButton33.Enabled = false;
    TurnierDurchspielen(*this);
    IAeverButton33.Enabled = true;
}

void TForm1::BindEditing() {
    IAeverButton18.OnClick = [this](TObject* s) { IAeverButton18Click(s); };
    IAeverButton19.OnClick = [this](TObject* s) { IAeverButton19Click(s); };
    SpeedButton7.OnClick = [this](TObject* s) { SpeedButton7Click(s); };
    SpeedButton8.OnClick = [this](TObject* s) { SpeedButton8Click(s); };
    IAeverButton38.OnClick = [this](TObject* s) { IAeverButton38Click(s); };
    Fehlermeldungen1.OnClick = [this](TObject* s) { IAeverButton38Click(s); };
    IAeverButton33.OnClick = [this](TObject* s) { IAeverButton33Click(s); };
    Turnierdurchspielen1.OnClick = [this](TObject* s) { IAeverButton33Click(s); };
    IAeverButton9.OnClick = [this](TObject* s) { IAeverButton9Click(s); };
    IAeverButton3.OnClick = [this](TObject* s) { IAeverButton3Click(s); };
    umValidEdit5.OnChange = [this](TObject* s) { umValidEdit5Change(s); };
    umValidEdit7.OnChange = [this](TObject* s) { umValidEdit7Change(s); };
}
