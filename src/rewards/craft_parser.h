// The player's crafting: the item being made, the result of each attempt (quality of a success,
// failure with or without loss of materials) and the crafting skills that rise meanwhile.
#pragma once

#include <string_view>

#include "base/latin1.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// Results and skill rises go to the item of the latest "Vous commencez le travail sur " line
// (entry 0 before the first one).
void parseCraftLine(std::string_view line, PartStats& stats);
inline constexpr std::string_view craftStarts[] = {
    "Vous commencez le travail sur ",
    "Vous avez réussi votre confection. Vous avez désormais "_l1,
    "Vous ne réussissez pas à confectionner"_l1,
    "Vous devenez plus doué en "_l1,
};
inline constexpr LineGate craftGate{craftStarts, {}};

}  // namespace torvelin
