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

void readAddedDamageKind(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
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
