#include "record/weapon_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace torvelin {
namespace {

void select(PartStats& stats, std::string weapon, std::string style) {
    stats.currentWeapon = std::move(weapon);
    stats.currentStyle = std::move(style);
    findWeaponStyle(stats, "line");
}

TEST(FindWeaponStyle, AddsPairsInOrderOfFirstAppearance) {
    auto stats = newPartStats();
    select(*stats, "hache", "Taillade");
    select(*stats, "hache", "Sans style");
    select(*stats, "dague", "Taillade");
    select(*stats, "hache", "Taillade");
    EXPECT_EQ(stats->weaponStyleCount, 3);
    EXPECT_EQ(stats->currentWeaponStyle, 0);
    EXPECT_EQ(stats->weaponStyles[2].weaponName, "dague");
    EXPECT_EQ(stats->weaponStyles[2].styleName, "Taillade");
}

TEST(FindWeaponStyle, EventsBookedBeforeTheFirstEntryStayInEntryZero) {
    auto stats = newPartStats();
    appendValue(currentWeaponStyleEntry(*stats).critDamage, 40);
    currentWeaponStyleEntry(*stats).styleFailCount = 2;
    select(*stats, "hache", "Sans style");
    ASSERT_EQ(stats->weaponStyleCount, 1);
    EXPECT_EQ(stats->weaponStyles[0].critDamage.count(), 1);
    EXPECT_EQ(stats->weaponStyles[0].styleFailCount, 2);
}

TEST(FindWeaponStyle, UnknownWeaponIsAdoptedOnceBySameStyleOnly) {
    auto stats = newPartStats();
    select(*stats, "Inconnue", "Sans style");
    stats->weaponStyles[0].missCount = 1;
    select(*stats, "hache", "Taillade");  // another style does not adopt it
    EXPECT_EQ(stats->weaponStyles[0].weaponName, "Inconnue");
    select(*stats, "hache", "Sans style");
    EXPECT_EQ(stats->currentWeaponStyle, 0);
    EXPECT_EQ(stats->weaponStyles[0].weaponName, "hache");
    select(*stats, "dague", "Sans style");  // adopted entries keep their weapon
    EXPECT_EQ(stats->currentWeaponStyle, 2);
    EXPECT_EQ(stats->weaponStyleCount, 3);
}

TEST(FindWeaponStyle, LeadingPartOfInconnueIsAdoptedToo) {
    auto stats = newPartStats();
    select(*stats, "Inco", "Sans style");
    select(*stats, "hache", "Sans style");
    EXPECT_EQ(stats->weaponStyleCount, 1);
    EXPECT_EQ(stats->weaponStyles[0].weaponName, "hache");
}

TEST(FindWeaponStyle, HundredAndFirstPairIsFatal) {
    auto stats = newPartStats();
    for (int i = 0; i < 100; ++i)
        select(*stats, "arme" + std::to_string(i), "Sans style");
    EXPECT_EQ(stats->weaponStyleCount, 100);
    select(*stats, "arme7", "Sans style");  // a known pair is still found
    EXPECT_EQ(stats->currentWeaponStyle, 7);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            stats->currentWeapon = "arme100";
            findWeaponStyle(*stats, "[12:00:00] la ligne\n");
        },
        ::testing::ExitedWithCode(1),
        "trop de combinaisons arme-style\nl'erreur s'est produite dans la ligne : \n.*la ligne");
}

TEST(StyleWeaponLinks, KeepTheLatestWeaponOfEachStyle) {
    auto stats = newPartStats();
    stats->currentStyle = "Taillade";
    weaponOfStyle(*stats);
    EXPECT_EQ(stats->currentWeapon, "Inconnue");
    stats->currentWeapon = "hache";
    linkStyleWeapon(*stats, "line");
    stats->currentWeapon = "dague";
    linkStyleWeapon(*stats, "line");
    EXPECT_EQ(stats->styleWeaponCount, 1);
    stats->currentWeapon.clear();
    weaponOfStyle(*stats);
    EXPECT_EQ(stats->currentWeapon, "dague");
    stats->currentStyle = "Taillad";  // exact comparison
    weaponOfStyle(*stats);
    EXPECT_EQ(stats->currentWeapon, "Inconnue");
}

TEST(StyleWeaponLinks, HundredAndFirstStyleIsFatal) {
    auto stats = newPartStats();
    stats->currentWeapon = "hache";
    for (int i = 0; i < 100; ++i) {
        stats->currentStyle = "style" + std::to_string(i);
        linkStyleWeapon(*stats, "line");
    }
    EXPECT_EQ(stats->styleWeaponCount, 100);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            stats->currentStyle = "style100";
            linkStyleWeapon(*stats, "[12:00:00] la ligne\n");
        },
        ::testing::ExitedWithCode(1),
        "trop de styles utilises\nl'erreur s'est produite dans la ligne : \n.*la ligne");
}

}  // namespace
}  // namespace torvelin
