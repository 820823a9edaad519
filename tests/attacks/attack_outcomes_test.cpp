#include "attacks/attack_outcomes.h"

#include <gtest/gtest.h>

#include "attack_chain.h"
#include "base/latin1.h"

namespace torvelin {
namespace {

using testing::entryOf;
using testing::feedAttack;
using Values = std::vector<std::int32_t>;

std::string hitOn(std::string_view target, std::string_view weapon, std::string_view damage) {
    return "Vous attaquez " + std::string(target) + " avec votre " + std::string(weapon) +
           ", et infligez " + std::string(damage) + std::string(" points de dégâts !"_l1);
}

constexpr std::string_view executed = "Vous exécutez parfaitement votre Taillade ! (+42)"_l1;

TEST(WeaponHit, ModifierInBrackets) {
    auto stats = newPartStats();
    feedAttack(*stats, hitOn("le gobelin", "hache", "100"), "12:00:01");
    feedAttack(*stats, hitOn("le gobelin", "hache", "101 (-12)"), "12:00:03");
    feedAttack(*stats, hitOn("le gobelin", "hache", "102 (+12)"), "12:00:05");
    feedAttack(*stats, hitOn("le gobelin", "hache", "103 (12)"), "12:00:07");
    const WeaponStyleEntry* entry = entryOf(*stats, "hache", "Sans style");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->hitDamage.values, (Values{100, 101, 102, 103}));
    EXPECT_EQ(entry->hitModifier.values, (Values{0, -12, 12, 12}));
    EXPECT_TRUE(stats->addedDamagePending);
}

TEST(WeaponHit, KeepTargetsAndInterceptedBlowsAreMarkers) {
    auto stats = newPartStats();
    const char* keepTargets[] = {"les Portes du fort", "Seigneur Alric",
                                 "le Commandant des Champions Brun", "le Gardien Hugues"};
    int second = 0;
    for (const char* target : keepTargets) {
        feedAttack(*stats, executed, "12:00:0" + std::to_string(second++));
        feedAttack(*stats, hitOn(target, "hache", "90 (+3)"), "12:00:0" + std::to_string(second++));
    }
    const WeaponStyleEntry* styled = entryOf(*stats, "hache", "Taillade");
    ASSERT_NE(styled, nullptr);
    EXPECT_EQ(styled->hitDamage.values, Values(4, markerSample));
    EXPECT_EQ(styled->hitModifier.values, Values(4, markerSample));
    EXPECT_EQ(styled->styleBonus.values, Values(4, markerSample));

    feedAttack(*stats, "Le garde s'avance devant vous et encaisse le coup !", "12:00:20");
    EXPECT_TRUE(stats->interceptPending);
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:22");
    feedAttack(*stats, hitOn("le gobelin", "hache", "80"), "12:00:24");
    EXPECT_EQ(entryOf(*stats, "hache", "Sans style")->hitDamage.values, (Values{markerSample, 80}));
    EXPECT_FALSE(stats->interceptPending);
}

TEST(Criticals, BookedToWeaponOrSpellButNotDuringBerserk) {
    auto stats = newPartStats();
    constexpr std::string_view critical =
        "Vous réussissez un coup critique et infligez 35 points de dégâts supplémentaires !"_l1;
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:01");
    feedAttack(*stats, critical, "12:00:01");
    feedAttack(*stats, "La rage de Modi vous submerge !", "12:00:02");
    feedAttack(*stats, critical, "12:00:03");
    feedAttack(*stats, "Votre rage berserk prend fin.", "12:00:04");
    feedAttack(*stats, critical, "12:00:05");
    EXPECT_EQ(entryOf(*stats, "hache", "Sans style")->critDamage.values, (Values{35, 35}));

    feedAttack(*stats, "Vous lancez le sort Flamme !", "12:00:06");
    feedAttack(*stats, critical, "12:00:06");
    feedAttack(*stats,
               "Votre sort de dégâts répétés a réussi parfaitement, il inflige 12 points."_l1,
               "12:00:07");
    EXPECT_EQ(stats->spells[0].critDamage.values, (Values{35, 12}));
}

TEST(MultipleAttacks, SecondEventOfASecondMakesTheNextHitMultiple) {
    auto stats = newPartStats();
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:01");
    feedAttack(*stats, hitOn("le gobelin", "hache", "40"), "12:00:01");
    EXPECT_EQ(entryOf(*stats, "hache", "Multiple")->hitDamage.values, Values{40});
    EXPECT_TRUE(stats->doublePending);
    // An unstyled hit one second later goes to "Multiple" because hache has such an entry.
    feedAttack(*stats, hitOn("le gobelin", "hache", "41"), "12:00:02");
    EXPECT_EQ(entryOf(*stats, "hache", "Multiple")->hitDamage.count(), 2);
    // ...but not for a weapon without one.
    feedAttack(*stats, hitOn("le gobelin", "dague", "42"), "12:00:03");
    EXPECT_EQ(entryOf(*stats, "dague", "Sans style")->hitDamage.count(), 1);
}

TEST(MultipleAttacks, CountsTriplesAndQuadruples) {
    auto stats = newPartStats();
    for (int i = 0; i < 5; ++i)
        feedAttack(*stats, "Vous ratez votre coup !", "12:00:01");
    EXPECT_EQ(stats->tripleCount, 1);
    EXPECT_EQ(stats->quadrupleCount, 1);
    EXPECT_TRUE(stats->doublePending);  // the fifth opens a new double
    EXPECT_FALSE(stats->triplePending);
    feedAttack(*stats, "Vous ratez votre coup !", "12:00:02");
    EXPECT_FALSE(stats->doublePending);
    EXPECT_EQ(entryOf(*stats, "Inconnue", "Multiple")->missCount, 4);
}

TEST(MultipleAttacks, ArmedOnlyByAClockOneHigher) {
    auto stats = newPartStats();
    feedAttack(*stats, "Vous ratez votre coup !", "12:30:04");
    feedAttack(*stats, "Vous ratez votre coup !", "12:30:05");
    EXPECT_TRUE(stats->multiAttackArmed);
    feedAttack(*stats, "Vous ratez votre coup !", "12:30:59");
    feedAttack(*stats, "Vous ratez votre coup !", "12:31:00");
    EXPECT_FALSE(stats->multiAttackArmed);
    EXPECT_EQ(stats->lastSwingClock, 123100);
}

TEST(SpellDamage, StrikeAndAreaHitsOfTheCastSecond) {
    auto stats = newPartStats();
    feedAttack(*stats, "Vous lancez le sort Boule de feu !", "12:00:05");
    feedAttack(*stats, "Vous frappez et infligez 150 (+10) points de dégâts."_l1, "12:00:05");
    EXPECT_EQ(stats->spells[0].hitDamage.values, Values{150});
    EXPECT_EQ(stats->spells[0].hitModifier.values, Values{10});
    EXPECT_EQ(stats->spells[0].spellKind, SpellKind::singleTarget);

    feedAttack(*stats, "Vous lancez le sort Pluie ardente !", "12:00:09");
    constexpr std::string_view touch =
        "Vous touchez le gobelin et infligez 80 points de dégâts."_l1;
    feedAttack(*stats, touch, "12:00:09");
    feedAttack(*stats, touch, "12:00:09");
    feedAttack(*stats, touch, "12:00:10");
    EXPECT_EQ(stats->spells[1].hitDamage.values, (Values{80, 80}));
    EXPECT_EQ(stats->spells[1].spellKind, SpellKind::area);
    EXPECT_EQ(stats->touchTarget, TouchTarget::consumed);

    // After a weapon hit the same strike line is a weapon proc.
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:11");
    feedAttack(*stats, "Vous frappez et infligez 30 points de dégâts."_l1, "12:00:11");
    EXPECT_EQ(entryOf(*stats, "hache", "Sans style")->procDamage.values, Values{30});
    EXPECT_EQ(stats->spells[0].hitDamage.count(), 1);
}

TEST(SpellDamage, EachGivenEffectIsBookedOnceInItsSecond) {
    auto stats = newPartStats();
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:01");
    constexpr std::string_view touch =
        "Vous touchez le gobelin et infligez 15 points de dégâts."_l1;
    const std::string_view announcements[] = {
        "Le gobelin est victime d'un empoisonnement !",
        "Le gobelin saigne !",
        "Le gobelin subit un déferlement d'énergies magiques."_l1,
        "Un nuage acide entoure le gobelin.",
        "Le gobelin voit sa peau se couvrir de plaies ouvertes !",
    };
    for (std::string_view announcement : announcements) {
        feedAttack(*stats, announcement, "12:00:20");
        feedAttack(*stats, touch, "12:00:20");
        feedAttack(*stats, touch, "12:00:20");  // consumed by the first
    }
    feedAttack(*stats, announcements[0], "12:00:30");
    feedAttack(*stats, touch, "12:00:31");  // another second: nothing
    EXPECT_EQ(stats->givenEffects[GivenEffect::poison].values, Values{15});
    EXPECT_EQ(stats->givenEffects[GivenEffect::bleeding].values, Values{15});
    EXPECT_EQ(stats->givenEffects[GivenEffect::acidPoison].values, Values{15});
    EXPECT_EQ(stats->givenEffects[GivenEffect::disease].values, Values{15});
    EXPECT_EQ(entryOf(*stats, "hache", "Sans style")->procDamage.values, Values{15});
    EXPECT_EQ(stats->touchTarget, TouchTarget::consumed);
}

TEST(Misses, MissBeforeAnyHitIsAdoptedByTheFirstWeapon) {
    auto stats = newPartStats();
    feedAttack(*stats, "Vous ratez votre coup !", "12:00:01");
    EXPECT_EQ(entryOf(*stats, "Inconnue", "Sans style")->missCount, 1);
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:03");
    ASSERT_EQ(stats->weaponStyleCount, 1);
    EXPECT_EQ(entryOf(*stats, "hache", "Sans style")->missCount, 1);
    // A styled miss goes to the weapon last used with the style.
    feedAttack(*stats, executed, "12:00:05");
    feedAttack(*stats, hitOn("le gobelin", "dague", "50"), "12:00:07");
    feedAttack(*stats, executed, "12:00:09");
    feedAttack(*stats, "Vous ne parvenez pas à endommager le gobelin."_l1, "12:00:11");
    EXPECT_EQ(entryOf(*stats, "dague", "Taillade")->missCount, 1);
    // The same weapon with two styles and the same style with two weapons.
    feedAttack(*stats, executed, "12:00:13");
    feedAttack(*stats, hitOn("le gobelin", "hache", "60"), "12:00:15");
    EXPECT_NE(entryOf(*stats, "hache", "Taillade"), nullptr);
    EXPECT_EQ(stats->weaponStyleCount, 3);
}

TEST(Misses, SpellMissBarrierAndFumble) {
    auto stats = newPartStats();
    feedAttack(*stats, "Vous lancez le sort Flamme !", "12:00:01");
    feedAttack(*stats, "Vous ratez votre coup !", "12:00:02");
    EXPECT_EQ(stats->spells[0].missCount, 1);
    EXPECT_FALSE(stats->castMode);

    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:04");
    feedAttack(*stats, "Vous ratez votre coup !", "12:00:06");
    feedAttack(*stats, "Votre coup est absorbé par une barrière magique!"_l1, "12:00:06");
    const WeaponStyleEntry* axe = entryOf(*stats, "hache", "Sans style");
    EXPECT_EQ(axe->missCount, 0);
    EXPECT_EQ(axe->barrierCount, 1);

    feedAttack(*stats, "Vous ratez lamentablement votre attaque !", "12:00:08");
    EXPECT_EQ(axe->fumbleCount, 1);
    constexpr std::string_view shot =
        "Vous tirez sur le gobelin avec votre arc long, et infligez 80 points de dégâts !"_l1;
    feedAttack(*stats, shot, "12:00:10");
    feedAttack(*stats, "Vous ratez lamentablement votre tir !", "12:00:12");
    EXPECT_EQ(entryOf(*stats, "arc long", "Range")->fumbleCount, 1);
}

TEST(Avoidances, BookedToTheStyledAttackThenUnstyled) {
    auto stats = newPartStats();
    feedAttack(*stats, executed, "12:00:01");
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:03");
    feedAttack(*stats, hitOn("le gobelin", "hache", "90"), "12:00:05");
    feedAttack(*stats, executed, "12:00:07");
    feedAttack(*stats, "Le gobelin esquive votre attaque !", "12:00:09");
    feedAttack(*stats, "Le gobelin pare votre attaque !", "12:00:11");
    feedAttack(*stats, "Le gobelin bloque votre attaque !", "12:00:13");
    const WeaponStyleEntry* styled = entryOf(*stats, "hache", "Taillade");
    const WeaponStyleEntry* plain = entryOf(*stats, "hache", "Sans style");
    EXPECT_EQ(styled->evadedCount, 1);
    EXPECT_EQ(plain->parriedCount, 1);
    EXPECT_EQ(plain->blockedCount, 1);
    EXPECT_FALSE(stats->styledHitPending);
}

}  // namespace
}  // namespace torvelin
