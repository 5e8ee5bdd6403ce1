// Handlers of group and round editing, single games, the clash report, the play-through and the
// tabs "Wertung" and "Sonstiges".
#include "engine/Fehlermeldungen.h"
#include "engine/GruppeLoeschen.h"
#include "engine/GruppenListe.h"
#include "engine/RundenWertung.h"
#include "engine/SpielEinstellung.h"
#include "engine/TurnierSpielen.h"
#include "foundation/WindowHelpers.h"
#include "mainwindow/main.h"

namespace {

// Typing minutes into a field of "Sonstiges" chooses what that field is for.
void ChooseOnly(TRadioButton& chosen, TMainForm& form) {
    for (TRadioButton* option : {&form.RadioButton18, &form.RadioButton19, &form.RadioButton20})
        option->SetChecked(option == &chosen);
}

}  // namespace

void TForm1::IAeverButton18Click(TObject*) { Ran(__func__); GruppeEditieren(*this); }
void TForm1::IAeverButton19Click(TObject*) { Ran(__func__); GruppeAusListe(*this); }
void TForm1::SpeedButton7Click(TObject*) { Ran(__func__); GruppeLoeschen(*this); }
void TForm1::SpeedButton8Click(TObject*) { Ran(__func__); RundeLoeschen(*this); }
void TForm1::XPlan1DblClick(TObject*) { Ran(__func__); PlanDoppelklick(*this, true); }
void TForm1::XPlan2DblClick(TObject*) { Ran(__func__); PlanDoppelklick(*this, false); }
void TForm1::IAeverButton38Click(TObject*) { Ran(__func__); doFehlermeldungen(*this); }
void TForm1::IAeverButton9Click(TObject*) { Ran(__func__); GruppenWertung(*this); }
void TForm1::IAeverButton3Click(TObject*) { Ran(__func__); SpielzeitenAendern(*this); }
void TForm1::umValidEdit5Change(TObject*) { Ran(__func__); ChooseOnly(RadioButton18, *this); }
void TForm1::umValidEdit7Change(TObject*) { Ran(__func__); ChooseOnly(RadioButton19, *this); }

void TForm1::Spieleinstellung1Click(TObject*) {
    Ran(__func__);
    PlanSpieleinstellung(*this, PopupPlan != &XPlan2);
}

void TForm1::umEdit1KeyPress(TObject* sender, char32_t& key) {
    Ran(__func__);
    const auto* edit = dynamic_cast<const TEdit*>(sender);
    if (!edit) return;
    // The filter knows the keys of a decimal number; any other character is swallowed.
    char filtered = key < 128 ? static_cast<char>(key) : '\0';
    NumKeyFilter(*edit, filtered);
    if (filtered == '\0') key = 0;
}

void TForm1::IAeverButton33Click(TObject*) {
    Ran(__func__);
    IAeverButton33.Enabled = false;
    TurnierDurchspielen(*this);
    IAeverButton33.Enabled = true;
}

void TForm1::BindEditing() {
    IAeverButton18.OnClick = [this](TObject* s) { IAeverButton18Click(s); };
    Gruppen.OnDblClick = [this](TObject* s) { IAeverButton18Click(s); };
    XPlan1.OnDblClick = [this](TObject* s) { XPlan1DblClick(s); };
    XPlan2.OnDblClick = [this](TObject* s) { XPlan2DblClick(s); };
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
    for (TEdit* points : {&umEdit1, &umEdit2, &umEdit3, &umEdit4})
        points->OnKeyPress = [this](TObject* s, char32_t& key) { umEdit1KeyPress(s, key); };
    Spieleinstellung1.SetCaption("Spieleinstellung");
    Spieleinstellung1.OnClick = [this](TObject* s) { Spieleinstellung1Click(s); };
}
