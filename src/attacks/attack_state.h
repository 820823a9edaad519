// The state that ties the lines of one attack together: the style prepared or executed, the shot
// fired, the spell cast and the lasting effect announced; and the attack speed of each weapon,
// measured from the time stamps of successive attacks.
#pragma once

#include <string_view>

#include "base/latin1.h"
#include "base/text.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// Makes `name` the current style (cut to the length of a style name).
void setCurrentStyle(PartStats& stats, std::string_view name);

// Takes the weapon of a hit line: the text after the first "votre " up to the first ",". A line
// without either, or whose "," comes first, ends the program with the line.
void extractWeaponName(std::string_view line, PartStats& stats);

// The steps of the attack state, taken in this order on each line.
//
// A shot is prepared or fired.
void readShot(std::string_view line, PartStats& stats);
inline constexpr std::string_view shotStarts[] = {"Vous préparez votre tir"_l1, "Vous tirez"};
inline constexpr LineGate shotGate{shotStarts, {}};

// A style is executed, prepared, or a backup style is prepared.
void readStyle(std::string_view line, PartStats& stats);
inline constexpr std::string_view styleStarts[] = {
    "Vous exécutez parfaitement"_l1,
    "Vous vous préparez à exécuter"_l1,
    "Vous vous préparez maintenant à effectuer le style de secours"_l1,
};
inline constexpr LineGate styleGate{styleStarts, {}};

// The attack under way is given up.
void readAbandon(std::string_view line, PartStats& stats);
inline constexpr std::string_view abandonStarts[] = {
    "Vous passez en mode combat",
    "Vous n'êtes plus en train de vous préparer à utiliser"_l1,
    "Vous ratez lamentablement",
};
inline constexpr std::string_view abandonPhrases[] = {"trop loin pour une attaque",
                                                      "n'est pas en vue "};
inline constexpr LineGate abandonGate{abandonStarts, abandonPhrases};

// The prepared style failed; the failure counts for the prepared style.
void readStyleFailure(std::string_view line, PartStats& stats);
inline constexpr std::string_view styleFailureStart[] = {
    "Vous ne parvenez pas à exécuter parfaitement"_l1};
inline constexpr LineGate styleFailureGate{styleFailureStart, {}};

// A spell is cast; the damage lines that follow belong to it.
void readSpellCast(std::string_view line, PartStats& stats);
inline constexpr std::string_view spellCastStart[] = {"Vous lancez le sort"};
inline constexpr LineGate spellCastGate{spellCastStart, {}};

// A lasting effect given by the player; its damage line follows in the same second. One step per
// announcement, in this order (a later one on the same line wins); the acid cloud is announced at
// the start of the text, the others anywhere in it.
inline constexpr std::string_view givenEffectPhrases[] = {
    "est victime d'un empoisonnement !",
    "saigne !",
    "déferlement d'énergies magiques"_l1,
    "Un nuage acide entoure",
    "voit sa peau se couvrir de plaies ouvertes !",
};
inline constexpr TouchTarget givenEffectTargets[] = {TouchTarget::poison, TouchTarget::bleeding,
                                                     TouchTarget::magicSurge,
                                                     TouchTarget::acidPoison, TouchTarget::disease};
inline constexpr std::size_t acidCloud = 3;

void announceEffect(std::string_view line, PartStats& stats, TouchTarget target);

template <std::size_t I>
void readGivenEffect(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (I == acidCloud ? startsWith(text, givenEffectPhrases[I])
                       : contains(text, givenEffectPhrases[I]))
        announceEffect(line, stats, givenEffectTargets[I]);
}
template <std::size_t I>
inline constexpr LineGate givenEffectGate =
    I == acidCloud ? LineGate{std::span(givenEffectPhrases).subspan(I, 1), {}}
                   : LineGate{{}, std::span(givenEffectPhrases).subspan(I, 1)};

// The melee attack events of the player (see isMeleeAttackEvent) and the fumble, which is an
// attack too.
inline constexpr std::string_view meleeEventStarts[] = {
    "Vous attaquez",
    "Vous ratez votre coup",
    "Vous ne parvenez pas à endommager"_l1,
    "Votre déplacement vous a fait rater votre coup !"_l1,
    "Vous ratez lamentablement",
};
inline constexpr std::string_view avoidedAttackPhrases[] = {
    "pare votre attaque",
    "esquive votre attaque",
    "bloque votre attaque",
};

// Whether the line reports a melee attack of the player: a hit, a miss, or a blow the target
// blocked, parried or evaded.
bool isMeleeAttackEvent(std::string_view line);

// The attack speed of each weapon, in three steps for melee and three for ranged shots, taken
// in this order on each line.
//
// Stops the melee timer: the next attack starts no interval.
void stopSwingTimer(std::string_view line, PartStats& stats);
inline constexpr std::string_view swingStopStarts[] = {
    "Vous ratez lamentablement",
    "Vous devez avoir une cible pour utiliser un style de combat !",
};
inline constexpr std::string_view swingStopPhrases[] = {
    "Vous passez en mode combat", "trop loin pour une attaque", "n'est pas en vue ",
    "*** Journal fermé : "_l1,    "*** Journal ouvert : ",
};
inline constexpr LineGate swingStopGate{swingStopStarts, swingStopPhrases};

// Seconds between two melee attacks, booked to the current entry.
void trackSwingSpeed(std::string_view line, PartStats& stats);
// The melee events without the fumble.
inline constexpr LineGate swingSpeedGate{std::span(meleeEventStarts).first(4),
                                         avoidedAttackPhrases};

// Automatic fire is armed: the next shot is timed.
void armAutoFire(std::string_view line, PartStats& stats);
inline constexpr std::string_view autoFireStart[] = {
    "Vous allez tirer et recharger automatiquement"};
inline constexpr LineGate autoFireGate{autoFireStart, {}};

// Stops the shot timer and disarms automatic fire.
void stopShotTimer(std::string_view line, PartStats& stats);
inline constexpr std::string_view shotStopStarts[] = {
    "Vous ratez lamentablement",
    "Prêt à tirer"_l1,
    "Vous ne voyez pas votre cible !",
    "Votre tir est interrompu !",
    "Vous vous déplacez et interrompez votre tir "_l1,
    "Vous êtes trop fatigué pour utiliser "_l1,
};
inline constexpr std::string_view shotStopPhrases[] = {
    "*** Journal fermé : "_l1,
    "*** Journal ouvert : ",
    "interrompant votre tir",
    "trop loin pour une attaque",
};
inline constexpr LineGate shotStopGate{shotStopStarts, shotStopPhrases};

// Seconds between two ranged shots fired in automatic mode, booked to the current entry.
void trackShotSpeed(std::string_view line, PartStats& stats);
inline constexpr std::string_view shotSpeedStarts[] = {
    "Vous ratez votre coup",
    "Vous tirez",
    "Vous ne parvenez pas à endommager"_l1,
};
inline constexpr LineGate shotSpeedGate{shotSpeedStarts,
                                        std::span(avoidedAttackPhrases).subspan(1, 1)};

}  // namespace torvelin
