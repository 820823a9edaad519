// The realm-combat messages: who died near the player, which kills the player made himself, who
// killed the player, and the ends of duels.
#pragma once

#include <string_view>

#include "base/latin1.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// Counts the player's deaths for the realm per killer (a death within a second of the end of a
// duel belongs to the duel and is not counted) and notes when duels end.
void parsePlayerDeath(std::string_view line, PartStats& stats);
inline constexpr std::string_view playerDeathStart[] = {"Votre duel est terminé!"_l1};
inline constexpr std::string_view playerDeathPhrase[] = {"Vous êtes mort pour le royaume."_l1};
inline constexpr LineGate playerDeathGate{playerDeathStart, playerDeathPhrase};

// Remembers the killer named in a realm-death message "... par <killer>!".
void parseKillerName(std::string_view line, PartStats& stats);
inline constexpr std::string_view realmDeathPhrase[] = {"vient juste d'être tué dans ["_l1};
inline constexpr LineGate killerNameGate{{}, realmDeathPhrase};

// Kill and death messages: the victim waiting for its realm points, in bold when the player's own
// kill ("Vous venez de tuer") came before its death line.
void parseKillMessage(std::string_view line, PartStats& stats);
inline constexpr std::string_view killMessagePhrases[] = {
    "Vous venez de tuer",
    "vient juste d'être tué dans ["_l1,
    "vient de mourir",
};
inline constexpr LineGate killMessageGate{{}, killMessagePhrases};

}  // namespace torvelin
