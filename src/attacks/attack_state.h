// The state that ties the lines of one attack together: the style prepared or executed, the shot
// fired, the spell cast and the lasting effect announced; and the attack speed of each weapon,
// measured from the time stamps of successive attacks.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// Makes `name` the current style (cut to the length of a style name).
void setCurrentStyle(PartStats& stats, std::string_view name);

// Takes the weapon of a hit line: the text after the first "votre " up to the first ",". A line
// without either, or whose "," comes first, ends the program with the line.
void extractWeaponName(std::string_view line, PartStats& stats);

// Shot, style, abandon, style failure, spell cast and given-effect announcements.
void parseAttackState(std::string_view line, PartStats& stats);

// Whether the line reports a melee attack of the player: a hit, a miss, or a blow the target
// blocked, parried or evaded.
bool isMeleeAttackEvent(std::string_view line);

// Seconds between two melee attacks, booked to the current entry.
void trackSwingSpeed(std::string_view line, PartStats& stats);

// Seconds between two ranged shots fired in automatic mode, booked to the current entry.
void trackShotSpeed(std::string_view line, PartStats& stats);

}  // namespace torvelin
