#include "attacks/attack_state.h"

#include <gtest/gtest.h>

#include <numeric>

#include "attack_chain.h"
#include "base/console.h"
#include "base/latin1.h"

namespace torvelin {
namespace {

using testing::entryOf;
using testing::feedAttack;
using testing::logLine;

constexpr std::string_view executed = "Vous exécutez parfaitement votre Taillade ! (+42)"_l1;
constexpr std::string_view prepared = "Vous vous préparez à exécuter votre Taillade."_l1;
constexpr std::string_view failed = "Vous ne parvenez pas à exécuter parfaitement Taillade."_l1;
constexpr std::string_view axeHit =
    "Vous attaquez le gobelin avec votre hache, et infligez 120 (+5) points de dégâts !"_l1;

TEST(StyleLines, ExecutedStyleThenHitBooksBonusAndHitToThePair) {
    auto stats = newPartStats();
    feedAttack(*stats, executed, "12:00:01");
    EXPECT_EQ(stats->currentStyle, "Taillade");
    EXPECT_TRUE(stats->styledHitPending);
    feedAttack(*stats, axeHit, "12:00:04");
    ASSERT_EQ(stats->weaponStyleCount, 1);  // the entry of the style line was adopted
    const WeaponStyleEntry* entry = entryOf(*stats, "hache", "Taillade");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->styleBonus.values, std::vector<std::int32_t>{42});
    EXPECT_EQ(entry->hitDamage.values, std::vector<std::int32_t>{120});
    EXPECT_EQ(entry->hitModifier.values, std::vector<std::int32_t>{5});
    EXPECT_TRUE(stats->noStyle);
}

TEST(StyleLines, PreparedStyleThenHitIsUnstyled) {
    auto stats = newPartStats();
    feedAttack(*stats, prepared, "12:00:01");
    EXPECT_FALSE(stats->noStyle);
    EXPECT_FALSE(stats->styledHitPending);
    feedAttack(*stats, axeHit, "12:00:04");
    const WeaponStyleEntry* entry = entryOf(*stats, "hache", "Sans style");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->hitDamage.count(), 1);
    EXPECT_EQ(entryOf(*stats, "Inconnue", "Taillade")->hitDamage.count(), 0);
}

TEST(StyleLines, FailureCountsForThePreparedStyle) {
    auto stats = newPartStats();
    feedAttack(*stats, executed, "12:00:01");
    feedAttack(*stats, axeHit, "12:00:04");
    feedAttack(*stats, axeHit, "12:00:08");  // links hache to "Sans style"
    feedAttack(*stats, prepared, "12:00:10");
    feedAttack(*stats, failed, "12:00:11");
    EXPECT_EQ(entryOf(*stats, "hache", "Taillade")->styleFailCount, 1);
    EXPECT_EQ(entryOf(*stats, "hache", "Sans style")->styleFailCount, 0);
    EXPECT_EQ(stats->weaponStyles[static_cast<std::size_t>(stats->currentWeaponStyle)].styleName,
              "Sans style");
    EXPECT_TRUE(stats->noStyle);
}

TEST(StyleLines, StyleNamesOfTheThreeForms) {
    auto stats = newPartStats();
    feedAttack(*stats, "Vous vous préparez à exécuter votre Coup Bas ! Attention."_l1);
    EXPECT_EQ(stats->currentStyle, "Coup Bas");
    feedAttack(*stats,
               "Vous vous préparez maintenant à effectuer le style de secours: Riposte pour "
               "pallier votre manque d'endurance."_l1);
    EXPECT_EQ(stats->currentStyle, "Riposte");
    feedAttack(*stats, std::string("Vous exécutez parfaitement votre "_l1) + std::string(60, 'x') +
                           " ! (+3)");
    EXPECT_EQ(stats->currentStyle, std::string(49, 'x'));
    EXPECT_EQ(stats->weaponStyleCount, 3);
}

TEST(StyleLines, StyleLineWithoutEndIsUnreadable) {
    auto stats = newPartStats();
    EXPECT_THROW(feedAttack(*stats, "Vous vous préparez à exécuter votre Taillade"_l1),
                 UnreadableLine);
    EXPECT_THROW(
        {
            feedAttack(*stats,
                       "Vous vous préparez maintenant à effectuer le style de secours: X"_l1);
        },
        UnreadableLine);
}

TEST(WeaponName, TakenBetweenVotreAndTheFirstComma) {
    auto stats = newPartStats();
    extractWeaponName(logLine("Vous attaquez X avec votre " + std::string(70, 'e') + ", et 5"),
                      *stats);
    EXPECT_EQ(stats->currentWeapon, std::string(59, 'e'));
    extractWeaponName(logLine("Vous attaquez X avec votre , et 5"), *stats);
    EXPECT_EQ(stats->currentWeapon, "");
    EXPECT_THROW(extractWeaponName(logLine("Vous attaquez X, avec votre hache et 5"), *stats),
                 UnreadableLine);
}

TEST(AttackStateLines, ShotAbandonAndCast) {
    auto stats = newPartStats();
    feedAttack(*stats, "Vous préparez votre tir."_l1);
    EXPECT_EQ(stats->currentStyle, "Range");
    EXPECT_FALSE(stats->noStyle);
    feedAttack(*stats, "Vous passez en mode combat.");
    EXPECT_EQ(stats->currentStyle, "Sans style");
    EXPECT_TRUE(stats->noStyle);
    feedAttack(*stats, "Vous lancez le sort Boule de feu !", "10:21:07");
    ASSERT_EQ(stats->spellCount, 1);
    EXPECT_EQ(stats->spells[0].name, "Boule de feu");
    EXPECT_EQ(stats->spells[0].castCount, 1);
    EXPECT_TRUE(stats->castMode);
    EXPECT_EQ(stats->touchTarget, TouchTarget::spell);
    EXPECT_EQ(stats->lastCastTime, 2107);
    feedAttack(*stats, "Le gobelin est trop loin pour une attaque !");
    EXPECT_FALSE(stats->castMode);
}

TEST(AttackStateLines, GivenEffectAnnouncementsKeepTheLastKind) {
    auto stats = newPartStats();
    struct Case {
        std::string_view message;
        TouchTarget target;
    };
    const Case cases[] = {
        {"Le gobelin est victime d'un empoisonnement !", TouchTarget::poison},
        {"Le gobelin saigne !", TouchTarget::bleeding},
        {"Le gobelin est frappé par un déferlement d'énergies magiques."_l1,
         TouchTarget::magicSurge},
        {"Un nuage acide entoure le gobelin.", TouchTarget::acidPoison},
        {"Le gobelin voit sa peau se couvrir de plaies ouvertes !", TouchTarget::disease},
        {"Le gobelin saigne ! Le gobelin est victime d'un empoisonnement !", TouchTarget::bleeding},
    };
    for (const Case& c : cases) {
        stats->touchTarget = TouchTarget::consumed;
        stats->lastCastTime = 0;
        feedAttack(*stats, c.message, "01:02:03");
        EXPECT_EQ(stats->touchTarget, c.target) << c.message;
        EXPECT_EQ(stats->lastCastTime, 203);
    }
}

std::vector<std::int32_t> allIntervals(const PartStats& stats) {
    std::vector<std::int32_t> all;
    for (std::int32_t i = 0; i < stats.weaponStyleCount; ++i) {
        const auto& values = stats.weaponStyles[static_cast<std::size_t>(i)].attackIntervals.values;
        all.insert(all.end(), values.begin(), values.end());
    }
    return all;
}

TEST(SwingSpeed, RecordsOneToSevenSecondsAcrossTheMinute) {
    auto stats = newPartStats();
    const char* stamps[] = {"12:00:10", "12:00:13", "12:00:13", "12:00:21",
                            "12:00:28", "12:00:58", "12:01:02"};
    for (const char* stamp : stamps)
        feedAttack(*stats, "Vous ratez votre coup !", stamp);
    // 3 recorded, 0 and 8 not, then 7 and 30 (not), then 4 across the minute
    EXPECT_EQ(allIntervals(*stats), (std::vector<std::int32_t>{3, 7, 4}));
    feedAttack(*stats, "Vous passez en mode combat.", "12:01:03");
    feedAttack(*stats, "Le gobelin pare votre attaque !", "12:01:05");
    EXPECT_EQ(allIntervals(*stats).size(), 3u);  // the first event after a reset starts the timer
    feedAttack(*stats, "Le gobelin esquive votre attaque !", "12:01:06");
    EXPECT_EQ(allIntervals(*stats).size(), 4u);
    feedAttack(*stats, "Vous attaquez à nouveau à vitesse normale."_l1, "12:01:08");
    feedAttack(*stats, "Le gobelin bloque votre attaque !", "12:01:09");
    EXPECT_EQ(allIntervals(*stats).back(), 3);
}

TEST(ShotSpeed, MeasuredOnlyBetweenAutomaticShots) {
    auto stats = newPartStats();
    constexpr std::string_view autoFire = "Vous allez tirer et recharger automatiquement.";
    constexpr std::string_view shot =
        "Vous tirez sur le gobelin avec votre arc long, et infligez 80 points de dégâts !"_l1;
    auto intervals = [&] { return entryOf(*stats, "arc long", "Range")->attackIntervals.values; };
    feedAttack(*stats, autoFire, "12:00:09");
    feedAttack(*stats, shot, "12:00:10");  // starts the timer
    feedAttack(*stats, autoFire, "12:00:12");
    feedAttack(*stats, shot, "12:00:14");
    EXPECT_EQ(intervals(), std::vector<std::int32_t>{4});
    feedAttack(*stats, shot, "12:00:17");  // not armed: the timer stops
    feedAttack(*stats, autoFire, "12:00:18");
    feedAttack(*stats, shot, "12:00:19");
    EXPECT_EQ(intervals().size(), 1u);
    feedAttack(*stats, autoFire, "12:00:20");
    feedAttack(*stats, autoFire, "12:00:21");  // armed twice: the timer stops
    feedAttack(*stats, shot, "12:00:22");
    feedAttack(*stats, autoFire, "12:00:23");
    feedAttack(*stats, "Votre tir est interrompu !", "12:00:24");
    feedAttack(*stats, shot, "12:00:25");
    EXPECT_EQ(intervals().size(), 1u);
    feedAttack(*stats, autoFire, "12:00:59");
    feedAttack(*stats, shot, "12:01:00");
    feedAttack(*stats, autoFire, "12:01:01");
    feedAttack(*stats, shot, "12:01:02");
    EXPECT_EQ(intervals(), (std::vector<std::int32_t>{4, 2}));
}

}  // namespace
}  // namespace torvelin
