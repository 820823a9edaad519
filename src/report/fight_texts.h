// What the fights page and the fights export both say of a fight: its clock times, its date and
// its rates.
#pragma once

#include <cstdint>
#include <string>

#include "record/fight_log.h"

namespace torvelin {

// Appends seconds of the day as "HH:MM:SS".
void appendClock(std::string& to, std::int32_t clock);

// Appends a date as "YYYY-MM-DD", or in the French way, "DD/MM/YYYY".
void appendIsoDate(std::string& to, const CalendarDate& date);
void appendFrenchDate(std::string& to, const CalendarDate& date);

// The longest texts of putClock and putFrenchDate.
inline constexpr std::size_t clockLength = 8;
inline constexpr std::size_t longestFrenchDate = 17;

// Writes the text of appendClock or appendFrenchDate at `at`, with room for the longest; returns
// its end.
char* putClock(char* at, std::int32_t clock);
char* putFrenchDate(char* at, const CalendarDate& date);

// Writes `value` in decimal at `at`, with room for 20 bytes; returns its end.
char* putNumber(char* at, std::int64_t value);

// Appends `value` in decimal.
void appendNumber(std::string& to, std::int64_t value);

// An amount per second over `seconds` (at least 1).
inline double perSecond(std::int64_t amount, std::int64_t seconds) {
    return static_cast<double>(amount) / static_cast<double>(seconds);
}

inline double damagePerSecond(const Fight& fight) {
    return perSecond(fight.damageDealt, fight.durationSeconds());
}

inline double activeDamagePerSecond(const Fight& fight) {
    return perSecond(fight.damageDealt, fight.activeSeconds());
}

}  // namespace torvelin
