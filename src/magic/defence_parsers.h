// What happens to the player: the kind of attack the latest line announced, the damage taken under
// that kind, the blows of enemies in melee and the attacks that missed him or that he avoided.
#pragma once

#include <string_view>

#include "base/latin1.h"
#include "base/text.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// "Vous encaissez N points de dégâts", booked under the kind announced by the previous line.
void parseDamageTaken(std::string_view line, PartStats& stats);
inline constexpr std::string_view damageTakenStart[] = {"Vous encaissez"};
inline constexpr LineGate damageTakenGate{damageTakenStart, {}};

// The kind of incoming attack that this line announces (spell, the default, when none), in two
// steps: any line takes the kind back to the default, then a line that announces one sets it.
void resetIncomingKind(std::string_view line, PartStats& stats);
inline constexpr LineGate incomingKindResetGate{
    {}, {}, [](const PartStats& stats) { return stats.incomingKind != IncomingKind::spell; }};
// One step per announcement, in this order (a later one on the same line wins).
inline constexpr std::string_view incomingKindPhrases[] = {
    "Vous êtes victime d'un empoisonnement"_l1,
    "vous attaque avec son arme",
    "vous tire avec son arme",
    "lance un sort",
    "Votre corps est recouvert d'écorchures douloureuses"_l1,
    "Vous saignez",
    "Vous êtes victime d'un poison violent"_l1,
};
inline constexpr IncomingKind incomingKinds[] = {
    IncomingKind::poison,  IncomingKind::melee,    IncomingKind::arrow,         IncomingKind::spell,
    IncomingKind::disease, IncomingKind::bleeding, IncomingKind::violentPoison,
};
template <std::size_t I>
void readIncomingKind(std::string_view line, PartStats& stats) {
    if (contains(messageText(line), incomingKindPhrases[I]))
        stats.incomingKind = incomingKinds[I];
}
template <std::size_t I>
inline constexpr LineGate incomingKindGate{{}, std::span(incomingKindPhrases).subspan(I, 1)};

// The last announcement: damage added to a blow ("vous inflige ... points de dégâts
// supplémentaires").
void readAddedDamageKind(std::string_view line, PartStats& stats);
inline constexpr std::string_view addedDamagePhrase[] = {"vous inflige"};
inline constexpr LineGate addedDamageKindGate{{}, addedDamagePhrase};

// "X vous frappe ... pour N points de dégâts" and the aimed blows at the arm.
void parseMeleeHitTaken(std::string_view line, PartStats& stats);
inline constexpr std::string_view meleeHitTakenPhrases[] = {
    "vous frappe",
    "vise votre bras et vous blesse pour",
};
inline constexpr LineGate meleeHitTakenGate{{}, meleeHitTakenPhrases};

// Enemy misses, blocks, parries and evades: one step each, in this order.
inline constexpr std::string_view enemyAvoidancePhrases[] = {
    "rate son coup",
    "vous attaque, mais vous bloquez",
    "vous attaque, mais vous parez",
    "vous attaque, mais vous esquivez",
};
inline constexpr Avoidance enemyAvoidances[] = {Avoidance::enemyMiss, Avoidance::block,
                                                Avoidance::parry, Avoidance::evade};
template <std::size_t I>
void countEnemyAvoidance(std::string_view line, PartStats& stats) {
    if (contains(line, enemyAvoidancePhrases[I]))
        stats.avoidances[enemyAvoidances[I]] += 1;
}
template <std::size_t I>
inline constexpr LineGate enemyAvoidanceGate{{}, std::span(enemyAvoidancePhrases).subspan(I, 1)};

// Then magic barriers, guards and resisted effects.
void parseDefence(std::string_view line, PartStats& stats);
inline constexpr std::string_view defenceStarts[] = {
    "Le coup est absorbé par une barrière magique "_l1,
    "Vous résistez à l'effet !"_l1,
    "Le coup a traversé la barrière magique !"_l1,
};
inline constexpr std::string_view defencePhrases[] = {
    "vous protège de l'attaque lancée par"_l1,
};
inline constexpr LineGate defenceGate{defenceStarts, defencePhrases};

}  // namespace torvelin
