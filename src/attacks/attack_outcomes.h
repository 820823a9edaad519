// The outcome of each attack of the player: hits with their damage and bracketed modifier,
// criticals, weapon procs, misses, fumbles, attacks the target evaded, parried or blocked or that
// a magic barrier absorbed, and double, triple and quadruple attacks. The damage lines of spells
// and given effects that follow a cast or an announcement are booked here as well.
#pragma once

#include <string_view>

#include "attacks/attack_state.h"
#include "base/latin1.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// Critical hits of weapons and spells; no critical is booked during the berserk rage.
void parseCritical(std::string_view line, PartStats& stats);
inline constexpr std::string_view criticalStarts[] = {
    "La rage de Modi vous submerge !",
    "Votre rage berserk prend fin.",
    "Vous réussissez un coup critique"_l1,
    "Votre sort de dégâts répétés a réussi parfaitement, il inflige "_l1,
};
inline constexpr LineGate criticalGate{criticalStarts, {}};

// Several attack events in one second: the next hit is booked to the "Multiple" style.
void parseMultipleAttacks(std::string_view line, PartStats& stats);
inline constexpr LineGate multipleAttacksGate{meleeEventStarts, avoidedAttackPhrases};

// Makes "Multiple" the current style when the current weapon already has a "Multiple" entry.
void useMultipleStyle(PartStats& stats);

// A guard takes the next blow for its target: that hit is marked.
void parseIntercept(std::string_view line, PartStats& stats);
inline constexpr std::string_view interceptPhrase[] = {
    "s'avance devant vous et encaisse le coup !",
};
inline constexpr LineGate interceptGate{{}, interceptPhrase};

// Weapon hits, spell damage, weapon procs and the damage of given effects.
void parseWeaponHit(std::string_view line, PartStats& stats);
inline constexpr std::string_view weaponHitStarts[] = {
    "Vous tirez",
    "Vous attaquez",
    "Vous frappez et infligez",
    "Vous touchez",
};
inline constexpr LineGate weaponHitGate{weaponHitStarts, {}};

// Missed attacks and attacks absorbed by a magic barrier.
void parseMisses(std::string_view line, PartStats& stats);
inline constexpr std::string_view missStarts[] = {
    "Vous ratez votre coup",
    "Vous ne parvenez pas à endommager"_l1,
    "Votre déplacement vous a fait rater votre coup !"_l1,
    "Votre coup est absorbé par une barrière magique!"_l1,
};
inline constexpr LineGate missGate{missStarts, {}};

void parseFumble(std::string_view line, PartStats& stats);
inline constexpr std::string_view fumbleStart[] = {"Vous ratez lamentablement"};
inline constexpr LineGate fumbleGate{fumbleStart, {}};

void parseEvaded(std::string_view line, PartStats& stats);
void parseParried(std::string_view line, PartStats& stats);
void parseBlocked(std::string_view line, PartStats& stats);
inline constexpr LineGate evadedGate{{}, std::span(avoidedAttackPhrases).subspan(1, 1)};
inline constexpr LineGate parriedGate{{}, std::span(avoidedAttackPhrases).subspan(0, 1)};
inline constexpr LineGate blockedGate{{}, std::span(avoidedAttackPhrases).subspan(2, 1)};

}  // namespace torvelin
