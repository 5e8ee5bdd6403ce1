// The tool area.
#include <ostream>

#include "frontend/CommandTable.h"
#include "mainwindow/main.h"

namespace {

const char* const kOverview = "Übersicht";

std::string PageName(const TTabSheet& page) { return page.Tag == 0 ? kOverview : page.Caption(); }

// A tool page by its caption; the overview by "übersicht".
TTabSheet* FindPage(TForm1& form, const std::string& wanted) {
    const std::string key = FoldName(wanted);
    for (TTabSheet* page : form.PageControl1.Pages)
        if (FoldName(PageName(*page)) == key) return page;
    return nullptr;
}

std::string PageList(TForm1& form) {
    std::string out;
    for (TTabSheet* page : form.PageControl1.Pages) out += (out.empty() ? "" : ", ") + PageName(*page);
    return out;
}

void PrintState(CommandCall& call) {
    const TTabSheet* page = call.form.PageControl1.ActivePage;
    if (call.form.ToolAreaOpen() && page) call.out << "Werkzeuge offen: " << PageName(*page) << "\n";
    else call.out << "Werkzeuge geschlossen; die Pläne sind zu sehen.\n";
}

bool Tools(CommandCall& call) {
    TForm1& form = call.form;
    std::string wanted;
    for (const std::string& word : call.args) wanted += (wanted.empty() ? "" : " ") + word;
    if (wanted.empty()) {
        form.IAeverButton11Click(nullptr);
    } else if (FoldName(wanted) == "schliessen") {
        form.IAeverButton54Click(nullptr);
    } else if (FoldName(wanted) == FoldName(kOverview)) {
        form.IAeverButton22Click(nullptr);
    } else if (const TTabSheet* page = FindPage(form, wanted)) {
        form.showWerkzeug(page->Tag);
    } else {
        return Fail(call, "Eine Werkzeugseite " + Quoted(wanted) + " gibt es nicht; es gibt: " + PageList(form) + ".");
    }
    PrintState(call);
    return true;
}

const CommandRegistration kToolCommands({
    Command{"werkzeug", kMenuWerkzeuge, "[schliessen|übersicht|SEITE]",
            "Die Werkzeuge ein- oder ausschalten oder eine Werkzeugseite zeigen",
            "Ohne Angabe wie die Schaltfläche „Werkzeug“: schaltet zwischen Werkzeugen und Plänen um.\n"
            "„werkzeug schliessen“ schließt die Werkzeuge, „werkzeug übersicht“ zeigt ihre Übersicht,\n"
            "„werkzeug SEITE“ eine Seite mit ihrem Namen, z. B. „werkzeug Neue Runde anlegen“.",
            true, Tools},
});

}  // namespace
