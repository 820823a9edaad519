// The fights of a run: the figures of every fight cut from the log, the fight still open, the
// date the log is at, and the second-by-second damage of the few fights the charts show.
//
// One FightLog serves the whole run, across log parts (each fight notes the part it began in)
// and across the rounds of the follow mode. A fight's figures are of fixed size but for the names
// of its victims; the taken hits are kept only for the last seconds of the open fight, and the
// series only for the open fight and the closed fights with the most damage dealt.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "record/part_stats.h"

namespace torvelin {

// The pause P: a hostile event P seconds or more after the last one opens a new fight.
inline constexpr std::int32_t defaultFightPause = 15;
// A death keeps the latest hits taken at most this many seconds before it, up to this many.
inline constexpr std::int64_t deathRecapSeconds = 30;
inline constexpr std::size_t deathRecapLength = 10;
// The fights with the most damage dealt that get a chart of their own.
inline constexpr std::size_t chartedFightCount = 10;
// The most bins of a fight's series: a longer fight has bins of 2, 4, 8... seconds.
inline constexpr std::size_t seriesBinLimit = 720;

// How the player dealt damage: a weapon hit, a shot, a spell, a weapon proc, a critical's extra
// damage, or an effect the target suffers.
enum class DealtKind : std::uint8_t { weapon, ranged, spell, proc, critical, effect, count };

// A day of the Gregorian calendar.
struct CalendarDate {
    std::int32_t year = 0;
    std::int32_t month = 1;  // 1 to 12
    std::int32_t day = 1;

    bool operator==(const CalendarDate&) const = default;
};

// A hit taken: the seconds of its day ("[HH:MM:SS]") and its damage.
struct TakenHit {
    std::int32_t clock = 0;
    std::int32_t amount = 0;
};

struct Fight {
    std::int32_t part = 0;  // the log part current at its first event
    bool dated = false;     // whether `date` is known
    CalendarDate date;
    std::int32_t start = 0;  // seconds of the day of its first hostile event
    std::int32_t end = 0;    // and of its last
    // The sums, over its consecutive hostile events, of the time between them and of that time
    // counted up to 5 seconds.
    std::int64_t gaps = 0;
    std::int64_t activeGaps = 0;
    std::int64_t damageDealt = 0;
    std::int64_t hitsDealt = 0;
    KindArray<DealtKind, std::int64_t> dealtByKind;
    std::int64_t damageTaken = 0;
    std::int64_t hitsTaken = 0;
    std::int64_t healing = 0;
    std::int64_t heals = 0;
    std::int64_t missed = 0;
    std::int64_t avoided = 0;
    std::vector<std::string> victims;  // in log order
    std::int32_t death = -1;           // its place in FightLog::deaths; -1 when none

    std::int64_t durationSeconds() const { return 1 + gaps; }
    std::int64_t activeSeconds() const { return 1 + activeGaps; }
};

// A death closes its fight, so a fight has one at most: its time, and the latest hits taken at
// most 30 s before it, in log order.
struct FightDeath {
    std::size_t fight = 0;  // its place in FightLog::fights
    std::int32_t clock = 0;
    std::int32_t recapLength = 0;
    std::array<TakenHit, deathRecapLength> recap{};
};

// The damage dealt and taken in each bin of 2^binShift seconds of a fight, from its first hostile
// event on: `bins` bins in use, the others zero.
struct FightSeries {
    std::size_t fight = 0;  // its place in FightLog::fights
    int binShift = 0;
    std::size_t bins = 0;
    std::array<std::int64_t, seriesBinLimit> dealt{};
    std::array<std::int64_t, seriesBinLimit> taken{};

    std::int64_t binSeconds() const { return std::int64_t{1} << binShift; }
};

// A hit taken in the open fight, `second` seconds after its first hostile event.
struct RecentHit {
    std::int64_t second = 0;
    TakenHit hit;
};

struct FightLog {
    std::int32_t pauseSeconds = defaultFightPause;
    std::vector<Fight> fights;       // in log order
    std::vector<FightDeath> deaths;  // in log order
    bool fightOpen = false;          // the last fight may still grow
    // The open fight's latest hits taken, all a death recap may need: hit k of the fight (from 0)
    // at k % deathRecapLength, of recentHitTotal hits in all.
    std::array<RecentHit, deathRecapLength> recentHits{};
    std::size_t recentHitTotal = 0;
    // The series of the open fight, at openSeries, and of the closed fights with the most damage
    // dealt, at keptSeries (chartedFightCount at most, in no order): a closed fight's series
    // changes places with a weaker one by their numbers, never copied.
    std::vector<FightSeries> series = std::vector<FightSeries>(chartedFightCount + 1);
    std::size_t openSeries = 0;
    std::vector<std::size_t> keptSeries;
    // The date of the log's lines, and the clock of the latest time-stamped line since the latest
    // log opening.
    bool dated = false;
    CalendarDate date;
    bool clockSeen = false;
    std::int32_t lastClock = 0;
    // While clockSeen, the first eight bytes of that line ("[HH:MM:S") and its bytes 7 to 10, and
    // the clock of the first eight with a last digit 0: a line of the same ten seconds needs only
    // its last digit read, a line of the same second nothing.
    std::uint64_t stampHead = 0;
    std::uint32_t stampEnd = 0;
    std::int32_t stampHeadClock = 0;
};

// Starts a fight at the end of the list, open, with an empty series and no hit taken yet.
Fight& openFight(FightLog& log);

// Closes the open fight, if any; its series is kept when it is among the closed fights with the
// most damage dealt (a tie keeps the earlier fight).
void closeFight(FightLog& log);

// Widens the bins of the open fight's series until `second` falls in one of them.
void widenBins(FightLog& log, std::int64_t second);

// Adds damage at `second` seconds into the open fight to its series.
inline void addToSeries(FightLog& log, std::int64_t second, std::int64_t dealt,
                        std::int64_t taken) {
    FightSeries& series = log.series[log.openSeries];
    auto bin = static_cast<std::size_t>(second >> series.binShift);
    if (bin >= seriesBinLimit) {
        widenBins(log, second);
        bin = static_cast<std::size_t>(second >> series.binShift);
    }
    series.bins = std::max(series.bins, bin + 1);
    series.dealt[bin] += dealt;
    series.taken[bin] += taken;
}

// Notes a hit taken `second` seconds into the open fight among its latest hits.
inline void addRecentHit(FightLog& log, std::int64_t second, TakenHit hit) {
    log.recentHits[log.recentHitTotal++ % deathRecapLength] = {second, hit};
}

// The series of the fights with the most damage dealt, the open fight included, at most
// chartedFightCount, in log order; a tie ranks the earlier fight first.
std::vector<const FightSeries*> chartedFights(const FightLog& log);

}  // namespace torvelin
