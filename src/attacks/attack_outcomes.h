// The outcome of each attack of the player: hits with their damage and bracketed modifier,
// criticals, weapon procs, misses, fumbles, attacks the target evaded, parried or blocked or that
// a magic barrier absorbed, and double, triple and quadruple attacks. The damage lines of spells
// and given effects that follow a cast or an announcement are booked here as well.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// Critical hits of weapons and spells; no critical is booked during the berserk rage.
void parseCritical(std::string_view line, PartStats& stats);

// Several attack events in one second: the next hit is booked to the "Multiple" style.
void parseMultipleAttacks(std::string_view line, PartStats& stats);

// Makes "Multiple" the current style when the current weapon already has a "Multiple" entry.
void useMultipleStyle(PartStats& stats);

// Weapon hits, spell damage, weapon procs and the damage of given effects.
void parseWeaponHit(std::string_view line, PartStats& stats);

// Missed attacks and attacks absorbed by a magic barrier.
void parseMisses(std::string_view line, PartStats& stats);

void parseFumble(std::string_view line, PartStats& stats);
void parseEvaded(std::string_view line, PartStats& stats);
void parseParried(std::string_view line, PartStats& stats);
void parseBlocked(std::string_view line, PartStats& stats);

}  // namespace torvelin
