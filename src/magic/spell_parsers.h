// The lines that complete a spell cast: heals given (and heals wasted on somebody at full health),
// resisted spells and procs, the damage of the player's added-damage and damage-shield effects,
// and the incantation time of each cast.
#pragma once

#include <string_view>

#include "base/latin1.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// "Vous soignez X de N points de vie.", "Vous vous soignez..." and the full-health lines that
// follow them in the second of the cast.
void parseHeal(std::string_view line, PartStats& stats);
inline constexpr std::string_view healStarts[] = {
    "Vous soignez ",
    "Vous vous soignez",
    "Vos points de vie sont au maximum.",
};
inline constexpr std::string_view healPhrase[] = {"n'a plus besoin de soins."};
inline constexpr LineGate healGate{healStarts, healPhrase};

// "... résiste à l'effet" and "Votre cible est enragée et résiste au sort !".
void parseResist(std::string_view line, PartStats& stats);
inline constexpr std::string_view resistPhrases[] = {
    "résiste à l'effet"_l1,
    "Votre cible est enragée et résiste au sort !"_l1,
};
inline constexpr LineGate resistGate{{}, resistPhrases};

// "... subit N points de dégâts": added damage after a weapon hit, otherwise damage shield.
void parseEffectDamage(std::string_view line, PartStats& stats);
inline constexpr std::string_view effectDamagePhrase[] = {"subit"};
inline constexpr LineGate effectDamageGate{{}, effectDamagePhrase};

// "Vous commencez à incanter" ... "Vous lancez le sort": seconds between the two.
void parseCastTime(std::string_view line, PartStats& stats);
inline constexpr std::string_view castTimeStarts[] = {
    "Vous commencez à incanter"_l1,
    "Vous commencez l'incantation de votre ",
    "Vous lancez le sort",
};
inline constexpr std::string_view castTimePhrase[] = {
    "vous attaque, vous empêchant de poursuivre votre incantation !"_l1,
};
inline constexpr LineGate castTimeGate{castTimeStarts, castTimePhrase};

}  // namespace torvelin
