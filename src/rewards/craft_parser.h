// The player's crafting: the item being made, the result of each attempt (quality of a success,
// failure with or without loss of materials) and the crafting skills that rise meanwhile.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// Results and skill rises go to the item of the latest "Vous commencez le travail sur " line
// (entry 0 before the first one).
void parseCraftLine(std::string_view line, PartStats& stats);

}  // namespace torvelin
