// Feeding log lines to the record as the program does, through the whole dispatch chain.
#pragma once

#include <string>
#include <string_view>

#include "driver/dispatch.h"
#include "record/part_stats.h"
#include "test_support.h"

namespace torvelin::testing {

inline void feedAttackLine(PartStats& stats, std::string_view line) {
    dispatchLine(line, stats);
}

// A message at a time stamp, through the dispatch chain.
inline void feedAttack(PartStats& stats, std::string_view message,
                       std::string_view stamp = "12:34:56") {
    feedAttackLine(stats, logLine(message, stamp));
}

// The entry of a (weapon, style) pair, or nullptr.
inline const WeaponStyleEntry* entryOf(const PartStats& stats, std::string_view weapon,
                                       std::string_view style) {
    for (std::int32_t i = 0; i < stats.weaponStyleCount; ++i) {
        const WeaponStyleEntry& entry = stats.weaponStyles[static_cast<std::size_t>(i)];
        if (entry.weaponName == weapon && entry.styleName == style)
            return &entry;
    }
    return nullptr;
}

}  // namespace torvelin::testing
