#include "record/fight_log.h"

#include <algorithm>
#include <utility>

namespace torvelin {
namespace {

// Whether the series `a` goes before `b` among the charted fights: more damage dealt (so far, for
// the open fight), or as much and an earlier fight.
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
    FightSeries& series = log.series[log.openSeries];
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
    const FightSeries& closed = log.series[log.openSeries];
    std::vector<std::size_t>& kept = log.keptSeries;
    if (kept.size() < chartedFightCount) {
        kept.push_back(log.openSeries);
        log.openSeries = kept.size();  // the next series never used
        return;
    }
    auto weakest = std::max_element(kept.begin(), kept.end(), [&log](std::size_t a, std::size_t b) {
        return ranksBefore(log, log.series[a], log.series[b]);
    });
    // The closed fight is the latest of all: it takes the place of the weakest only with more
    // damage dealt.
    if (ranksBefore(log, closed, log.series[*weakest]))
        std::swap(*weakest, log.openSeries);
}

void widenBins(FightLog& log, std::int64_t second) {
    FightSeries& series = log.series[log.openSeries];
    while ((second >> series.binShift) >= static_cast<std::int64_t>(seriesBinLimit))
        mergeBinPairs(series);
}

std::vector<const FightSeries*> chartedFights(const FightLog& log) {
    std::vector<const FightSeries*> charted;
    for (std::size_t kept : log.keptSeries)
        charted.push_back(&log.series[kept]);
    if (log.fightOpen)
        charted.push_back(&log.series[log.openSeries]);
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
