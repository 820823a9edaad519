#include "rewards/reward_parsers.h"

#include <gtest/gtest.h>

#include <string>

#include "base/console.h"
#include "base/latin1.h"
#include "driver/dispatch.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::logLine;

// A message at a time stamp, through the dispatch chain.
void feed(PartStats& stats, std::string_view message, std::string_view stamp = "12:34:56") {
    dispatchLine(logLine(message, stamp), stats);
}

std::string experience(std::string_view amount, std::string_view rest = "") {
    return "Vous recevez " + std::string(amount) + std::string(" points d'expérience"_l1) +
           std::string(rest) + ".";
}

TEST(ReadDottedNumber, ReadsGroupsUpToTheBound) {
    std::string line = logLine(experience("1.234.567"));
    std::size_t bound = line.find(" points");
    EXPECT_EQ(readDottedNumber(line, 24, bound), 1234567);
    std::string plain = logLine(experience("12"));
    EXPECT_EQ(readDottedNumber(plain, 24, plain.find(" points")), 12);
    std::string huge = logLine(experience("5.000.000.000.000"));
    EXPECT_EQ(readDottedNumber(huge, 24, huge.find(" points")), 2147483647);
}

TEST(ParseExperience, MonsterDeathThenExperienceCountsAKillAndOpensLoot) {
    auto stats = newPartStats();
    feed(*stats, "Le loup meurt !");
    EXPECT_EQ(stats->monsterCount, 1);
    EXPECT_EQ(stats->monsters[0].name, "Le loup");
    EXPECT_FALSE(stats->lootOpen);
    feed(*stats, "Le loup laisse une dent.");
    EXPECT_EQ(stats->monsters[0].lootCount(), 0);

    feed(*stats, experience("1.234"));
    const MonsterEntry& wolf = stats->monsters[0];
    EXPECT_EQ(wolf.killCount, 1);
    EXPECT_EQ(wolf.xp[0], 1234);
    EXPECT_TRUE(stats->lootOpen);

    feed(*stats, "Le loup laisse une peau de loup.");
    feed(*stats, "Le loup laisse une peau de loup.");
    ASSERT_EQ(wolf.lootCount(), 1);
    EXPECT_EQ(wolf.loots[0].name, "une peau de loup");
    EXPECT_EQ(wolf.loots[0].times, 2);

    // A second experience line before the next death counts one more kill.
    feed(*stats, experience("100"));
    EXPECT_EQ(wolf.killCount, 2);
    EXPECT_EQ(wolf.xp[0], 1334);

    feed(*stats, "Un ours meurt !");
    EXPECT_EQ(stats->currentMonster, 1);
    EXPECT_FALSE(stats->lootOpen);
    feed(*stats, "Le loup meurt !");
    EXPECT_EQ(stats->currentMonster, 0);
    EXPECT_EQ(stats->monsterCount, 2);
}

TEST(ParseExperience, PartsGoToTheMonsterWhateverReceivesTheExperience) {
    auto stats = newPartStats();
    feed(*stats, "Le loup meurt !", "10:00:00");
    feed(*stats, "Bob vient de mourir.", "10:00:10");
    feed(*stats, "Vous gagnez 250 realm points!", "10:00:10");
    EXPECT_FALSE(stats->monsterDeathPending);
    feed(*stats, experience("2.000", " (bonus : 1.100) (groupe : 50) (fort : 7)"), "10:00:11");

    const MonsterEntry& wolf = stats->monsters[0];
    EXPECT_EQ(wolf.killCount, 0);
    EXPECT_EQ(wolf.xp[0], 0);
    EXPECT_EQ(wolf.xp[1], 1100);
    EXPECT_EQ(wolf.xp[2], 50);
    EXPECT_EQ(wolf.xp[3], 7);
    EXPECT_EQ(stats->kills[0].xp, 2000);
    EXPECT_FALSE(stats->lootOpen);
}

TEST(ParseExperience, SplitCountersCarryIntoBillions) {
    auto stats = newPartStats();
    feed(*stats, "Le dragon meurt !");
    feed(*stats, experience("999.999.999"));
    feed(*stats, experience("2"));
    EXPECT_EQ(stats->monsters[0].xp[0], 1);
    EXPECT_EQ(stats->monsters[0].xpBillions[0], 1);
}

TEST(ParseExperience, EarlyExperienceGoesToEntryZeroAndLostKillExperienceIsDropped) {
    auto stats = newPartStats();
    feed(*stats, experience("300"));
    feed(*stats, "Le loup meurt !");
    EXPECT_EQ(stats->monsters[0].killCount, 1);
    EXPECT_EQ(stats->monsters[0].xp[0], 300);

    // Points gained without any kill entry are dropped, but the monster death is over.
    feed(*stats, "Vous gagnez 50 points de royaume supplémentaires !"_l1);
    EXPECT_EQ(stats->lastKill, -1);
    EXPECT_FALSE(stats->monsterDeathPending);
    feed(*stats, experience("400"));
    EXPECT_EQ(stats->lastKill, -1);
    EXPECT_EQ(stats->monsters[0].killCount, 1);
}

TEST(ParseExperience, PartWithoutClosingBracketIsUnreadable) {
    auto stats = newPartStats();
    std::string line = logLine(experience("10", " (bonus : 5"));
    EXPECT_THROW(parseExperience(line, *stats), UnreadableLine);
}

TEST(ParseRealmPoints, PointsAtTheVictimsStampNameTheKill) {
    auto stats = newPartStats();
    feed(*stats, "Vous venez de tuer Bob.", "10:00:09");
    feed(*stats, "Bob vient de mourir.", "10:00:10");
    feed(*stats, "Vous gagnez 250 realm points!", "10:00:10");
    feed(*stats, "Carl vient de mourir.", "10:00:20");
    feed(*stats, "Vous gagnez 100 realm points!", "10:00:21");
    feed(*stats, "Vous gagnez 1 realm point!", "10:00:22");

    ASSERT_EQ(stats->lastKill, 2);
    EXPECT_EQ(stats->kills[0].victimName, "Bob");
    EXPECT_TRUE(stats->kills[0].killedByPlayer);
    EXPECT_EQ(stats->kills[0].realmPoints, 250);
    EXPECT_EQ(stats->kills[1].victimName, "Inconnu");
    EXPECT_FALSE(stats->kills[1].killedByPlayer);
    EXPECT_EQ(stats->kills[1].realmPoints, 100);
    EXPECT_EQ(stats->kills[2].realmPoints, 1);
    EXPECT_EQ(stats->lastVictimName, "Inconnu");
}

TEST(ParseRealmPoints, ExtraPointsAndBountiesGoToTheNewestKill) {
    auto stats = newPartStats();
    feed(*stats, "Vous gagnez 3 Primes de Royaume!");
    EXPECT_EQ(stats->lastKill, -1);
    feed(*stats, "Vous gagnez 100 realm points!");
    feed(*stats, "Vous gagnez 50 points de royaume supplémentaires !"_l1);
    feed(*stats, "Vous gagnez 3 Primes de Royaume!");
    feed(*stats, "Vous gagnez 1 Prime de Royaume!");
    ASSERT_EQ(stats->lastKill, 0);
    EXPECT_EQ(stats->kills[0].realmPoints, 150);
    EXPECT_EQ(stats->kills[0].bounties, 4);
}

TEST(ParseRealmPoints, AnyGainAtAnotherStampForgetsThePendingVictim) {
    auto stats = newPartStats();
    feed(*stats, "Bob vient de mourir.", "10:00:10");
    feed(*stats, "Vous gagnez de la force.", "10:00:11");
    feed(*stats, "Vous gagnez 80 realm points!", "10:00:10");
    EXPECT_EQ(stats->kills[0].victimName, "Inconnu");
}

TEST(ParseMoney, CoinsAreCountedInCopper) {
    auto stats = newPartStats();
    feed(*stats, "Le loup meurt !");
    feed(*stats, "Vous ramassez 2 pièces d'or, 35 pièces d'argent et 7 pièces de cuivre."_l1);
    EXPECT_EQ(stats->monsters[0].moneyCopper, 23507);
    feed(*stats, "Vous ramassez une épée."_l1);
    feed(*stats, "Vous ramassez 0 pièces d'or."_l1);
    EXPECT_EQ(stats->monsters[0].moneyCopper, 23507);
    feed(*stats, "Votre part du butin se compose de 12 pièces de cuivre."_l1);
    feed(*stats, "Vous ramassez 3 pièces d'argent."_l1);
    EXPECT_EQ(stats->monsters[0].moneyCopper, 23819);
}

TEST(ParseMoney, LargeSumsDoNotWrap) {
    auto stats = newPartStats();
    feed(*stats, "Le roi meurt !");
    for (int i = 0; i < 3; ++i)
        feed(*stats, "Vous ramassez 100000 pièces d'or."_l1);
    EXPECT_EQ(stats->monsters[0].moneyCopper, 3000000000);
}

// Absurd amounts stop at the largest sum instead of wrapping around.
TEST(RewardSums, SaturateAtTheLargestValue) {
    constexpr std::int64_t largest = INT64_MAX;
    auto stats = newPartStats();
    feed(*stats, "Le roi meurt !");
    stats->monsters[0].moneyCopper = largest - 5;
    feed(*stats, "Vous ramassez 2147483647 pièces d'or."_l1);
    EXPECT_EQ(stats->monsters[0].moneyCopper, largest);
    feed(*stats, "Vous gagnez 100 realm points!");
    stats->kills[0].realmPoints = largest - 5;
    stats->kills[0].bounties = largest - 5;
    stats->kills[0].xp = largest - 5;
    feed(*stats, "Vous gagnez 50 points de royaume supplémentaires !"_l1);
    feed(*stats, "Vous gagnez 30 Primes de Royaume!");
    feed(*stats, experience("2.000.000"));
    EXPECT_EQ(stats->kills[0].realmPoints, largest);
    EXPECT_EQ(stats->kills[0].bounties, largest);
    EXPECT_EQ(stats->kills[0].xp, largest);
}

TEST(ParseLoot, LootLineWithoutFullStopIsUnreadable) {
    auto stats = newPartStats();
    feed(*stats, "Le loup meurt !");
    feed(*stats, experience("10"));
    std::string line = logLine("Le loup laisse une dent");
    EXPECT_THROW(parseOpenLoot(line, *stats), UnreadableLine);
}

}  // namespace
}  // namespace torvelin
