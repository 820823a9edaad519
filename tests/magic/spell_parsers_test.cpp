#include "magic/spell_parsers.h"

#include <gtest/gtest.h>

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"
#include "record/spell_table.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::logLine;

// A record in which the spell `name` was just cast at `stamp`, as the cast-line parser leaves it.
std::unique_ptr<PartStats> afterCast(std::string_view name, std::string_view stamp) {
    auto stats = newPartStats();
    stats->currentSpell = findOrAddSpell(*stats, name);
    stats->lastCastTime = lineTime(logLine("", stamp));
    stats->castMode = true;
    stats->touchTarget = TouchTarget::spell;
    stats->healTarget = unknownName;
    slotAt(stats->spells, stats->currentSpell).castCount += 1;
    return stats;
}

const SpellEntry& spell(const PartStats& stats, std::int32_t index = 0) {
    return stats.spells[static_cast<std::size_t>(index)];
}

TEST(ParseHeal, SelfHealInTheCastSecondIsBooked) {
    auto stats = afterCast("Soin majeur", "10:00:05");
    stats->castMode = false;
    parseHeal(logLine("Vous vous soignez de 120 points de vie.", "10:00:05"), *stats);
    EXPECT_EQ(spell(*stats).hitDamage.values, (std::vector<std::int32_t>{120}));
    EXPECT_EQ(spell(*stats).spellKind, SpellKind::heal);
    EXPECT_TRUE(stats->castMode);
}

TEST(ParseHeal, LineOneSecondAfterTheCastIsIgnored) {
    auto stats = afterCast("Soin majeur", "10:00:05");
    parseHeal(logLine("Vous vous soignez de 120 points de vie.", "10:00:06"), *stats);
    parseHeal(logLine("Vos points de vie sont au maximum.", "10:00:06"), *stats);
    EXPECT_TRUE(spell(*stats).hitDamage.empty());
    EXPECT_TRUE(spell(*stats).cappedHeals.empty());
    EXPECT_EQ(spell(*stats).spellKind, SpellKind::unclassified);
}

TEST(ParseHeal, TargetReachingFullHealthMovesTheHealToCappedHeals) {
    auto stats = afterCast("Soin de groupe", "10:00:05");
    parseHeal(logLine("Vous soignez Aldric de 90 points de vie.", "10:00:05"), *stats);
    parseHeal(logLine("Vous soignez Brunehaut de 75 points de vie.", "10:00:05"), *stats);
    EXPECT_EQ(stats->healTarget, "Brunehaut");
    parseHeal(logLine("Brunehaut n'a plus besoin de soins.", "10:00:05"), *stats);
    EXPECT_EQ(spell(*stats).hitDamage.values, (std::vector<std::int32_t>{90}));
    EXPECT_EQ(spell(*stats).cappedHeals.values, (std::vector<std::int32_t>{75}));
}

TEST(ParseHeal, AnotherTargetNeedingNoHealIsACappedHealOfZero) {
    auto stats = afterCast("Soin de groupe", "10:00:05");
    parseHeal(logLine("Vous soignez Aldric de 90 points de vie.", "10:00:05"), *stats);
    parseHeal(logLine("Gontran n'a plus besoin de soins.", "10:00:05"), *stats);
    EXPECT_EQ(spell(*stats).hitDamage.values, (std::vector<std::int32_t>{90}));
    EXPECT_EQ(spell(*stats).cappedHeals.values, (std::vector<std::int32_t>{0}));
}

TEST(ParseHeal, FullHealthMovesTheLastHealOfTheSpell) {
    auto stats = afterCast("Soin majeur", "10:00:05");
    parseHeal(logLine("Vous vous soignez de 120 points de vie.", "10:00:05"), *stats);
    parseHeal(logLine("Vous vous soignez de 40 points de vie.", "10:00:05"), *stats);
    parseHeal(logLine("Vos points de vie sont au maximum.", "10:00:05"), *stats);
    EXPECT_EQ(spell(*stats).hitDamage.values, (std::vector<std::int32_t>{120}));
    EXPECT_EQ(spell(*stats).cappedHeals.values, (std::vector<std::int32_t>{40}));
}

TEST(ParseHeal, FullHealthWithoutAnyHealMovesNothing) {
    auto stats = afterCast("Soin majeur", "10:00:05");
    parseHeal(logLine("Vos points de vie sont au maximum.", "10:00:05"), *stats);
    EXPECT_TRUE(spell(*stats).hitDamage.empty());
    EXPECT_TRUE(spell(*stats).cappedHeals.empty());
}

TEST(ParseHeal, TargetIsCutBeforeTheFirstDeOfTheLine) {
    auto stats = afterCast("Soin", "10:00:05");
    // "Claudette" holds "de": the name stops one character before it.
    parseHeal(logLine("Vous soignez Claudette de 30 points de vie.", "10:00:05"), *stats);
    EXPECT_EQ(stats->healTarget, "Cla");
    // The same target, named in full, is somebody else: a capped 0.
    parseHeal(logLine("Claudette n'a plus besoin de soins.", "10:00:05"), *stats);
    EXPECT_EQ(spell(*stats).hitDamage.values, (std::vector<std::int32_t>{30}));
    EXPECT_EQ(spell(*stats).cappedHeals.values, (std::vector<std::int32_t>{0}));
}

TEST(ParseHeal, NamesAreCutTo49CharactersAndAnInvertedCutIsEmpty) {
    auto stats = afterCast("Soin", "10:00:05");
    std::string longName(60, 'x');
    parseHeal(logLine("Vous soignez " + longName + " de 30 points de vie.", "10:00:05"), *stats);
    EXPECT_EQ(stats->healTarget, std::string(49, 'x'));
    // The same long name on the full-health line compares equal after the same cut.
    parseHeal(logLine(longName + " n'a plus besoin de soins.", "10:00:05"), *stats);
    EXPECT_EQ(spell(*stats).cappedHeals.values, (std::vector<std::int32_t>{30}));
    EXPECT_TRUE(spell(*stats).hitDamage.empty());

    // "de" right after "Vous soignez ": the end lies before the start.
    parseHeal(logLine("Vous soignez de 10 points de vie.", "10:00:05"), *stats);
    EXPECT_EQ(stats->healTarget, "");
}

TEST(ParseHeal, HealLineWithoutDeIsUnreadable) {
    auto stats = afterCast("Soin", "10:00:05");
    std::string line = logLine("Vous soignez Bob pour 30 points.", "10:00:05");
    EXPECT_THROW(parseHeal(line, *stats), UnreadableLine);
}

TEST(ParseResist, CountsOnlyInTheCastSecond) {
    auto stats = afterCast("Trait de feu", "10:00:05");
    parseResist(logLine("Le gobelin résiste à l'effet !"_l1, "10:00:05"), *stats);
    parseResist(logLine("Votre cible est enragée et résiste au sort !"_l1, "10:00:05"), *stats);
    parseResist(logLine("Le gobelin résiste à l'effet !"_l1, "10:00:06"), *stats);
    EXPECT_EQ(spell(*stats).resistCount, 2);
    EXPECT_TRUE(stats->weaponStyles.empty() || stats->weaponStyles[0].procDamage.empty());
}

TEST(ParseResist, DuringAWeaponActionMarksAResistedProc) {
    auto stats = afterCast("Trait de feu", "10:00:05");
    stats->castMode = false;
    stats->currentWeaponStyle = 2;
    parseResist(logLine("Le gobelin résiste à l'effet !"_l1, "11:22:33"), *stats);
    EXPECT_EQ(stats->weaponStyles[2].procDamage.values, (std::vector<std::int32_t>{markerSample}));
    EXPECT_EQ(spell(*stats).resistCount, 0);
}

TEST(ParseResist, ThePlayerResistingIsNoSpellResist) {
    auto stats = afterCast("Trait de feu", "10:00:05");
    parseResist(logLine("Vous résistez à l'effet !"_l1, "10:00:05"), *stats);
    EXPECT_EQ(spell(*stats).resistCount, 0);
}

TEST(ParseEffectDamage, AddedDamageAfterAWeaponHitThenDamageShield) {
    auto stats = newPartStats();
    stats->addedDamagePending = true;
    parseEffectDamage(logLine("Le gobelin subit 12 points de dégâts supplémentaires."_l1), *stats);
    parseEffectDamage(logLine("Le gobelin subit 7 points de dégâts."_l1), *stats);
    parseEffectDamage(logLine("Le gobelin est frappé."_l1), *stats);
    EXPECT_EQ(stats->givenEffects[GivenEffect::addedDamage].values,
              (std::vector<std::int32_t>{12}));
    EXPECT_EQ(stats->givenEffects[GivenEffect::damageShield].values,
              (std::vector<std::int32_t>{7}));
    EXPECT_FALSE(stats->addedDamagePending);
}

TEST(ParseCastTime, IncantationTimeAcrossTheMinute) {
    auto stats = afterCast("Trait de feu", "10:00:58");
    parseCastTime(logLine("Vous commencez à incanter un sort de Trait de feu."_l1, "10:00:58"),
                  *stats);
    EXPECT_EQ(stats->castStartSecond, 58);
    parseCastTime(logLine("Vous lancez le sort Trait de feu !", "10:01:03"), *stats);
    EXPECT_EQ(spell(*stats).castTimes.values, (std::vector<std::int32_t>{5}));
    EXPECT_EQ(stats->castStartSecond, -1);
}

TEST(ParseCastTime, TooLongAGapRecordsNothingAndKeepsTheStart) {
    auto stats = afterCast("Trait de feu", "10:00:20");
    parseCastTime(logLine("Vous commencez l'incantation de votre sort.", "10:00:10"), *stats);
    parseCastTime(logLine("Vous lancez le sort Trait de feu !", "10:00:20"), *stats);
    EXPECT_TRUE(spell(*stats).castTimes.empty());
    EXPECT_EQ(stats->castStartSecond, 10);
}

TEST(ParseCastTime, CastWithoutIncantationOrAfterAnInterruptionRecordsZero) {
    auto stats = afterCast("Trait de feu", "10:00:20");
    parseCastTime(logLine("Vous lancez le sort Trait de feu !", "10:00:20"), *stats);
    parseCastTime(logLine("Vous commencez à incanter un sort."_l1, "10:00:21"), *stats);
    parseCastTime(
        logLine("Le gobelin vous attaque, vous empêchant de poursuivre votre incantation !"_l1,
                "10:00:22"),
        *stats);
    EXPECT_EQ(stats->castStartSecond, -1);
    parseCastTime(logLine("Vous lancez le sort Trait de feu !", "10:00:24"), *stats);
    EXPECT_EQ(spell(*stats).castTimes.values, (std::vector<std::int32_t>{0, 0}));
}

}  // namespace
}  // namespace torvelin
