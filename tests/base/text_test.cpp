#include "base/text.h"

#include <gtest/gtest.h>

#include "base/latin1.h"

namespace torvelin {
namespace {

TEST(Latin1Literal, AccentedLettersBecomeSingleBytes) {
    std::string_view text = "Vous exécutez"_l1;
    EXPECT_EQ(text.size(), 13u);
    EXPECT_EQ(static_cast<unsigned char>(text[7]), 0xE9);
    EXPECT_EQ(std::string_view("dîtes à"_l1), std::string_view("d\xEEtes \xE0"));
}

TEST(FirstNumber, ReadsTheFirstRunOfDigits) {
    EXPECT_EQ(firstNumber("pas de chiffre"), 0);
    EXPECT_EQ(firstNumber("vous touchez 12 fois 30"), 12);
    EXPECT_EQ(firstNumber("(-5)"), 5);
    EXPECT_EQ(firstNumber("1.250 points"), 1);
    EXPECT_EQ(firstNumber("99999999999 or"), 2147483647);
    EXPECT_EQ(firstNumber("2147483647"), 2147483647);
}

TEST(FirstNumber, PositionBeyondTheLineGivesZero) {
    EXPECT_EQ(firstNumberAt("[12:3", 7), 0);
    EXPECT_EQ(messageText("[12:34:56]"), "");
    EXPECT_FALSE(startsWith(messageText("[1]"), "Vous"));
}

TEST(TimeStamp, MeasuresOfTheStamp) {
    std::string_view line = "[13:07:09] Vous attaquez";
    EXPECT_EQ(lineTime(line), 709);
    EXPECT_EQ(lineClock(line), 130709);
    EXPECT_EQ(stampSeconds(line), 9);
}

TEST(CutText, EndBeforeStartIsEmptyAndLengthIsCut) {
    EXPECT_EQ(cutText("abcdef", 4, 2, 49), "");
    EXPECT_EQ(cutText("abcdef", 1, 5, 2), "bc");
    EXPECT_EQ(cutText("abc", 1, 99, 49), "bc");
}

TEST(LeadingPart, ComparesOverTheStoredLength) {
    EXPECT_TRUE(isLeadingPartOf("Inc", "Inconnue"));
    EXPECT_TRUE(isLeadingPartOf("", "Range"));
    EXPECT_FALSE(isLeadingPartOf("Ranged", "Range"));
}

}  // namespace
}  // namespace torvelin
