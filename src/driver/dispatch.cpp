#include "driver/dispatch.h"

#include "attacks/attack_outcomes.h"
#include "attacks/attack_state.h"
#include "magic/defence_parsers.h"
#include "magic/spell_parsers.h"
#include "rewards/craft_parser.h"
#include "rewards/kill_parsers.h"
#include "rewards/reward_parsers.h"

namespace torvelin {

// Every parser sees every line, whether or not an earlier one recognised it. The parsers share
// state in the record (current weapon, style, spell, incoming kind, pending flags), so one game
// event spread over several lines is assembled across calls and the order below is part of the
// behaviour: damage taken is booked under the kind announced by the previous line, an attack
// announcement is read before the hit that follows it on the same line.
void dispatchLine(std::string_view line, PartStats& stats) {
    parseCritical(line, stats);
    parseDamageTaken(line, stats);
    parseIncomingKind(line, stats);
    parseAttackState(line, stats);
    parseMultipleAttacks(line, stats);
    parseWeaponHit(line, stats);
    parseHeal(line, stats);
    parseMisses(line, stats);
    parseFumble(line, stats);
    parseEvaded(line, stats);
    parseParried(line, stats);
    parseBlocked(line, stats);
    parseMeleeHitTaken(line, stats);
    parseDefence(line, stats);
    parseResist(line, stats);
    parseEffectDamage(line, stats);
    trackSwingSpeed(line, stats);
    trackShotSpeed(line, stats);
    parseCastTime(line, stats);
    parseCraftLine(line, stats);
    parseRewardLine(line, stats);
    parsePlayerDeath(line, stats);
    parseKillerName(line, stats);
    parseKillMessage(line, stats);
}

}  // namespace torvelin
