// The state that ties the lines of one attack together: the style prepared or executed, the shot
// fired, the spell cast and the lasting effect announced; and the attack speed of each weapon,
// measured from the time stamps of successive attacks.
#pragma once

#include <string_view>

#include "base/latin1.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// Makes `name` the current style (cut to the length of a style name).
void setCurrentStyle(PartStats& stats, std::string_view name);

// Takes the weapon of a hit line: the text after the first "votre " up to the first ",". A line
// without either, or whose "," comes first, ends the program with the line.
void extractWeaponName(std::string_view line, PartStats& stats);

// Shot, style, abandon, style failure, spell cast and given-effect announcements.
void parseAttackState(std::string_view line, PartStats& stats);
inline constexpr std::string_view attackStateStarts[] = {
    "Vous préparez votre tir"_l1,
    "Vous tirez",
    "Vous exécutez parfaitement"_l1,
    "Vous vous préparez à exécuter"_l1,
    "Vous vous préparez maintenant à effectuer le style de secours"_l1,
    "Vous passez en mode combat",
    "Vous n'êtes plus en train de vous préparer à utiliser"_l1,
    "Vous ratez lamentablement",
    "Vous ne parvenez pas à exécuter parfaitement"_l1,
    "Vous lancez le sort",
    "Un nuage acide entoure",
};
inline constexpr std::string_view attackStatePhrases[] = {
    "trop loin pour une attaque",         "n'est pas en vue ",
    "est victime d'un empoisonnement !",  "saigne !",
    "déferlement d'énergies magiques"_l1, "voit sa peau se couvrir de plaies ouvertes !",
};
inline constexpr LineGate attackStateGate{attackStateStarts, attackStatePhrases};

// Whether the line reports a melee attack of the player: a hit, a miss, or a blow the target
// blocked, parried or evaded.
bool isMeleeAttackEvent(std::string_view line);

// Seconds between two melee attacks, booked to the current entry.
void trackSwingSpeed(std::string_view line, PartStats& stats);
inline constexpr std::string_view swingSpeedStarts[] = {
    "Vous attaquez",
    "Vous ratez votre coup",
    "Vous ne parvenez pas à endommager"_l1,
    "Votre déplacement vous a fait rater votre coup !"_l1,
    "Vous ratez lamentablement",
    "Vous devez avoir une cible pour utiliser un style de combat !",
};
inline constexpr std::string_view swingSpeedPhrases[] = {
    "pare votre attaque",         "esquive votre attaque",      "bloque votre attaque",
    "Vous passez en mode combat", "trop loin pour une attaque", "n'est pas en vue ",
    "*** Journal fermé : "_l1,    "*** Journal ouvert : ",
};
inline constexpr LineGate swingSpeedGate{swingSpeedStarts, swingSpeedPhrases};

// Seconds between two ranged shots fired in automatic mode, booked to the current entry.
void trackShotSpeed(std::string_view line, PartStats& stats);
inline constexpr std::string_view shotSpeedStarts[] = {
    "Vous allez tirer et recharger automatiquement",
    "Vous ratez lamentablement",
    "Prêt à tirer"_l1,
    "Vous ne voyez pas votre cible !",
    "Votre tir est interrompu !",
    "Vous vous déplacez et interrompez votre tir "_l1,
    "Vous êtes trop fatigué pour utiliser "_l1,
    "Vous ratez votre coup",
    "Vous tirez",
    "Vous ne parvenez pas à endommager"_l1,
};
inline constexpr std::string_view shotSpeedPhrases[] = {
    "*** Journal fermé : "_l1,    "*** Journal ouvert : ", "interrompant votre tir",
    "trop loin pour une attaque", "esquive votre attaque",
};
inline constexpr LineGate shotSpeedGate{shotSpeedStarts, shotSpeedPhrases};

}  // namespace torvelin
