#include "record/spell_table.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace torvelin
