#pragma once
#include <string>

#include "components/IAeverButton.h"
#include "foundation/MainForm.h"

// The main window: the shaped buttons and the handlers of its menus, buttons and views, on top
// of what the tables and the engine share with it. Handlers are short calls into the foundation
// and the engine; they are defined in files by area.
class TForm1 : public TMainForm {
public:
    TForm1();
    std::string ClassName() const override { return "TForm1"; }

    void FormCreate();

    // Window operations (views).
    void DoPlan(TStringGrid& plan, int viewMode, int key, const TStrings* filter) override;
    void doTurnierBaum() override;
    void showMenuEmpty(bool empty, bool flag) override;
    void InitAll() override;
    void showWerkzeug(int tag) override;
    void setStatusText(int panel, const std::string& text) override;
    // Puts the numbered texts into the window's components.
    void lngSetAll();

    // Names: teams, referees and time keepers.
    void RadioButton6Click(TObject* sender);
    void RadioButton9Click(TObject* sender);
    void Button6Click(TObject* sender);
    void Button3Click(TObject* sender);
    void IAeverButton36Click(TObject* sender);
    void Button4Click(TObject* sender);
    void IAeverButton8Click(TObject* sender);
    void IAeverButton10Click(TObject* sender);

    // Files: the open tournaments, their files and the exchange files.
    void XComboBox1Change(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void AktuellesTurnierspeichern1Click(TObject* sender);
    void AktuellesTurnierspeichernunter1Click(TObject* sender);
    void IAeverButton6Click(TObject* sender);
    void AktuellesTurnierentfernen1Click(TObject* sender);
    void TurnierzumTausch1Click(TObject* sender);
    void Turnierform1Click(TObject* sender);
    void Spielergebnisse1Click(TObject* sender);
    // The clock's tick: at each new minute of the day the autosave looks whether it is due.
    void Timer1Timer(TObject* sender);

    TIAeverButton IAeverButton2, IAeverButton3, IAeverButton6, IAeverButton7, IAeverButton8, IAeverButton9, IAeverButton10,
        IAeverButton11, IAeverButton12, IAeverButton13, IAeverButton14, IAeverButton16, IAeverButton17,
        IAeverButton18, IAeverButton19, IAeverButton20, IAeverButton22, IAeverButton24, IAeverButton33,
        IAeverButton36, IAeverButton37, IAeverButton38, IAeverButton40, IAeverButton42, IAeverButton43,
        IAeverButton44, IAeverButton45, IAeverButton46, IAeverButton48, IAeverButton50, IAeverButton52,
        IAeverButton54;

private:
    void RegisterButtons();
    void BindNameLists();
    void BindFiles();
};
