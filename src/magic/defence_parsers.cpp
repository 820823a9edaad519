#include "magic/defence_parsers.h"

#include "base/latin1.h"
#include "base/text.h"
#include "record/value_list.h"

namespace torvelin {

void parseDamageTaken(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (!startsWith(text, "Vous encaissez"))
        return;
    appendValue(stats.receivedDamage[stats.incomingKind], firstNumber(text));
}

void resetIncomingKind(std::string_view /*line*/, PartStats& stats) {
    stats.incomingKind = IncomingKind::spell;
}

void parseIncomingKind(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    // Every line says anew what it announces; a later match overrides an earlier one.
    stats.incomingKind = IncomingKind::spell;
    if (contains(text, "Vous êtes victime d'un empoisonnement"_l1))
        stats.incomingKind = IncomingKind::poison;
    if (contains(text, "vous attaque avec son arme"))
        stats.incomingKind = IncomingKind::melee;
    if (contains(text, "vous tire avec son arme"))
        stats.incomingKind = IncomingKind::arrow;
    if (contains(text, "lance un sort"))
        stats.incomingKind = IncomingKind::spell;
    if (contains(text, "Votre corps est recouvert d'écorchures douloureuses"_l1))
        stats.incomingKind = IncomingKind::disease;
    if (contains(text, "Vous saignez"))
        stats.incomingKind = IncomingKind::bleeding;
    if (contains(text, "Vous êtes victime d'un poison violent"_l1))
        stats.incomingKind = IncomingKind::violentPoison;
    if (contains(text, "vous inflige") && contains(text, "points de dégâts supplémentaires"_l1))
        stats.incomingKind = IncomingKind::addedDamage;
}

void parseMeleeHitTaken(std::string_view line, PartStats& stats) {
    // Case matters: "Vous frappez" is the player's own blow.
    if (contains(line, "vous frappe") || contains(line, "vise votre bras et vous blesse pour"))
        appendValue(stats.meleeHitsTaken, firstNumber(messageText(line)));
}

void parseDefence(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    auto& counts = stats.avoidances;
    if (contains(line, "rate son coup"))
        counts[Avoidance::enemyMiss] += 1;
    if (contains(line, "vous attaque, mais vous bloquez"))
        counts[Avoidance::block] += 1;
    if (contains(line, "vous attaque, mais vous parez"))
        counts[Avoidance::parry] += 1;
    if (contains(line, "vous attaque, mais vous esquivez"))
        counts[Avoidance::evade] += 1;
    if (startsWith(text, "Le coup est absorbé par une barrière magique "_l1)) {
        // An absorbed blow is taken off the enemy misses; the count may go below 0.
        counts[Avoidance::barrierAbsorbed] += 1;
        counts[Avoidance::enemyMiss] -= 1;
    }
    if (startsWith(text, "Vous résistez à l'effet !"_l1))
        stats.effectsResisted += 1;
    if (startsWith(text, "Le coup a traversé la barrière magique !"_l1))
        stats.barrierPierced += 1;
    if (contains(text, "vous protège de l'attaque lancée par"_l1))
        counts[Avoidance::guard] += 1;
}

}  // namespace torvelin
