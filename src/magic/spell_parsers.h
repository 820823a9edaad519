// The lines that complete a spell cast: heals given (and heals wasted on somebody at full health),
// resisted spells and procs, the damage of the player's added-damage and damage-shield effects,
// and the incantation time of each cast.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// "Vous soignez X de N points de vie.", "Vous vous soignez..." and the full-health lines that
// follow them in the second of the cast.
void parseHeal(std::string_view line, PartStats& stats);

// "... résiste à l'effet" and "Votre cible est enragée et résiste au sort !".
void parseResist(std::string_view line, PartStats& stats);

// "... subit N points de dégâts": added damage after a weapon hit, otherwise damage shield.
void parseEffectDamage(std::string_view line, PartStats& stats);

// "Vous commencez à incanter" ... "Vous lancez le sort": seconds between the two.
void parseCastTime(std::string_view line, PartStats& stats);

}  // namespace torvelin
