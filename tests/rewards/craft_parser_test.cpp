#include "rewards/craft_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "base/console.h"
#include "base/latin1.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::logLine;

void feed(PartStats& stats, std::string_view message) {
    parseCraftLine(logLine(message), stats);
}

std::string success(int quality) {
    return std::string("Vous avez réussi votre confection. Vous avez désormais "_l1) +
           "une dague (" + std::to_string(quality) + "%).";
}

const std::string failureNoLoss = std::string(
    "Vous ne réussissez pas à confectionner une dague mais ne perdez aucun matériau !"_l1);
const std::string failureWithLoss = std::string(
    "Vous ne réussissez pas à confectionner une dague et perdez une partie des matériaux !"_l1);

TEST(ParseCraftLine, StartNamesTheItemWithItsArticle) {
    auto stats = newPartStats();
    feed(*stats, "Vous commencez le travail sur une épée longue."_l1);
    feed(*stats, "Vous commencez le travail sur une dague."_l1);
    ASSERT_EQ(stats->craftCount, 2);
    EXPECT_EQ(stats->crafts[0].name, std::string("une épée longue"_l1));
    EXPECT_EQ(stats->currentCraft, 1);
    feed(*stats, "Vous commencez le travail sur une épée longue."_l1);
    EXPECT_EQ(stats->currentCraft, 0);
    EXPECT_EQ(stats->craftCount, 2);
}

TEST(ParseCraftLine, ResultsAndSkillsGoToTheCurrentItem) {
    auto stats = newPartStats();
    feed(*stats, "Vous commencez le travail sur une dague."_l1);
    for (int quality : {96, 94, 101})
        feed(*stats, success(quality));
    feed(*stats, failureNoLoss);
    feed(*stats, failureWithLoss);
    feed(*stats, "Vous ne réussissez pas à confectionner une dague."_l1);
    feed(*stats, "Vous devenez plus doué en forge !"_l1);
    feed(*stats, "Vous devenez plus doué en forge !"_l1);
    feed(*stats, "Vous devenez plus doué en couture!"_l1);

    const CraftEntry& dagger = stats->crafts[0];
    EXPECT_EQ(dagger.qualities.values, (std::vector<std::int32_t>{96, 94, 101}));
    EXPECT_EQ(dagger.failuresNoLoss, 1);
    EXPECT_EQ(dagger.failuresWithLoss, 1);
    ASSERT_EQ(dagger.skillCount(), 2);
    EXPECT_EQ(dagger.skills[0].skillName, "forge ");
    EXPECT_EQ(dagger.skills[0].gains, 2);
    EXPECT_EQ(dagger.skills[1].skillName, "couture");
}

TEST(ParseCraftLine, ResultsBeforeTheFirstStartAreKeptInEntryZero) {
    auto stats = newPartStats();
    feed(*stats, success(97));
    feed(*stats, "Vous devenez plus doué en forge !"_l1);
    EXPECT_EQ(stats->craftCount, 0);
    feed(*stats, "Vous commencez le travail sur un arc."_l1);
    ASSERT_EQ(stats->craftCount, 1);
    EXPECT_EQ(stats->crafts[0].name, "un arc");
    EXPECT_EQ(stats->crafts[0].qualities.count(), 1);
    EXPECT_EQ(stats->crafts[0].skillCount(), 1);
}

TEST(ParseCraftLine, MissingEndMarksAreUnreadable) {
    auto stats = newPartStats();
    std::string start = logLine("Vous commencez le travail sur une dague");
    EXPECT_THROW(parseCraftLine(start, *stats), UnreadableLine);
    std::string skill = logLine("Vous devenez plus doué en forge"_l1);
    EXPECT_THROW(parseCraftLine(skill, *stats), UnreadableLine);
}

}  // namespace
}  // namespace torvelin
