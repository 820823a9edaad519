// The page sections of the player's spells, heals, non-offensive spells, the lasting effects he
// gave, and the damage he took with his defence.
#pragma once

#include "record/part_stats.h"
#include "report/page_context.h"

namespace torvelin {

// "Sorts réussis": offensive spells with at least one hit.
void writeSpellSection(const PageContext& page, const PartStats& stats);

// "Soins": heals with at least one heal that did not reach full health.
void writeHealSection(const PageContext& page, const PartStats& stats);

// "Sorts non offensifs", then the grid of the given effects (whose frame is always written).
void writeNonOffensiveSection(const PageContext& page, const PartStats& stats);

// The grid of the given effects alone, three tables per row.
void writeGivenEffectGrid(const PageContext& page, const PartStats& stats);

// "Défense": damage taken by kind and the attacks avoided.
void writeDefenceSection(const PageContext& page, const PartStats& stats);

}  // namespace torvelin
