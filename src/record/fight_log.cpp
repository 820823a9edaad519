#include "record/fight_log.h"

#include <algorithm>
#include <utility>

namespace torvelin {
namespace {

// Whether the series `a` goes before `b` among the charted fights: more damage dealt, or as much
// and an earlier fight.
bool ranksBefore(const FightLog& log, const FightSeries& a, const FightSeries& b) {
    std::int64_t dealtA = log.fights[a.fight].damageDealt;
    std::int64_t dealtB = log.fights[b.fight].damageDealt;
    return dealtA != dealtB ? dealtA > dealtB : a.fight < b.fight;
}

// Halves the number of bins: each bin takes the next one in.
void mergeBinPairs(FightSeries& series) {
    std::size_t merged = (series.bins + 1) / 2;
    for (std::size_t i = 0; i < merged; ++i) {
        series.dealt[i] = series.dealt[2 * i] + series.dealt[2 * i + 1];
        series.taken[i] = series.taken[2 * i] + series.taken[2 * i + 1];
    }
    std::fill(series.dealt.begin() + static_cast<std::ptrdiff_t>(merged),
              series.dealt.begin() + static_cast<std::ptrdiff_t>(series.bins), 0);
    std::fill(series.taken.begin() + static_cast<std::ptrdiff_t>(merged),
              series.taken.begin() + static_cast<std::ptrdiff_t>(series.bins), 0);
    series.bins = merged;
    series.binShift += 1;
}

}  // namespace

Fight& openFight(FightLog& log) {
    closeFight(log);
    log.fights.emplace_back();
    log.fightOpen = true;
    log.recentHitTotal = 0;
    FightSeries& series = log.openSeries;
    series.fight = log.fights.size() - 1;
    series.binShift = 0;
    std::fill_n(series.dealt.begin(), series.bins, 0);
    std::fill_n(series.taken.begin(), series.bins, 0);
    series.bins = 0;
    return log.fights.back();
}

void closeFight(FightLog& log) {
    if (!log.fightOpen)
        return;
    log.fightOpen = false;
    std::vector<FightSeries>& kept = log.chartedSeries;
    if (kept.size() < chartedFightCount) {
        kept.push_back(log.openSeries);
        return;
    }
    auto weakest = std::max_element(
        kept.begin(), kept.end(),
        [&log](const FightSeries& a, const FightSeries& b) { return ranksBefore(log, a, b); });
    // The closed fight is the latest of all: it takes the place of the weakest only with more
    // damage dealt.
    if (ranksBefore(log, log.openSeries, *weakest))
        std::swap(*weakest, log.openSeries);
}

void widenBins(FightLog& log, std::int64_t second) {
    FightSeries& series = log.openSeries;
    while ((second >> series.binShift) >= static_cast<std::int64_t>(seriesBinLimit))
        mergeBinPairs(series);
}

std::vector<const FightSeries*> chartedFights(const FightLog& log) {
    std::vector<const FightSeries*> charted;
    for (const FightSeries& series : log.chartedSeries)
        charted.push_back(&series);
    if (log.fightOpen)
        charted.push_back(&log.openSeries);
    std::sort(charted.begin(), charted.end(), [&log](const FightSeries* a, const FightSeries* b) {
        return ranksBefore(log, *a, *b);
    });
    if (charted.size() > chartedFightCount)
        charted.resize(chartedFightCount);
    std::sort(charted.begin(), charted.end(),
              [](const FightSeries* a, const FightSeries* b) { return a->fight < b->fight; });
    return charted;
}

}  // namespace torvelin
