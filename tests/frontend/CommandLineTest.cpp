#include <gtest/gtest.h>

#include "frontend/CommandLine.h"

namespace {

CommandLine Parsed(const std::string& line) {
    CommandLine parsed;
    std::string problem;
    EXPECT_TRUE(ParseCommandLine(line, parsed, problem)) << line << ": " << problem;
    return parsed;
}

std::string Problem(const std::string& line) {
    CommandLine parsed;
    std::string problem;
    EXPECT_FALSE(ParseCommandLine(line, parsed, problem)) << line;
    return problem;
}

using Words = std::vector<std::string>;

}  // namespace

TEST(CommandLineTest, WordsQuotesAndComments) {
    CommandLine p = Parsed("  plan\tunten  Runde 1 ( Vorrunde )  ");
    EXPECT_EQ(p.name, "plan");
    EXPECT_EQ(p.args, (Words{"unten", "Runde", "1", "(", "Vorrunde", ")"}));
    p = Parsed(R"(laden "/daten/Mein Turnier.tur" C:\x # der Rest ist Kommentar)");
    EXPECT_EQ(p.args, (Words{"/daten/Mein Turnier.tur", R"(C:\x)"}));
    p = Parsed(R"(x "ein \"Zitat\" und \\")");
    EXPECT_EQ(p.args, (Words{R"(ein "Zitat" und \)"}));
    p = Parsed("x Team#1");
    EXPECT_EQ(p.args, (Words{"Team#1"})) << "only a word that starts with # begins a comment";
    EXPECT_TRUE(Parsed("   # nur Kommentar").name.empty());
    EXPECT_TRUE(Parsed("").name.empty());
    EXPECT_TRUE(IsEmptyOrComment("  \t"));
    EXPECT_TRUE(IsEmptyOrComment(" # x"));
    EXPECT_FALSE(IsEmptyOrComment("ende # x"));
}

TEST(CommandLineTest, FieldsAndAClosingButtonPresetTheDialog) {
    CommandLine p = Parsed(R"(neu Name=Stadtpokal "Punkte pro Sieg"=3 Teilnehmer=8 ok)");
    EXPECT_EQ(p.name, "neu");
    EXPECT_TRUE(p.args.empty());
    EXPECT_EQ(p.dialogLines, (Words{"Name=Stadtpokal", "Punkte pro Sieg=3", "Teilnehmer=8", "ok"}));
    p = Parsed("ergebnis 5 Punkte=3 übernehmen");
    EXPECT_EQ(p.args, (Words{"5"}));
    EXPECT_EQ(p.dialogLines, (Words{"Punkte=3", "übernehmen"}));
    p = Parsed("neu ok");
    EXPECT_EQ(p.dialogLines, (Words{"ok"}));
    p = Parsed("testdialog abbrechen");
    EXPECT_EQ(p.dialogLines, (Words{"abbrechen"}));
    p = Parsed("laden ok.tur weiter");
    EXPECT_EQ(p.args, (Words{"ok.tur", "weiter"})) << "ok only counts as the last word";
    p = Parsed("x =3");
    EXPECT_EQ(p.args, (Words{"=3"})) << "a field needs a name";
    EXPECT_FALSE(IsFieldLine("=3"));
    EXPECT_TRUE(IsFieldLine("Name = Liga Nord"));
}

TEST(CommandLineTest, WhatCannotBeSplitIsSaidInGerman) {
    EXPECT_EQ(Problem(R"(testdialog "Name=Stadt ok)"), "Ein Anführungszeichen ist nicht geschlossen.");
    EXPECT_EQ(Problem("neu Name=Stadtpokal weiter Teilnehmer=8"),
              "Nach den Feldern des Dialogs darf nur noch eine Schaltfläche folgen, nicht „weiter“.");
}
