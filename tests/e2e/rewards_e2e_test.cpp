// Whole runs over logs of hunting, realm combat and crafting: the analysis page must match the
// page derived by hand, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin::testing {
namespace {

void expectPageOf(std::string_view folderName) {
    std::string name(folderName);
    TempFolder folder;
    folder.write("chat.log", expectedFile(name + "/chat.log"));
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0) << run.console;
    EXPECT_EQ(readFile(folder.file("Resultats.html")), expectedFile(name + "/Resultats.html"));
}

TEST(RewardsRun, HuntingLogShowsMonstersExperienceMoneyAndLoot) {
    expectPageOf("hunting");
}

TEST(RewardsRun, RealmLogShowsKillersAndTheHuntingTable) {
    expectPageOf("realm");
}

TEST(RewardsRun, CraftingLogShowsItemsQualitiesAndSkills) {
    expectPageOf("crafting");
}

}  // namespace
}  // namespace torvelin::testing
