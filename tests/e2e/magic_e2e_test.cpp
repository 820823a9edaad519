// A caster's, a healer's and a defender's logs run through the whole program.
#include <gtest/gtest.h>

#include <string>

#include "base/latin1.h"
#include "e2e/e2e_support.h"
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

}  // namespace
}  // namespace torvelin::testing
