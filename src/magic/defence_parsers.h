// What happens to the player: the kind of attack the latest line announced, the damage taken under
// that kind, the blows of enemies in melee and the attacks that missed him or that he avoided.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// "Vous encaissez N points de dégâts", booked under the kind announced by the previous line.
void parseDamageTaken(std::string_view line, PartStats& stats);

// The kind of incoming attack that this line announces (spell, the default, when none).
void parseIncomingKind(std::string_view line, PartStats& stats);

// "X vous frappe ... pour N points de dégâts" and the aimed blows at the arm.
void parseMeleeHitTaken(std::string_view line, PartStats& stats);

// Enemy misses, blocks, parries, evades, magic barriers, guards and resisted effects.
void parseDefence(std::string_view line, PartStats& stats);

}  // namespace torvelin
