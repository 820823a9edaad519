#include "record/reward_tables.h"

#include <gtest/gtest.h>

#include <string>

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

// The tables a long log fills are searched by a hash of the names: every name still finds its own
// row, in the order the names came, however often the index grows.
TEST(NamedTables, FindEveryNameOfALongLogInItsRow) {
    auto stats = newPartStats();
    MonsterEntry wolf;
    for (int i = 0; i < 3000; ++i) {
        EXPECT_EQ(findOrAddMonster(*stats, numbered("Loup ", i)), i);
        EXPECT_EQ(findOrAddLoot(wolf, numbered("peau ", i)), i);
        EXPECT_EQ(findOrAddCraft(*stats, numbered("une dague ", i)), i);
        findOrAddKiller(*stats, numbered("Tueur", i));
    }
    for (int i = 0; i < 3000; i += 7) {
        EXPECT_EQ(findOrAddMonster(*stats, numbered("Loup ", i)), i);
        EXPECT_EQ(findOrAddLoot(wolf, numbered("peau ", i)), i);
        EXPECT_EQ(findOrAddCraft(*stats, numbered("une dague ", i)), i);
        findOrAddKiller(*stats, numbered("Tueur", i));
        EXPECT_EQ(stats->killers[static_cast<std::size_t>(i)].deaths, 2);
    }
    EXPECT_EQ(stats->monsterCount, 3000);
    EXPECT_EQ(wolf.lootCount(), 3000);
    EXPECT_EQ(stats->craftCount, 3000);
    EXPECT_EQ(stats->killerCount(), 3000);
    EXPECT_EQ(stats->monsters[2999].name, numbered("Loup ", 2999));
}

TEST(MonsterTable, FirstMonsterKeepsWhatEntryZeroReceivedBefore) {
    auto stats = newPartStats();
    slotAt(stats->monsters, 0).moneyCopper = 150;
    EXPECT_EQ(findOrAddMonster(*stats, "Le loup"), 0);
    EXPECT_EQ(stats->monsters[0].name, "Le loup");
    EXPECT_EQ(stats->monsters[0].moneyCopper, 150);
    EXPECT_EQ(findOrAddMonster(*stats, "Un ours"), 1);
    EXPECT_EQ(stats->monsters[1].moneyCopper, 0);
}

TEST(MonsterTable, NamesAreCutToTheirFieldAndStillMatch) {
    auto stats = newPartStats();
    std::string longName(60, 'x');
    EXPECT_EQ(findOrAddMonster(*stats, longName), 0);
    EXPECT_EQ(stats->monsters[0].name.size(), 49u);
    EXPECT_EQ(findOrAddMonster(*stats, longName), 0);
    EXPECT_EQ(stats->monsterCount, 1);
}

TEST(CraftTable, SkillsOfAnItemInOrderOfFirstGain) {
    CraftEntry craft;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(findOrAddSkill(craft, numbered("forge ", i)), i);
    EXPECT_EQ(findOrAddSkill(craft, numbered("forge ", 3)), 3);
    EXPECT_EQ(craft.skillCount(), 12);
}

TEST(KillerTable, CountsDeathsPerKillerInOrderOfFirstKill) {
    auto stats = newPartStats();
    findOrAddKiller(*stats, "Alice");
    findOrAddKiller(*stats, "Bob");
    findOrAddKiller(*stats, "Alice");
    ASSERT_EQ(stats->killerCount(), 2);
    EXPECT_EQ(stats->killers[0].name, "Alice");
    EXPECT_EQ(stats->killers[0].deaths, 2);
    EXPECT_EQ(stats->killers[1].deaths, 1);
}

TEST(KillTable, OpensEntriesInOrder) {
    auto stats = newPartStats();
    EXPECT_EQ(newestKill(*stats), nullptr);
    openKillEntry(*stats, "Bob", false);
    openKillEntry(*stats, std::string(60, 'y'), true);
    EXPECT_EQ(stats->lastKill, 1);
    EXPECT_EQ(stats->kills[0].victimName, "Bob");
    EXPECT_FALSE(stats->kills[0].killedByPlayer);
    EXPECT_EQ(stats->kills[1].victimName.size(), 42u);
    EXPECT_TRUE(stats->kills[1].killedByPlayer);
    EXPECT_EQ(newestKill(*stats), &stats->kills[1]);
}

}  // namespace
}  // namespace torvelin
