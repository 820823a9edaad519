// The monster, kill, killer and craft tables of a part, and the split counters of experience.
#pragma once

#include <cstdint>
#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// Experience sums are split counters: value + billions x 1,000,000,000. An addition that takes
// the value above 1,000,000,000 carries once into the billions; exactly 1,000,000,000 stays. Both
// parts stop at the largest 64-bit value.
void addWithCarry(std::int64_t& value, std::int64_t& billions, std::int64_t amount);

// The index of the monster called `name`, added when new.
std::int32_t findOrAddMonster(PartStats& stats, std::string_view name);

// The index of the loot called `name` among those of `monster`, added when new.
std::int32_t findOrAddLoot(MonsterEntry& monster, std::string_view name);

// Counts one more death of the player by `name`; a new killer is added with one death.
void findOrAddKiller(PartStats& stats, std::string_view name);

// The index of the crafted item called `name`, added when new.
std::int32_t findOrAddCraft(PartStats& stats, std::string_view name);

// The index of the skill called `name` among those that rose while `craft` was made, added when
// new.
std::int32_t findOrAddSkill(CraftEntry& craft, std::string_view name);

// Opens the next entry of the hunting table for a victim (`killedByPlayer` when the player made
// the kill himself).
void openKillEntry(PartStats& stats, std::string_view victimName, bool killedByPlayer);

// The newest entry of the hunting table, or nullptr while there is none.
KillEntry* newestKill(PartStats& stats);

}  // namespace torvelin
