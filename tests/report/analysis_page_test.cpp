#include "report/analysis_page.h"

#include <gtest/gtest.h>

#include "base/latin1.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::capturePage;

TEST(PageFileName, CharactersAFileNameCannotHoldBecomeUnderscores) {
    EXPECT_EQ(pageFileName("Resultats"), "Resultats.html");
    EXPECT_EQ(pageFileName("../a\\b:c*d?e\"f<g>h|i"), ".._a_b_c_d_e_f_g_h_i.html");
    EXPECT_EQ(pageFileName(std::string("t\tab\0x\x7F", 7)), "t_ab_x_.html");
    EXPECT_EQ(pageFileName(""), ".html");
    EXPECT_EQ(pageFileName("Château fort"_l1), std::string("Château fort.html"_l1));
}

std::string navigation(const PartStats& stats) {
    SectionFlags flags = spellAndDefenceFlags(stats);
    return capturePage([&](std::FILE* out) { writeNavigation({out, "P&amp;Q", flags}, stats); });
}

TEST(Navigation, EmptyRecordHasNoLink) {
    auto stats = newPartStats();
    EXPECT_EQ(navigation(*stats), "");
}

TEST(Navigation, OneHealSpellGivesExactlyTheHealsLink) {
    auto stats = newPartStats();
    stats->spellCount = 1;
    slotAt(stats->spells, 0).spellKind = SpellKind::heal;
    appendValue(stats->spells[0].hitDamage, 120);
    EXPECT_EQ(navigation(*stats), " <a href=\"./P&amp;Q.html#Soins\">Soins</a> -");

    stats->spells[0].hitDamage.values.clear();
    EXPECT_EQ(navigation(*stats), " <a href=\"./P&amp;Q.html#SortsNO\">Sorts non offensifs</a> -");
}

TEST(Navigation, LinksInPageOrder) {
    auto stats = newPartStats();
    stats->weaponStyleCount = 1;
    appendValue(stats->givenEffects[GivenEffect::bleeding], 5);
    appendValue(stats->receivedDamage[IncomingKind::arrow], 5);
    stats->killers.push_back({"Alice", 1});
    stats->lastKill = 0;
    stats->monsterCount = 1;
    stats->craftCount = 1;
    std::string_view expected =
        " <a href=\"./P&amp;Q.html#Attaques\">Attaques</a> -"
        " <a href=\"./P&amp;Q.html#Saignements donnés\">Saignements donnés</a> -"
        " <a href=\"./P&amp;Q.html#Defense\">Défense</a> -"
        " <a href=\"./P&amp;Q.html#Meurtriers\">Meurtriers</a> -"
        " <a href=\"./P&amp;Q.html#Tableau de chasse\">Tableau de chasse</a> -"
        " <a href=\"./P&amp;Q.html#XP\">XP, argent, loots</a> -"
        " <a href=\"./P&amp;Q.html#Artisanat\">Artisanat</a> -"_l1;
    EXPECT_EQ(navigation(*stats), expected);
}

TEST(SectionFlags, DefenceTotalCountsMeleeHitsAndTwoKinds) {
    auto stats = newPartStats();
    appendValue(stats->meleeHitsTaken, 1);
    appendValue(stats->receivedDamage[IncomingKind::melee], 1);
    appendValue(stats->receivedDamage[IncomingKind::arrow], 1);
    appendValue(stats->receivedDamage[IncomingKind::spell], 1);
    EXPECT_EQ(spellAndDefenceFlags(*stats).defenceTotal, 3);
}

}  // namespace
}  // namespace torvelin
