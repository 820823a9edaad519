#include "record/fight_log.h"

#include <gtest/gtest.h>

#include <vector>

namespace torvelin {
namespace {

// The charts show the 10 fights with the most damage dealt, the open one included, an earlier
// fight before a later one of the same damage; a long fight's series keeps its bins by merging
// them in pairs.
TEST(FightLog, ChartedFightsAndLongSeries) {
    FightLog log;
    for (std::int64_t dealt : {5, 9, 9, 1, 7, 9, 3, 8, 2, 6, 9, 4})
        openFight(log).damageDealt = dealt;
    std::vector<std::size_t> charted;
    for (const FightSeries* series : chartedFights(log))
        charted.push_back(series->fight);
    EXPECT_EQ(charted, (std::vector<std::size_t>{0, 1, 2, 4, 5, 6, 7, 9, 10, 11}));

    addToSeries(log, 0, 5, 0);
    addToSeries(log, 719, 1, 0);
    EXPECT_EQ(log.series[log.openSeries].binSeconds(), 1);
    addToSeries(log, 720, 2, 3);
    const FightSeries& series = log.series[log.openSeries];
    EXPECT_EQ(series.binSeconds(), 2);
    ASSERT_EQ(series.bins, 361u);
    EXPECT_EQ(series.dealt[0], 5);
    EXPECT_EQ(series.dealt[359], 1);
    EXPECT_EQ(series.dealt[360], 2);
    EXPECT_EQ(series.taken[360], 3);
}

}  // namespace
}  // namespace torvelin
