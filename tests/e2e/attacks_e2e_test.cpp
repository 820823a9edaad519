// Whole runs over logs of weapon fights, compared with the pages expected for them.
#include <gtest/gtest.h>

#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin::testing {
namespace {

std::string pageOfLog(const std::string& folderName) {
    TempFolder folder;
    folder.write("chat.log", expectedFile(folderName + "/chat.log"));
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0) << run.console;
    return readFile(folder.file("Resultats.html"));
}

// Styles executed, prepared and failed, misses before the first hit, avoidances, a fumble, a
// barrier, criticals in and out of the berserk rage, procs (one resisted), a double attack, a keep
// door and an intercepted blow, and a second weapon fast enough to show its speed.
TEST(AttacksEndToEnd, MeleeFights) {
    EXPECT_EQ(pageOfLog("melee"), expectedFile("melee/Resultats.html"));
}

// A miss before the first shot, automatic fire measured over 41 intervals, three precise shots,
// an evade, a fumble and a miss after ranged attacks.
TEST(AttacksEndToEnd, Archery) {
    EXPECT_EQ(pageOfLog("archery"), expectedFile("archery/Resultats.html"));
}

}  // namespace
}  // namespace torvelin::testing
