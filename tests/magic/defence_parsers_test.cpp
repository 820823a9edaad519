#include "magic/defence_parsers.h"

#include <gtest/gtest.h>

#include "base/latin1.h"
#include "driver/dispatch.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::logLine;

// Hands the line to the dispatch chain.
void incoming(PartStats& stats, std::string_view message) {
    dispatchLine(logLine(message), stats);
}

std::vector<std::int32_t> received(const PartStats& stats, IncomingKind kind) {
    return stats.receivedDamage[kind].values;
}

TEST(ParseDamageTaken, BookedUnderTheKindOfThePreviousLine) {
    struct Announce {
        const char* message;
        IncomingKind kind;
    };
    const Announce announces[] = {
        {"Vous êtes victime d'un empoisonnement !"_l1.c_str(), IncomingKind::poison},
        {"Le brigand vous attaque avec son arme !", IncomingKind::melee},
        {"L'archer vous tire avec son arme !", IncomingKind::arrow},
        {"Votre corps est recouvert d'écorchures douloureuses."_l1.c_str(), IncomingKind::disease},
        {"Vous êtes victime d'un poison violent !"_l1.c_str(), IncomingKind::violentPoison},
        {"Le brigand vous inflige 5 points de dégâts supplémentaires !"_l1.c_str(),
         IncomingKind::addedDamage},
        {"Vous saignez !", IncomingKind::bleeding},
        {"Le mage lance un sort !", IncomingKind::spell},
    };
    for (const Announce& announce : announces) {
        auto stats = newPartStats();
        incoming(*stats, announce.message);
        incoming(*stats, "Vous encaissez 42 points de dégâts."_l1);
        EXPECT_EQ(received(*stats, announce.kind), (std::vector<std::int32_t>{42}))
            << announce.message;
        EXPECT_EQ(stats->incomingKind, IncomingKind::spell);
    }
}

TEST(ParseDamageTaken, ThroughTheDispatchTheKindLastsOneLine) {
    auto stats = newPartStats();
    dispatchLine(logLine("L'archer vous tire avec son arme !"), *stats);
    dispatchLine(logLine("Vous encaissez 30 points de dégâts."_l1), *stats);
    dispatchLine(logLine("L'archer vous tire avec son arme !"), *stats);
    dispatchLine(logLine("Vous ramassez une flèche."_l1), *stats);
    dispatchLine(logLine("Vous encaissez 30 points de dégâts."_l1), *stats);
    EXPECT_EQ(received(*stats, IncomingKind::arrow), (std::vector<std::int32_t>{30}));
    EXPECT_EQ(received(*stats, IncomingKind::spell), (std::vector<std::int32_t>{30}));
}

TEST(ParseIncomingKind, LaterMatchesOverrideEarlierOnes) {
    auto stats = newPartStats();
    incoming(*stats,
             "Vous saignez ! Le brigand vous inflige 5 points de dégâts supplémentaires."_l1);
    EXPECT_EQ(stats->incomingKind, IncomingKind::addedDamage);
    incoming(*stats, "Le brigand vous attaque avec son arme et lance un sort !");
    EXPECT_EQ(stats->incomingKind, IncomingKind::spell);
    // "vous inflige" alone is no added damage.
    incoming(*stats, "Vous saignez ! Le brigand vous inflige une blessure.");
    EXPECT_EQ(stats->incomingKind, IncomingKind::bleeding);
}

TEST(ParseMeleeHitTaken, EnemyBlowsButNotThePlayersOwn) {
    auto stats = newPartStats();
    parseMeleeHitTaken(logLine("Le brigand vous frappe au torse pour 57 points de dégâts !"_l1),
                       *stats);
    parseMeleeHitTaken(logLine("L'archer vise votre bras et vous blesse pour 23 points !"), *stats);
    parseMeleeHitTaken(logLine("Vous frappez et infligez 80 points de dégâts !"_l1), *stats);
    EXPECT_EQ(stats->meleeHitsTaken.values, (std::vector<std::int32_t>{57, 23}));
}

TEST(ParseDefence, EachRule) {
    auto stats = newPartStats();
    const char* lines[] = {
        "Le brigand rate son coup !",
        "Le brigand vous attaque, mais vous bloquez le coup !",
        "Le brigand vous attaque, mais vous parez le coup !",
        "Le brigand vous attaque, mais vous esquivez le coup !",
        "Vous résistez à l'effet !"_l1.c_str(),
        "Le coup a traversé la barrière magique !"_l1.c_str(),
        "Gontran vous protège de l'attaque lancée par le brigand !"_l1.c_str(),
    };
    for (const char* message : lines)
        dispatchLine(logLine(message), *stats);
    EXPECT_EQ(stats->avoidances.items, (std::array<std::int32_t, 6>{1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(stats->effectsResisted, 1);
    EXPECT_EQ(stats->barrierPierced, 1);
}

TEST(ParseDefence, AnAbsorbedBlowLowersTheMissesBelowZero) {
    auto stats = newPartStats();
    dispatchLine(logLine("Le coup est absorbé par une barrière magique !"_l1), *stats);
    EXPECT_EQ(stats->avoidances[Avoidance::barrierAbsorbed], 1);
    EXPECT_EQ(stats->avoidances[Avoidance::enemyMiss], -1);
    // Several rules apply to the same line.
    dispatchLine(
        logLine("Le coup est absorbé par une barrière magique : le brigand rate son coup"_l1),
        *stats);
    EXPECT_EQ(stats->avoidances[Avoidance::barrierAbsorbed], 2);
    EXPECT_EQ(stats->avoidances[Avoidance::enemyMiss], -1);
}

TEST(ParseDefence, PlayersOwnAvoidedAttacksAreNotDefence) {
    auto stats = newPartStats();
    dispatchLine(logLine("Le brigand esquive votre attaque !"), *stats);
    dispatchLine(logLine("Le brigand bloque votre attaque !"), *stats);
    EXPECT_EQ(stats->avoidances.items, (std::array<std::int32_t, 6>{}));
}

}  // namespace
}  // namespace torvelin
