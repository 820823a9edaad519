#include "report/statistics.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace torvelin {
namespace {

using testing::capturePage;
using testing::ConsoleCapture;

ValueList listOf(std::initializer_list<std::int32_t> values) {
    return ValueList{values};
}

TEST(SampleStatistics, SkipMarkersButCountThem) {
    ValueList markers = listOf({markerSample, markerSample});
    EXPECT_EQ(sampleMean(markers), 0.0);
    EXPECT_EQ(sampleDeviation(markers), 0.0);
    EXPECT_EQ(sampleMin(markers), 0);
    EXPECT_EQ(sampleMax(markers), 0);

    ValueList mixed = listOf({markerSample, 2, 4, markerSample});
    EXPECT_DOUBLE_EQ(sampleMean(mixed), 3.0);
    EXPECT_DOUBLE_EQ(sampleDeviation(mixed), 1.0);  // population deviation: divisor n
    EXPECT_EQ(sampleMin(mixed), 2);
    EXPECT_EQ(sampleMax(mixed), 4);

    ValueList empty;
    EXPECT_EQ(sampleMean(empty), 0.0);
    EXPECT_EQ(sampleMin(empty), 0);
}

TEST(SampleStatistics, MinAndMaxOfNegativeSamples) {
    ValueList list = listOf({-3, -7, -1});
    EXPECT_EQ(sampleMin(list), -7);
    EXPECT_EQ(sampleMax(list), -1);
}

TEST(RoundHalfUp, HalvesGoUp) {
    EXPECT_EQ(roundHalfUp(2.5), 3);
    EXPECT_EQ(roundHalfUp(2.49), 2);
    EXPECT_EQ(roundHalfUp(-2.5), -2);
    EXPECT_EQ(roundHalfUp(-2.7), -3);
    EXPECT_EQ(roundHalfUp(-0.4), 0);
}

TEST(AppendValue, EverySampleIsKeptWithoutAWord) {
    ConsoleCapture console;
    ValueList list;
    for (int i = 0; i < 300000; ++i)
        appendValue(list, i);
    EXPECT_EQ(list.count(), 300000);
    EXPECT_EQ(list.values.back(), 299999);
    EXPECT_EQ(console.text(), "");
}

TEST(WriteStatCells, AllFiveCellsWithModifierSigns) {
    ValueList samples = listOf({100, 200});
    ValueList criticals = listOf({5});
    ValueList positive = listOf({0, 1, 1, 0, 1});  // mean 0.6 rounds to 1
    EXPECT_EQ(
        capturePage([&](std::FILE* out) { writeStatCells(out, samples, &positive, &criticals); }),
        "<td width=\"80\">2</td><td width=\"80\">150(+1)</td><td width=\"80\">33%</td>"
        "<td width=\"80\">100-200</td><td width=\"80\">50%</td>");

    ValueList slightlyNegative = listOf({0, -1, 0, -1, 0});  // mean -0.4 rounds to 0
    EXPECT_EQ(capturePage([&](std::FILE* out) {
                  writeStatCells(out, samples, &slightlyNegative, nullptr);
              }),
              "<td width=\"80\">2</td><td width=\"80\">150(0)</td><td width=\"80\">33%</td>"
              "<td width=\"80\">100-200</td>");

    ValueList negative = listOf({-3});
    EXPECT_NE(capturePage([&](std::FILE* out) {
                  writeStatCells(out, samples, &negative, nullptr);
              }).find("150(-3)"),
              std::string::npos);
}

TEST(WriteStatCells, EmptyOrMarkerOnlyListsShowZeros) {
    ValueList markers = listOf({markerSample});
    ValueList none;
    EXPECT_EQ(capturePage([&](std::FILE* out) { writeStatCells(out, markers, nullptr, &none); }),
              "<td width=\"80\">1</td><td width=\"80\">0</td><td width=\"80\">0%</td>"
              "<td width=\"80\">0-0</td><td width=\"80\">0%</td>");
    EXPECT_EQ(capturePage([&](std::FILE* out) { writeStatCells(out, none, &none, &none); }),
              "<td width=\"80\">0</td><td width=\"80\">0(0)</td><td width=\"80\">0%</td>"
              "<td width=\"80\">0-0</td><td width=\"80\">0%</td>");
}

TEST(WriteTruncatedDecimal, TruncatesEveryDigit) {
    auto text = [](double x, int decimals) {
        return capturePage([&](std::FILE* out) { writeTruncatedDecimal(out, x, decimals); });
    };
    EXPECT_EQ(text(12.349, 2), "12.34");
    EXPECT_EQ(text(3.0, 0), "3.");
    EXPECT_EQ(text(66.666, 1), "66.6");
    EXPECT_EQ(text(0.0, 1), "0.0");
}

TEST(WriteGroupedNumber, GroupsOfThreeAcrossTheBillions) {
    auto text = [](std::int64_t low, std::int64_t high) {
        return capturePage([&](std::FILE* out) { writeGroupedNumber(out, low, high); });
    };
    EXPECT_EQ(text(1234567, 0), "1.234.567");
    EXPECT_EQ(text(5, 1), "1.000.000.005");
    EXPECT_EQ(text(345, 12), "12.000.000.345");
    EXPECT_EQ(text(0, 0), "0");
    EXPECT_EQ(text(0, 1), "1.000.000.000");
    EXPECT_EQ(text(999, 0), "999");
    EXPECT_EQ(text(1000, 0), "1.000");
    EXPECT_EQ(text(123456789, 2), "2.123.456.789");
}

}  // namespace
}  // namespace torvelin
