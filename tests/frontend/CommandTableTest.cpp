#include <gtest/gtest.h>

#include <set>

#include "TestEnvironment.h"
#include "frontend/CommandTable.h"

namespace {

Command Named(const std::string& name, const std::string& menu = kMenuTurnier) {
    return Command{name, menu, "", "", "", false, [](CommandCall&) { return true; }};
}

CommandTable Sample() {
    CommandTable table;
    for (const char* name : {"übernehmen", "schliessen", "plan", "baum", "werkzeug", "hilfe", "ende"})
        table.Add(Named(name));
    return table;
}

}  // namespace

TEST(CommandTableTest, NamesMatchWithUmlautsOrTheirTwoLetterFormsInAnyCase) {
    const CommandTable table = Sample();
    for (const char* typed : {"übernehmen", "uebernehmen", "ÜBERNEHMEN", "Uebernehmen"}) {
        ASSERT_NE(table.Find(typed), nullptr) << typed;
        EXPECT_EQ(table.Find(typed)->name, "übernehmen");
    }
    ASSERT_NE(table.Find("schließen"), nullptr);
    EXPECT_EQ(table.Find("schließen")->name, "schliessen");
    EXPECT_EQ(table.Find("plane"), nullptr);
    EXPECT_EQ(table.Find(""), nullptr);
}

TEST(CommandTableTest, UnknownNamesLeadToTheClosestCommand) {
    const CommandTable table = Sample();
    EXPECT_EQ(table.Closest("plaan"), "plan");
    EXPECT_EQ(table.Closest("wekzeug"), "werkzeug");
    EXPECT_EQ(table.Closest("HILFEE"), "hilfe");
    EXPECT_EQ(table.Closest("uebrnehmen"), "übernehmen");
    EXPECT_EQ(table.Closest(std::string(100000, 'x')).empty(), false) << "a huge input still gets an answer";
    EXPECT_EQ(EditDistance("Bären", "Baren"), 1u) << "characters, not bytes";
    EXPECT_EQ(EditDistance("", "ende"), 4u);
}

TEST(CommandTableTest, ListedByMenuThenNameWhateverTheOrderOfAdding) {
    CommandTable table;
    table.Add(Named("zz", "Sonderbares"));
    table.Add(Named("hilfe", kMenuHilfe));
    table.Add(Named("plan", kMenuAnsicht));
    table.Add(Named("baum", kMenuAnsicht));
    table.Add(Named("ende", kMenuTurnier));
    std::vector<std::string> names;
    for (const Command* command : table.Listed()) names.push_back(command->name);
    EXPECT_EQ(names, (std::vector<std::string>{"ende", "baum", "plan", "hilfe", "zz"}));
}

// Every command file adds its own commands; when two of them pick one name, this fails.
TEST(CommandTableTest, ProgramCommandsAreRegisteredOnceEach) {
    std::set<std::string> seen;
    for (const Command& command : ProgramCommands().All()) {
        EXPECT_TRUE(seen.insert(FoldName(command.name)).second) << "twice: " << command.name;
        EXPECT_FALSE(command.summary.empty()) << command.name;
        EXPECT_TRUE(command.run) << command.name;
    }
    for (const char* name : {"hilfe", "antwort", "ende", "baum", "plan", "werkzeug"})
        EXPECT_TRUE(seen.count(name)) << name;
    EXPECT_FALSE(seen.count("testdialog")) << "test commands only in test runs";
}
