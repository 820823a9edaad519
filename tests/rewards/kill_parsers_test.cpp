#include "rewards/kill_parsers.h"

#include <gtest/gtest.h>

#include <string>

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

std::string realmDeath(std::string_view victim, std::string_view killer) {
    return std::string(victim) + std::string(" vient juste d'être tué dans [Zone] par "_l1) +
           std::string(killer) + "!";
}

const std::string playerDeath = std::string("Vous êtes mort pour le royaume."_l1);
const std::string duelEnd = std::string("Votre duel est terminé!"_l1);

TEST(ParseKillMessage, OwnKillMakesTheNextVictimBold) {
    auto stats = newPartStats();
    feed(*stats, "Vous venez de tuer Bob.", "10:00:01");
    EXPECT_TRUE(stats->playerKillPending);
    EXPECT_EQ(stats->lastVictimName, "Inconnu");
    feed(*stats, "Bob vient de mourir.", "10:00:02");
    EXPECT_EQ(stats->lastVictimName, "Bob");
    EXPECT_TRUE(stats->lastVictimBold);
    EXPECT_EQ(stats->lastVictimTime, 2);
    EXPECT_FALSE(stats->playerKillPending);

    feed(*stats, "Carl vient de mourir.", "10:01:03");
    EXPECT_EQ(stats->lastVictimName, "Carl");
    EXPECT_FALSE(stats->lastVictimBold);
    EXPECT_EQ(stats->lastVictimTime, 103);
}

TEST(ParseKillMessage, RealmDeathNamesVictimAndKillerButNeverBolds) {
    auto stats = newPartStats();
    feed(*stats, "Vous venez de tuer Bob.");
    feed(*stats, realmDeath("Bob", "Alice"), "10:20:30");
    EXPECT_EQ(stats->lastVictimName, "Bob");
    EXPECT_FALSE(stats->lastVictimBold);
    EXPECT_EQ(stats->lastVictimTime, 2030);
    EXPECT_EQ(stats->lastKillerName, "Alice");
    EXPECT_TRUE(stats->playerKillPending);
}

TEST(ParseKillMessage, VictimNamesAreCutToTheirField) {
    auto stats = newPartStats();
    std::string longName(60, 'v');
    feed(*stats, longName + " vient de mourir.");
    EXPECT_EQ(stats->lastVictimName, std::string(49, 'v'));
    feed(*stats, "Vous venez de tuer quelqu'un.");
    feed(*stats, longName + " vient de mourir.");
    EXPECT_EQ(stats->lastVictimName, std::string(42, 'v'));
    EXPECT_TRUE(stats->lastVictimBold);
}

TEST(ParseKillMessage, PhraseAtTheStartOfTheTextNamesNoVictim) {
    auto stats = newPartStats();
    feed(*stats, "Bob vient de mourir.", "10:00:05");
    feed(*stats, "Vous venez de tuer Carl.", "10:00:06");
    feed(*stats, "vient de mourir.", "10:00:07");
    EXPECT_EQ(stats->lastVictimName, "Bob");
    EXPECT_EQ(stats->lastVictimTime, 5);
    EXPECT_TRUE(stats->playerKillPending);

    feed(*stats, realmDeath("", "Alice").substr(1), "10:00:08");
    EXPECT_EQ(stats->lastVictimName, "Bob");
    EXPECT_EQ(stats->lastKillerName, "Alice");
}

TEST(ParseKillerName, KillerIsCutToFiftyCharacters) {
    auto stats = newPartStats();
    EXPECT_EQ(stats->lastKillerName, "Inconnu");
    std::string killer(50, 'k');
    feed(*stats, realmDeath("Bob", killer + std::string(10, 'z')));
    EXPECT_EQ(stats->lastKillerName, killer);
}

TEST(ParseKillerName, LineWithoutByOrBangKeepsTheLastKiller) {
    auto stats = newPartStats();
    feed(*stats, realmDeath("Bob", "Alice"));
    feed(*stats, "Bob vient juste d'être tué dans [Zone]!"_l1);
    EXPECT_EQ(stats->lastKillerName, "Alice");
    feed(*stats, "Bob vient juste d'être tué dans [Zone] par Carl"_l1);
    EXPECT_EQ(stats->lastKillerName, "Alice");
}

TEST(ParsePlayerDeath, DeathsAreCountedPerKiller) {
    auto stats = newPartStats();
    feed(*stats, playerDeath, "10:00:05");
    feed(*stats, realmDeath("Moi", "Alice"), "10:01:00");
    feed(*stats, playerDeath, "10:01:00");
    feed(*stats, playerDeath, "10:02:00");
    ASSERT_EQ(stats->killerCount(), 2);
    EXPECT_EQ(stats->killers[0].name, "Inconnu");
    EXPECT_EQ(stats->killers[0].deaths, 1);
    EXPECT_EQ(stats->killers[1].name, "Alice");
    EXPECT_EQ(stats->killers[1].deaths, 2);
}

TEST(ParsePlayerDeath, DeathWithinASecondOfADuelEndIsNotCounted) {
    auto stats = newPartStats();
    feed(*stats, duelEnd, "08:10:20");
    EXPECT_EQ(stats->lastDuelEndTime, 1020);
    feed(*stats, playerDeath, "08:10:21");
    feed(*stats, playerDeath, "08:10:19");
    EXPECT_EQ(stats->killerCount(), 0);
    feed(*stats, playerDeath, "08:10:23");
    EXPECT_EQ(stats->killerCount(), 1);
}

TEST(ParsePlayerDeath, StampsAreComparedAsMinuteSecondNumbers) {
    auto stats = newPartStats();
    // No duel yet: -1 is one away from minute 0, second 0.
    feed(*stats, playerDeath, "09:00:00");
    EXPECT_EQ(stats->killerCount(), 0);
    feed(*stats, playerDeath, "09:00:01");
    EXPECT_EQ(stats->killerCount(), 1);

    // 12:59 and 13:00 are 41 apart; 59:59 and 00:00 of the next hour 5959.
    feed(*stats, duelEnd, "09:12:59");
    feed(*stats, playerDeath, "09:13:00");
    feed(*stats, duelEnd, "09:59:59");
    feed(*stats, playerDeath, "10:00:00");
    EXPECT_EQ(stats->killers[0].deaths, 3);
}

}  // namespace
}  // namespace torvelin
