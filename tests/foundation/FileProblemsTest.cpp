#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "TestEnvironment.h"
#include "foundation/FileProblems.h"

namespace fs = std::filesystem;

using FileProblemsTest = ProgramTest;

// The reason a message names is what the user can put right, not the bare error number.
TEST_F(FileProblemsTest, AFailedWriteNamesWhatStandsInTheWay) {
    fs::create_directories(folder + "ordner.tur");
    ASSERT_EQ(mkfifo((folder + "rohr.tur").c_str(), 0600), 0);
    WriteProgramFile("fest.tur", "x");
    fs::permissions(folder + "fest.tur", fs::perms(0444));
    fs::create_symlink("fehlt/pokal.tur", folder + "leer.tur");
    fs::create_symlink("b.tur", folder + "a.tur");
    fs::create_symlink("a.tur", folder + "b.tur");
    EXPECT_EQ(WriteErrorText(folder + "ordner.tur", EISDIR), "ordner.tur ist ein Ordner");
    EXPECT_EQ(WriteErrorText(folder + "rohr.tur", EINVAL), "rohr.tur ist eine benannte Pipe");
    EXPECT_EQ(WriteErrorText(folder + "fest.tur", EACCES), "die Datei ist schreibgeschützt");
    EXPECT_EQ(WriteErrorText(folder + "leer.tur", ENOENT), "die symbolische Verknüpfung leer.tur führt zu keiner Datei");
    EXPECT_EQ(WriteErrorText(folder + "a.tur", ELOOP), "die symbolischen Verknüpfungen bilden eine Schleife");
    EXPECT_EQ(WriteErrorText(folder + "weg/pokal.tur", ENOENT), "der Ordner " + folder + "weg fehlt");
    EXPECT_EQ(WriteErrorText(folder + "neu.tur", ENOSPC), "kein Platz auf dem Datenträger");
    EXPECT_EQ(WriteErrorText(folder + "neu.tur", 0), "");
    EXPECT_EQ(WithReason("Turnier neu.tur konnte nicht gespeichert werden", ""),
              "Turnier neu.tur konnte nicht gespeichert werden");
}

// "gibt es nicht" only for what is not there.
TEST_F(FileProblemsTest, WhatStandsInPlaceOfAFileToReadIsNamed) {
    fs::create_directories(folder + "ordner.tur");
    ASSERT_EQ(mkfifo((folder + "rohr.tur").c_str(), 0600), 0);
    fs::create_symlink("fehlt.tur", folder + "leer.tur");
    WriteProgramFile("da.tur", "x");
    EXPECT_EQ(NoRegularFileText(folder + "da.tur", "da.tur"), "");
    EXPECT_EQ(NoRegularFileText(folder + "fehlt.tur", "fehlt.tur"), "Die Datei fehlt.tur gibt es nicht");
    EXPECT_EQ(NoRegularFileText(folder + "ordner.tur", "ordner.tur"), "ordner.tur ist ein Ordner und keine Datei");
    EXPECT_EQ(NoRegularFileText(folder + "rohr.tur", "rohr.tur"), "rohr.tur ist eine benannte Pipe und keine Datei");
    EXPECT_EQ(NoRegularFileText("/dev/null", "/dev/null"), "/dev/null ist ein Gerät und keine Datei");
    EXPECT_EQ(NoRegularFileText(folder + "leer.tur", "leer.tur"),
              "Die symbolische Verknüpfung leer.tur führt zu keiner Datei");
}
