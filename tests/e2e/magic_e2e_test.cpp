// A caster's, a healer's and a defender's logs run through the whole program.
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"
#include "stats/latin1.h"
#include "test_support.h"

namespace torvelin::testing {
namespace {

// Runs the program on the log of a test data folder and compares the page with the expected one.
void expectPage(const std::string& folderName) {
    TempFolder folder;
    folder.write("chat.log", expectedFile(folderName + "/chat.log"));
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0) << run.console;
    EXPECT_EQ(readFile(folder.file("Resultats.html")),
              expectedFile(folderName + "/Resultats.html"));
}

TEST(MagicPages, CasterSpellsResistsAreaSpellsAndGivenEffects) {
    expectPage("caster");
}

TEST(MagicPages, HealerHealsCappedHealsAndGroupHeals) {
    expectPage("healer");
}

TEST(MagicPages, DefenderTakesDamageOfEveryKindAndAvoidsBlows) {
    expectPage("defender");
}

TEST(MagicPages, ExampleLogShowsTheSpellHealAndDefenceSections) {
    TempFolder folder;
    folder.write("chat.log",
                 readFile(std::string(TORVELIN_EXPECTED_DIR) + "/../../../examples/chat.log"));
    runTorvelin(folder);
    std::string page = readFile(folder.file("Resultats.html"));
    for (std::string_view anchor :
         {"Sorts"_l1.view(), "Soins"_l1.view(), "Add dmg donnés"_l1.view(), "Defense"_l1.view()}) {
        EXPECT_NE(page.find("<a name=\"" + std::string(anchor) + "\"></a>"), std::string::npos)
            << anchor;
    }
}

}  // namespace
}  // namespace torvelin::testing
