#include "magic/defence_parsers.h"

#include "stats/latin1.h"
#include "stats/text.h"
#include "stats/value_list.h"

namespace torvelin {

void parseDamageTaken(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (!startsWith(text, "Vous encaissez"))
        return;
    auto kind = static_cast<std::size_t>(stats.incomingKind);
    appendValue(stats.receivedDamage[kind], firstNumber(text));
}

void parseIncomingKind(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    // Every line says anew what it announces; a later match overrides an earlier one.
    stats.incomingKind = incomingSpell;
    if (contains(text, "Vous êtes victime d'un empoisonnement"_l1))
        stats.incomingKind = 0;
    if (contains(text, "vous attaque avec son arme"))
        stats.incomingKind = 1;
    if (contains(text, "vous tire avec son arme"))
        stats.incomingKind = 2;
    if (contains(text, "lance un sort"))
        stats.incomingKind = incomingSpell;
    if (contains(text, "Votre corps est recouvert d'écorchures douloureuses"_l1))
        stats.incomingKind = 3;
    if (contains(text, "Vous saignez"))
        stats.incomingKind = 6;
    if (contains(text, "Vous êtes victime d'un poison violent"_l1))
        stats.incomingKind = 4;
    if (contains(text, "vous inflige") && contains(text, "points de dégâts supplémentaires"_l1))
        stats.incomingKind = 5;
}

void parseMeleeHitTaken(std::string_view line, PartStats& stats) {
    // Case matters: "Vous frappez" is the player's own blow.
    if (contains(line, "vous frappe") || contains(line, "vise votre bras et vous blesse pour"))
        appendValue(stats.meleeHitsTaken, firstNumber(messageText(line)));
}

void parseDefence(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    auto& counts = stats.defenceCounts;
    if (contains(line, "rate son coup"))
        counts[enemyMisses] += 1;
    if (contains(line, "vous attaque, mais vous bloquez"))
        counts[blocks] += 1;
    if (contains(line, "vous attaque, mais vous parez"))
        counts[parries] += 1;
    if (contains(line, "vous attaque, mais vous esquivez"))
        counts[evades] += 1;
    if (startsWith(text, "Le coup est absorbé par une barrière magique "_l1)) {
        // An absorbed blow is taken off the enemy misses; the count may go below 0.
        counts[barrierAbsorbed] += 1;
        counts[enemyMisses] -= 1;
    }
    if (startsWith(text, "Vous résistez à l'effet !"_l1))
        stats.effectsResisted += 1;
    if (startsWith(text, "Le coup a traversé la barrière magique !"_l1))
        stats.barrierPierced += 1;
    if (contains(text, "vous protège de l'attaque lancée par"_l1))
        counts[guarded] += 1;
}

}  // namespace torvelin
