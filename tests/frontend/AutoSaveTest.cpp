// The autosave on the test clock: the terminal runs the window's timer while it waits for the
// user, a script between its commands; an operation half-way holds it off.
#include <gtest/gtest.h>

#include <filesystem>

#include "ProgramProcess.h"
#include "ScriptedWindow.h"
#include "SmallTournament.h"
#include "TestEnvironment.h"
#include "foundation/Accessors.h"
#include "foundation/Columns.h"
#include "foundation/Settings.h"
#include "foundation/Tables.h"
#include "mainwindow/main.h"
#include "output/OutputNotice.h"

namespace {

TDateTime At(int hour, int minute, int second = 0) {
    TDateTime t = TestStartTime();
    t.Hour = hour;
    t.Minute = minute;
    t.Second = second;
    return t;
}

// Lines typed at given moments of the test clock. Waiting for them lets the clock run, as time
// passes while the user thinks; as a stream (a script or a pipe) nothing waits, and each line
// simply comes at its moment.
class TypedAt : public InputSource {
public:
    TypedAt(ManualClock& clock, bool stream) : clock_(clock), stream_(stream) {}
    void Add(const TDateTime& at, const std::string& line) { lines_.push_back({at, line + "\n"}); }
    // Called before every step of the clock and before every byte read.
    std::function<void()> watch;

    int Get() override {
        if (lines_.empty()) {
            RunTo(0);
            return -1;
        }
        RunTo(datetime::ToMilliseconds(lines_.front().at));
        const char c = lines_.front().text[next_++];
        if (next_ == lines_.front().text.size()) {
            lines_.erase(lines_.begin());
            next_ = 0;
        }
        return static_cast<unsigned char>(c);
    }
    bool Wait(int ms) override {
        if (stream_ || lines_.empty()) return true;
        const int64_t due = datetime::ToMilliseconds(lines_.front().at);
        RunTo(std::min(due, datetime::ToMilliseconds(clock_.Now()) + ms));
        return datetime::ToMilliseconds(clock_.Now()) >= due;
    }

private:
    struct Line {
        TDateTime at;
        std::string text;
    };
    // What the program did up to now is looked at before the clock moves on.
    void RunTo(int64_t ms) {
        if (watch) watch();
        const int64_t now = datetime::ToMilliseconds(clock_.Now());
        if (ms > now) clock_.Advance(ms - now);
    }
    ManualClock& clock_;
    const bool stream_;
    std::vector<Line> lines_;
    size_t next_ = 0;
};

// The small tournament, saved as pokal.tur, with autosave every 15 minutes; game 1 of group A
// stands as the standings have it (Bären won 3:0).
class AutoSaveTest : public ProgramTest, public ScriptedWindow {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ResetOutputNotices();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        FillSmallTournamentAsRanked(*form);
        form->doTurnierBaum();
        // The tournament's own row, as the store keeps it.
        Put(form->Turnier, 0, 1, "1", true);
        Put(form->Turnier, 1, 1, "1", true);
        UseFile(folder + "pokal.tur");
        SetSetting(*form, "AutoSave", "true");
        SetSetting(*form, "AutoSave Min", "15");
        setTurChanged(*form, true);
        clock->Set(At(10, 14));
    }
    void UseFile(const std::string& path) {
        file = path;
        Put(form->Turnier, Turnier_DateiNameS, 1, path, true);
    }
    // Runs the session on the typed lines; savedAt is when the file first existed.
    int Run(TypedAt& input, bool script = false) {
        input.watch = [this] {
            if (!savedAt && std::filesystem::exists(file)) savedAt = clock->Now();
        };
        return RunSession(input, script);
    }
    std::string SavedAt() const { return savedAt ? datetime::FormatLogStamp(*savedAt) : "nie"; }

    std::string file;
    std::optional<TDateTime> savedAt;
};

}  // namespace

TEST_F(AutoSaveTest, TheSaveComesAtItsMinuteWhileThePromptWaits) {
    TypedAt input(*clock, false);
    input.Add(At(10, 16), "ende");
    EXPECT_EQ(Run(input), kExitOk) << output;
    EXPECT_EQ(SavedAt(), "06.12.26 10:15:00");
    EXPECT_EQ(output, "> ") << "saved: the ending has nothing to ask";
}

TEST_F(AutoSaveTest, TheSaveComesWhileADialogWaits) {
    TypedAt input(*clock, false);
    input.Add(At(10, 14), "ergebnis 1");
    input.Add(At(10, 16), "abbrechen");
    input.Add(At(10, 16), "ende");
    input.Add(At(10, 16), "nein");
    EXPECT_EQ(Run(input), kExitOk) << output;
    EXPECT_EQ(SavedAt(), "06.12.26 10:15:00");
}

TEST_F(AutoSaveTest, AGroupHalfFinishedWhileItsConflictIsSettledIsSavedOnlyAfterwards) {
    TypedAt input(*clock, false);
    // No result: Adler and Bären are tied, and the conflict dialog waits over 10:15.
    input.Add(At(10, 14), "ergebnis 1");
    input.Add(At(10, 14), "kein-ergebnis");
    input.Add(At(10, 16, 30), "ok");
    input.Add(At(10, 17), "ende");
    EXPECT_EQ(Run(input), kExitOk) << output;
    EXPECT_NE(output.find("[Dialog] Platzierungskonflikt"), std::string::npos) << output;
    EXPECT_EQ(SavedAt(), "06.12.26 10:16:30") << "the 10:15 save, as soon as the dialog has closed";
}

TEST_F(AutoSaveTest, AFailedSaveIsShownOnceAndThePromptFollowsIt) {
    WriteProgramFile("datei", "keine Ordner");
    UseFile(folder + "datei/pokal.tur");
    TypedAt input(*clock, false);
    input.Add(At(10, 46), "ende");
    input.Add(At(10, 46), "nein");
    EXPECT_EQ(Run(input), kExitOk) << output;
    const std::string shown = "> \nFehler: Turnier pokal.tur kann nicht gespeichert werden: ein Teil des Pfades ist "
                              "kein Ordner – (Automatisches Speichern; die Änderungen bleiben als ungespeichert "
                              "markiert.)\n> Frage: ";
    EXPECT_EQ(output.substr(0, shown.size()), shown) << "the saves at 10:30 and 10:45 fail silently";
    EXPECT_EQ(output.find("Fehler:", shown.size()), std::string::npos) << output;
}

TEST_F(AutoSaveTest, AScriptSavesBetweenCommandsForAMinuteThatPassedDuringOne) {
    TypedAt input(*clock, true);
    input.Add(At(10, 14), "turniere");
    input.Add(At(10, 16), "turniere");
    EXPECT_EQ(Run(input, true), kExitOk) << output;
    EXPECT_EQ(SavedAt(), "06.12.26 10:16:00") << "after the second command, before the input ends";
}

TEST_F(AutoSaveTest, TheOptionsSwitchTheSaveOffAndOnWithItsInterval) {
    TypedAt input(*clock, false);
    input.Add(At(10, 14), "optionen AutoSave=nein ok");
    input.Add(At(10, 31), "optionen");
    input.Add(At(10, 31), "AutoSave Min=0");
    input.Add(At(10, 31), "ok");
    input.Add(At(10, 31), "AutoSave=ja");
    input.Add(At(10, 31), "AutoSave Min=20");
    input.Add(At(10, 31), "ok");
    input.Add(At(10, 41), "ende");
    EXPECT_EQ(Run(input), kExitOk) << output;
    EXPECT_EQ(SavedAt(), "06.12.26 10:40:00") << "not at 10:15 and 10:30 while it was off";
    EXPECT_NE(output.find("Warnung: Bitte geben Sie für AutoSave Min eine Minutenzahl von 1 bis 1440 ein\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("Automatisches Speichern: an, zu jeder 20. Minute des Tages, jedes Turnier mit Datei und "
                          "ungespeicherten Änderungen.\n"),
              std::string::npos);
    EXPECT_EQ(GetSetting(*form, "AutoSave", ""), "true");
    EXPECT_EQ(GetSetting(*form, "AutoSave Min", ""), "20");
}

TEST_F(AutoSaveTest, ASecondProgramsSaveIsNeverOverwrittenAndTheSkipIsShownOnce) {
    const std::string shared = folder + "stadtpokal.tur";
    std::filesystem::copy_file(std::string(MAROVELKA_SOURCE_DIR) + "/tests/data/stadtpokal.tur", shared);
    setTurChanged(*form, false);
    TypedAt input(*clock, false);
    input.Add(At(10, 14), "laden " + shared);
    input.Add(At(10, 14), "optionen AutoSave=ja \"AutoSave Min=15\" ok");
    input.Add(At(10, 31), "ende");
    input.Add(At(10, 31), "nein");
    // Once this program has loaded the file, a second one in a program folder of its own
    // changes and saves it.
    bool secondRan = false;
    std::string theirs, shown;
    input.watch = [&] {
        if (secondRan || form->AnzTurniere < 2) return;
        secondRan = true;
        EXPECT_EQ(ProgramProcess::RunScript(folder + "zweites/", {"laden " + shared, "optionen AutoSave=nein ok",
                                                                 "speichern", "ende"},
                                            &shown),
                  0)
            << shown;
        theirs = ReadProgramFile("stadtpokal.tur");
    };
    EXPECT_EQ(RunSession(input, false), kExitOk) << output;
    ASSERT_TRUE(secondRan) << output;
    EXPECT_TRUE(ReadProgramFile("stadtpokal.tur") == theirs) << "overwritten at 10:15 or 10:30";
    const std::string skipped = "Warnung: Die Datei stadtpokal.tur wurde seit dem Laden geändert und wird nicht "
                                "automatisch überschrieben. – (Automatisches Speichern; die Änderungen bleiben als "
                                "ungespeichert markiert. Beim Speichern wird gefragt, ob die Datei überschrieben werden "
                                "soll.)\n";
    const size_t at = output.find(skipped);
    EXPECT_NE(at, std::string::npos) << output;
    EXPECT_EQ(output.find(skipped, at + 1), std::string::npos) << "10:30 says nothing again\n" << output;
}
