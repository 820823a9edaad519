#include "stats/dispatch.h"

// includes: attacks
// includes: magic
// includes: rewards

namespace torvelin {

// Every parser sees every line, whether or not an earlier one recognised it. The parsers share
// state in the record (current weapon, style, spell, incoming kind, pending flags), so one game
// event spread over several lines is assembled across calls and the order below is part of the
// behaviour: damage taken is booked under the kind announced by the previous line, an attack
// announcement is read before the hit that follows it on the same line.
void dispatchLine(std::string_view line, PartStats& stats) {
    (void)line;
    (void)stats;
    // slot 1: parseCritical
    // slot 2: parseDamageTaken
    // slot 3: parseIncomingKind
    // slot 4: parseAttackState
    // slot 5: parseMultipleAttacks
    // slot 6: parseWeaponHit
    // slot 7: parseHeal
    // slot 8: parseMisses
    // slot 9: parseFumble
    // slot 10: parseEvaded
    // slot 11: parseParried
    // slot 12: parseBlocked
    // slot 13: parseMeleeHitTaken
    // slot 14: parseDefence
    // slot 15: parseResist
    // slot 16: parseEffectDamage
    // slot 17: trackSwingSpeed
    // slot 18: trackShotSpeed
    // slot 19: parseCastTime
    // slot 20: parseCraftLine
    // slot 21: parseRewardLine
    // slot 22: parsePlayerDeath
    // slot 23: parseKillerName
    // slot 24: parseKillMessage
}

}  // namespace torvelin
