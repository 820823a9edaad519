// The realm-combat messages: who died near the player, which kills the player made himself, who
// killed the player, and the ends of duels.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// Counts the player's deaths for the realm per killer (a death within a second of the end of a
// duel belongs to the duel and is not counted) and notes when duels end.
void parsePlayerDeath(std::string_view line, PartStats& stats);

// Remembers the killer named in a realm-death message "... par <killer>!".
void parseKillerName(std::string_view line, PartStats& stats);

// Kill and death messages: the victim waiting for its realm points, in bold when the player's own
// kill ("Vous venez de tuer") came before its death line.
void parseKillMessage(std::string_view line, PartStats& stats);

}  // namespace torvelin
