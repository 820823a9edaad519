#include "record/spell_table.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace torvelin {
namespace {

TEST(FindOrAddSpell, PrefixMatchesAndLongerNamesGetTheirOwnSlot) {
    auto stats = newPartStats();
    EXPECT_EQ(findOrAddSpell(*stats, "Trait de feu"), 0);
    EXPECT_EQ(findOrAddSpell(*stats, "Trait"), 0);
    EXPECT_EQ(findOrAddSpell(*stats, "Trait de feu majeur"), 1);
    EXPECT_EQ(findOrAddSpell(*stats, "Trait de feu"), 0);
    EXPECT_EQ(stats->spellCount, 2);
    EXPECT_EQ(stats->spells[1].name, "Trait de feu majeur");
}

TEST(FindOrAddSpell, EightySpellsFitTheNextOneIsFatal) {
    auto stats = newPartStats();
    for (int i = 0; i < 80; ++i)
        EXPECT_EQ(findOrAddSpell(*stats, "Sort " + std::to_string(100 + i)), i);
    EXPECT_EQ(findOrAddSpell(*stats, "Sort 179"), 79);
    EXPECT_EXIT(
        {
            testing::routeConsoleToStderr();
            findOrAddSpell(*stats, "Sort 180");
        },
        ::testing::ExitedWithCode(1), "trop de sorts utilises");
}

}  // namespace
}  // namespace torvelin
