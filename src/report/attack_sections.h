// The weapon sections of an analysis page: "Attaques" (one table per weapon, one row per style),
// "Coups Multiples" and "Archerie et Armes de jet", and their preparation before the page is
// opened.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/part_stats.h"
#include "report/page_context.h"

namespace torvelin {

// A weapon of the "Attaques" section and the entries shown in its table.
struct WeaponGroup {
    std::string weaponName;
    std::vector<std::int32_t> entries;
};

// What the attack sections need, computed before the page is opened.
struct AttackReport {
    std::vector<std::int32_t> attemptCounts;  // per entry in use
    std::int64_t meleeAttempts = 0;           // entries not exactly "Range"
    std::int64_t multipleAttempts = 0;        // entries exactly "Multiple"
    std::vector<WeaponGroup> weaponGroups;
    std::vector<std::int32_t> rangedEntries;
    std::vector<std::int32_t> multipleEntries;
};

// Attempts of an entry: every miss, avoidance and hit (style failures are no attempts).
std::int32_t attemptCount(const WeaponStyleEntry& entry);

// Moves the ranged hits that stand far above the mean of their entry into its precise shots.
void separatePreciseShots(PartStats& stats);

// Attempts, weapon groups, ranged and multiple entries.
AttackReport prepareAttackReport(const PartStats& stats);

// Writes "Attaques", "Coups Multiples" and the archery section, each only when it has content.
void writeAttackSections(const PageContext& page, const PartStats& stats,
                         const AttackReport& report);

}  // namespace torvelin
