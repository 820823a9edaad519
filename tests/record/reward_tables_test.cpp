#include "record/reward_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace torvelin {
namespace {

std::string numbered(std::string_view stem, int i) {
    return std::string(stem) + std::to_string(1000 + i);
}

TEST(AddWithCarry, CarriesOnlyAboveOneBillion) {
    std::int64_t value = 999999999;
    std::int64_t billions = 0;
    addWithCarry(value, billions, 1);
    EXPECT_EQ(value, 1000000000);
    EXPECT_EQ(billions, 0);

    value = 999999999;
    addWithCarry(value, billions, 2);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(billions, 1);
}

TEST(AddWithCarry, CarriesOncePerAddition) {
    std::int64_t value = 900000000;
    std::int64_t billions = 2;
    addWithCarry(value, billions, 2147483647);
    EXPECT_EQ(value, 2047483647);
    EXPECT_EQ(billions, 3);
}

TEST(MonsterTable, FiveHundredMonstersFitTheNextIsFatal) {
    auto stats = newPartStats();
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(findOrAddMonster(*stats, numbered("Loup ", i), "l"), i);
    EXPECT_EQ(findOrAddMonster(*stats, numbered("Loup ", 0), "l"), 0);
    EXPECT_EQ(findOrAddMonster(*stats, numbered("Loup ", 499), "l"), 499);
    EXPECT_EQ(stats->monsterCount, 500);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            findOrAddMonster(*stats, "Ours", "[12:00:00] Ours meurt !");
        },
        ::testing::ExitedWithCode(1),
        "trop de monstres diff.*\nl'erreur s'est produite dans la ligne : \n.*Ours meurt !");
}

TEST(MonsterTable, FirstMonsterKeepsWhatEntryZeroReceivedBefore) {
    auto stats = newPartStats();
    slotAt(stats->monsters, 0).moneyCopper = 150;
    EXPECT_EQ(findOrAddMonster(*stats, "Le loup", "l"), 0);
    EXPECT_EQ(stats->monsters[0].name, "Le loup");
    EXPECT_EQ(stats->monsters[0].moneyCopper, 150);
    EXPECT_EQ(findOrAddMonster(*stats, "Un ours", "l"), 1);
    EXPECT_EQ(stats->monsters[1].moneyCopper, 0);
}

TEST(MonsterTable, NamesAreCutToTheirFieldAndStillMatch) {
    auto stats = newPartStats();
    std::string longName(60, 'x');
    EXPECT_EQ(findOrAddMonster(*stats, longName, "l"), 0);
    EXPECT_EQ(stats->monsters[0].name.size(), 49u);
    EXPECT_EQ(findOrAddMonster(*stats, longName, "l"), 0);
    EXPECT_EQ(stats->monsterCount, 1);
}

TEST(LootTable, HundredLootsPerMonsterTheNextIsFatal) {
    MonsterEntry wolf;
    MonsterEntry bear;
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(findOrAddLoot(wolf, numbered("peau ", i), "l"), i);
        EXPECT_EQ(findOrAddLoot(bear, numbered("griffe ", i), "l"), i);
    }
    EXPECT_EQ(findOrAddLoot(wolf, numbered("peau ", 42), "l"), 42);
    EXPECT_EQ(wolf.lootCount(), 100);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            findOrAddLoot(wolf, "dent", "[12:00:00] Le loup laisse dent.");
        },
        ::testing::ExitedWithCode(1),
        "trop de loots avec ce monstre\nl'erreur s'est produite dans la ligne : \n.*laisse dent");
}

TEST(CraftTable, TwoHundredItemsFitTheNextIsFatal) {
    auto stats = newPartStats();
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(findOrAddCraft(*stats, numbered("une dague ", i), "l"), i);
    EXPECT_EQ(findOrAddCraft(*stats, numbered("une dague ", 7), "l"), 7);
    EXPECT_EQ(stats->craftCount, 200);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            findOrAddCraft(*stats, "un arc", "[12:00:00] x");
        },
        ::testing::ExitedWithCode(1), "trop d'objets craft");
}

TEST(CraftTable, TenSkillsPerItemTheNextIsFatal) {
    CraftEntry craft;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(findOrAddSkill(craft, numbered("forge ", i), "l"), i);
    EXPECT_EQ(findOrAddSkill(craft, numbered("forge ", 3), "l"), 3);
    EXPECT_EQ(craft.skillCount(), 10);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            findOrAddSkill(craft, "couture ", "[12:00:00] x");
        },
        ::testing::ExitedWithCode(1), "trop d'artisanats diff");
}

TEST(KillerTable, CountsDeathsPerKillerInOrderOfFirstKill) {
    auto stats = newPartStats();
    findOrAddKiller(*stats, "Alice", "l");
    findOrAddKiller(*stats, "Bob", "l");
    findOrAddKiller(*stats, "Alice", "l");
    ASSERT_EQ(stats->killerCount(), 2);
    EXPECT_EQ(stats->killers[0].name, "Alice");
    EXPECT_EQ(stats->killers[0].deaths, 2);
    EXPECT_EQ(stats->killers[1].deaths, 1);
}

TEST(KillerTable, ThousandKillersFitTheNextIsFatal) {
    auto stats = newPartStats();
    for (int i = 0; i < 1000; ++i)
        findOrAddKiller(*stats, numbered("Tueur", i), "l");
    findOrAddKiller(*stats, numbered("Tueur", 999), "l");
    EXPECT_EQ(stats->killerCount(), 1000);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            findOrAddKiller(*stats, "Zed", "[12:00:00] Vous etes mort");
        },
        ::testing::ExitedWithCode(1),
        "trop de meurtriers\nl'erreur s'est produite dans la ligne : \n.*Vous");
}

TEST(KillTable, OpensEntriesInOrderAndRefusesThe5001st) {
    auto stats = newPartStats();
    EXPECT_EQ(newestKill(*stats), nullptr);
    openKillEntry(*stats, "Bob", false, "l");
    openKillEntry(*stats, std::string(60, 'y'), true, "l");
    EXPECT_EQ(stats->lastKill, 1);
    EXPECT_EQ(stats->kills[0].victimName, "Bob");
    EXPECT_FALSE(stats->kills[0].killedByPlayer);
    EXPECT_EQ(stats->kills[1].victimName.size(), 42u);
    EXPECT_TRUE(stats->kills[1].killedByPlayer);
    EXPECT_EQ(newestKill(*stats), &stats->kills[1]);

    for (int i = 2; i < 5000; ++i)
        openKillEntry(*stats, "Inconnu", false, "l");
    EXPECT_EQ(stats->lastKill, 4999);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            openKillEntry(*stats, "Inconnu", false, "[12:00:00] Vous gagnez 5 realm points!");
        },
        ::testing::ExitedWithCode(1),
        "trop de victimes\nl'erreur s'est produite dans la ligne : \n.*realm points");
}

}  // namespace
}  // namespace torvelin
