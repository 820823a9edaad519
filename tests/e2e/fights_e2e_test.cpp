// Whole runs over a log of fights, with the fights page and export compared with those expected.
#include <gtest/gtest.h>

#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin::testing {
namespace {

std::size_t countOf(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// Two log parts, a fight across midnight that ends in a death, kills of the same monster, heals
// in and after a fight, every kind of damage, names to escape, and a log opening whose date
// cannot be read; then the same log with a longer pause, which joins the first two fights.
TEST(FightsEndToEnd, CombatsPageAndExport) {
    TempFolder folder;
    folder.write("chat.log", expectedFile("fights/chat.log"));
    ProgramRun run = runTorvelin(folder, nullptr, "", "--json");
    EXPECT_EQ(run.exitStatus, 0) << run.console;
    EXPECT_EQ(readFile(folder.file("combats.html")), expectedFile("fights/combats.html"));
    EXPECT_EQ(readFile(folder.file("torvelin.json")), expectedFile("fights/torvelin.json"));

    run = runTorvelin(folder, nullptr, "", "--pause 100 --json");
    std::string fights = readFile(folder.file("torvelin.json"));
    EXPECT_NE(fights.find("\"fight_pause_s\": 100,"), std::string::npos);
    EXPECT_EQ(countOf(fights, "{\"number\": "), 3u);
}

}  // namespace
}  // namespace torvelin::testing
