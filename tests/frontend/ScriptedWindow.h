#pragma once
// Runs commands on a window as a script does, and keeps what the session wrote.
#include <memory>
#include <sstream>
#include <string>

#include "frontend/CommandTable.h"
#include "frontend/Session.h"
#include "mainwindow/main.h"

struct ScriptedWindow {
    int RunCommands(const std::string& input) {
        std::istringstream in(input);
        return RunSession(in, true);
    }
    // The session on an input stream or source, as typed (script false) or as a script.
    template <typename Input>
    int RunSession(Input& in, bool script) {
        form->Closed = false;
        std::ostringstream out;
        int status;
        {
            Session session(*form, ProgramCommands(), in, out, script);
            status = session.Run();
        }
        output = out.str();
        return status;
    }
    // The commands change the tournament: leaving then asks, and the changes are dropped. The
    // output ends before that question.
    int RunCommandsAndLeave(const std::string& input) {
        const int status = RunCommands(input + "antwort nein\nende\n");
        if (const size_t asked = output.rfind("Frage: "); asked != std::string::npos) output.erase(asked);
        return status;
    }
    std::unique_ptr<TForm1> form;
    std::string output;
};
