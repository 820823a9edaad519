#include "magic/spell_parsers.h"

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"
#include "record/spell_table.h"
#include "record/value_list.h"
#include "record/weapon_tables.h"

namespace torvelin {
namespace {

constexpr std::string_view healOther = "Vous soignez ";
constexpr std::string_view healSelf = "Vous vous soignez";
constexpr std::string_view noHealNeeded = "n'a plus besoin de soins.";
constexpr std::string_view fullHealth = "Vos points de vie sont au maximum.";
constexpr std::string_view castLine = "Vous lancez le sort";

// The name that ends one character before `end` (the blank before the next word); an end that
// lies before the start gives an empty name.
std::string nameBefore(std::string_view text, std::size_t begin, std::size_t end) {
    return cutText(text, begin, end == 0 ? 0 : end - 1, nameLength);
}

// Seconds from `from` to `to`, across a minute boundary.
std::int64_t secondsBetween(std::int64_t from, std::int64_t to) {
    return (to - from + 60) % 60;
}

}  // namespace

void parseHeal(std::string_view line, PartStats& stats) {
    if (lineTime(line) != stats.lastCastTime)
        return;
    std::string_view text = messageText(line);
    SpellEntry& spell = currentSpellEntry(stats);

    bool healsOther = startsWith(text, healOther);
    if (healsOther || startsWith(text, healSelf)) {
        appendValue(spell.hitDamage, firstNumber(text));
        spell.spellKind = SpellKind::heal;
        stats.castMode = true;
    }
    if (healsOther) {
        // "Vous soignez Bob de 150 points de vie.": the target ends before the first "de" of the
        // line, so a name that holds "de" is cut there.
        std::size_t de = line.find("de");
        if (de == notFound)
            unreadableLine();
        stats.healTarget = nameBefore(line, messageStart + healOther.size(), de);
    }

    std::size_t satisfied = text.find(noHealNeeded);
    if (satisfied != notFound) {
        // Somebody else than the one just healed needed nothing: a heal of 0.
        if (nameBefore(text, 0, satisfied) != stats.healTarget)
            appendValue(spell.hitDamage, 0);
    }
    if (satisfied != notFound || startsWith(text, fullHealth)) {
        // The latest heal reached, or found, its target at full health: it is a capped heal.
        if (!spell.hitDamage.empty()) {
            appendValue(spell.cappedHeals, spell.hitDamage.values.back());
            spell.hitDamage.values.pop_back();
        }
    }
}

void parseResist(std::string_view line, PartStats& stats) {
    if (!contains(line, "résiste à l'effet"_l1) &&
        !contains(line, "Votre cible est enragée et résiste au sort !"_l1))
        return;
    if (!stats.castMode) {
        // A weapon action came last: a resisted proc counts as a proc without damage.
        appendValue(currentWeaponStyleEntry(stats).procDamage, markerSample);
    } else if (lineTime(line) == stats.lastCastTime) {
        currentSpellEntry(stats).resistCount += 1;
    }
}

void parseEffectDamage(std::string_view line, PartStats& stats) {
    if (!contains(line, "subit"))
        return;
    std::int32_t damage = firstNumber(messageText(line));
    if (stats.addedDamagePending) {
        appendValue(stats.givenEffects[GivenEffect::addedDamage], damage);
        stats.addedDamagePending = false;
    } else {
        appendValue(stats.givenEffects[GivenEffect::damageShield], damage);
    }
}

void parseCastTime(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (contains(text, "vous attaque, vous empêchant de poursuivre votre incantation !"_l1))
        stats.castStartSecond = -1;
    if (startsWith(text, "Vous commencez à incanter"_l1) ||
        startsWith(text, "Vous commencez l'incantation de votre "))
        stats.castStartSecond = stampSeconds(line);
    if (startsWith(text, castLine)) {
        std::int64_t elapsed = 0;
        if (stats.castStartSecond != -1)
            elapsed = secondsBetween(stats.castStartSecond, stampSeconds(line));
        // A gap of 8 seconds or more belongs to no incantation of this cast.
        if (elapsed < 8) {
            appendValue(currentSpellEntry(stats).castTimes, static_cast<std::int32_t>(elapsed));
            stats.castStartSecond = -1;
        }
    }
}

}  // namespace torvelin
