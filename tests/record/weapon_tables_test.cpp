#include "record/weapon_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace torvelin {
namespace {

void select(PartStats& stats, std::string weapon, std::string style) {
    stats.currentWeapon = std::move(weapon);
    stats.currentStyle = std::move(style);
    findWeaponStyle(stats);
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

TEST(StyleWeaponLinks, KeepTheLatestWeaponOfEachStyle) {
    auto stats = newPartStats();
    stats->currentStyle = "Taillade";
    weaponOfStyle(*stats);
    EXPECT_EQ(stats->currentWeapon, "Inconnue");
    stats->currentWeapon = "hache";
    linkStyleWeapon(*stats);
    stats->currentWeapon = "dague";
    linkStyleWeapon(*stats);
    EXPECT_EQ(stats->styleWeaponCount, 1);
    stats->currentWeapon.clear();
    weaponOfStyle(*stats);
    EXPECT_EQ(stats->currentWeapon, "dague");
    stats->currentStyle = "Taillad";  // exact comparison
    weaponOfStyle(*stats);
    EXPECT_EQ(stats->currentWeapon, "Inconnue");
}

}  // namespace
}  // namespace torvelin
