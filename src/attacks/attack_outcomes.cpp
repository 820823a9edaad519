#include "attacks/attack_outcomes.h"

#include <array>

#include "attacks/attack_state.h"
#include "attacks/weapon_tables.h"
#include "magic/spell_table.h"
#include "stats/latin1.h"
#include "stats/text.h"

namespace torvelin {
namespace {

constexpr std::string_view attack = "Vous attaquez";
constexpr std::string_view shot = "Vous tirez";
constexpr std::string_view spellStrike = "Vous frappez et infligez";
constexpr std::string_view areaTouch = "Vous touchez";
constexpr std::string_view trebuchetShot = "Vous tirez avec votre le trébuchet !"_l1;

// Where a given effect announced in the same second books the damage of a "Vous touchez" line.
constexpr std::int32_t effectSpell = 0;
constexpr std::int32_t effectMagicSurge = 3;
constexpr std::int32_t effectConsumed = 6;

// Doors, lords and guards of a keep: their hits count, but not their damage.
bool isKeepTarget(std::string_view text) {
    std::string_view target = textFrom(text, 14);
    return startsWith(target, "les Portes") || startsWith(target, "Seigneur ") ||
           startsWith(target, "le Commandant des Champions ") || startsWith(target, "le Gardien ");
}

bool isDamageLine(std::string_view text) {
    bool damage = startsWith(text, shot) || startsWith(text, attack) ||
                  startsWith(text, spellStrike) || startsWith(text, areaTouch);
    if (!damage)
        return false;
    static constexpr std::array<std::string_view, 6> notDamage = {
        "Vous attaquez à nouveau à vitesse normale"_l1,
        "Vous attaquez avec une férocité renouvelée!"_l1,
        trebuchetShot,
        "Vous tirez droit au zénith !"_l1,
        "Vous tirez avec votre la catapulte !",
        "Vous tirez avec votre le palintone !",
    };
    for (std::string_view other : notDamage) {
        if (startsWith(text, other))
            return false;
    }
    return true;
}

// The signed number in brackets after the damage, 0 when the line has none.
std::int32_t hitModifierOf(std::string_view text) {
    std::size_t bracket = text.find('(');
    if (bracket == notFound)
        return 0;
    std::int32_t value = firstNumber(text.substr(bracket));
    bool negative = bracket + 1 < text.size() && text[bracket + 1] == '-';
    return negative ? -value : value;
}

void bookWeaponHit(std::string_view line, std::string_view text, PartStats& stats,
                   std::int32_t damage, std::int32_t modifier) {
    bool keepTarget = isKeepTarget(text);
    // A style prepared but not executed: the hit carries no style.
    if (stats.styledHitPending == 0 && stats.noStyle == 0)
        stats.noStyle = 1;
    stats.styledHitPending = 0;
    stats.addedDamagePending = 1;
    extractWeaponName(line, stats);
    bool marked = keepTarget || stats.interceptPending != 0;
    if (stats.noStyle == 0) {
        ValueList& bonus = currentWeaponStyleEntry(stats).styleBonus;
        if (marked && !bonus.empty())
            bonus.values.back() = markerSample;
    } else {
        setCurrentStyle(stats, styleNone);
        if (stats.multiAttackArmed == 1)
            useMultipleStyle(stats);
    }
    linkStyleWeapon(stats, line);
    findWeaponStyle(stats, line);
    WeaponStyleEntry& entry = currentWeaponStyleEntry(stats);
    if (!marked) {
        appendValue(entry.hitDamage, damage);
        appendValue(entry.hitModifier, modifier);
    } else {
        appendValue(entry.hitDamage, markerSample);
        appendValue(entry.hitModifier, markerSample);
        stats.interceptPending = 0;
    }
    stats.noStyle = 1;
    stats.castMode = 0;
}

void bookSpellHit(PartStats& stats, std::int32_t damage, std::int32_t modifier) {
    SpellEntry& spell = currentSpellEntry(stats);
    appendValue(spell.hitDamage, damage);
    appendValue(spell.hitModifier, modifier);
}

// A "Vous touchez" line in the second of a cast or of an effect announcement.
void bookTouch(PartStats& stats, std::int32_t damage, std::int32_t modifier) {
    switch (stats.effectKind) {
        case effectSpell:
            bookSpellHit(stats, damage, modifier);
            currentSpellEntry(stats).spellKind = spellArea;
            return;  // every further line of the second is booked too (area spells)
        case 1:
            appendValue(stats.givenEffects[0], damage);
            break;
        case 2:
            appendValue(stats.givenEffects[3], damage);
            break;
        case effectMagicSurge:
            appendValue(currentWeaponStyleEntry(stats).procDamage, damage);
            break;
        case 4:
            appendValue(stats.givenEffects[4], damage);
            break;
        case 5:
            appendValue(stats.givenEffects[5], damage);
            break;
        default:
            return;
    }
    stats.effectKind = effectConsumed;
}

// An outcome that does not name the weapon: booked to the weapon last used with the style.
void selectOutcomeEntry(std::string_view line, PartStats& stats) {
    if (stats.noStyle == 1)
        setCurrentStyle(stats, styleNone);
    weaponOfStyle(stats);
    findWeaponStyle(stats, line);
}

// An attack the target evaded, parried or blocked.
void bookAvoidance(std::string_view line, PartStats& stats, std::string_view pattern,
                   std::int32_t WeaponStyleEntry::*counter) {
    if (!contains(line, pattern))
        return;
    selectOutcomeEntry(line, stats);
    currentWeaponStyleEntry(stats).*counter += 1;
    stats.noStyle = 1;
    stats.styledHitPending = 0;
}

}  // namespace

void parseCritical(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (startsWith(text, "La rage de Modi vous submerge !"))
        stats.berserkActive = 1;
    if (startsWith(text, "Votre rage berserk prend fin."))
        stats.berserkActive = 0;
    if (startsWith(text, "Vous réussissez un coup critique"_l1) && stats.berserkActive == 0) {
        std::int32_t extra = firstNumber(text);
        if (stats.castMode == 0)
            appendValue(currentWeaponStyleEntry(stats).critDamage, extra);
        if (stats.castMode == 1)
            appendValue(currentSpellEntry(stats).critDamage, extra);
    }
    if (startsWith(text, "Votre sort de dégâts répétés a réussi parfaitement, il inflige "_l1) &&
        stats.effectKind == effectSpell) {
        appendValue(currentSpellEntry(stats).critDamage, firstNumber(text));
    }
}

void parseMultipleAttacks(std::string_view line, PartStats& stats) {
    // A fumble is an attack too, although it starts no swing interval.
    if (!isMeleeAttackEvent(line) && !startsWith(messageText(line), "Vous ratez lamentablement"))
        return;
    std::int64_t clock = lineClock(line);
    if (clock == stats.lastSwingClock) {
        // A further attack in the same second.
        stats.noStyle = 0;
        stats.styledHitPending = 1;
        setCurrentStyle(stats, styleMultiple);
        bool quadruple = false;
        if (stats.triplePending == 1) {
            stats.triplePending = 0;
            stats.quadrupleCount += 1;
            quadruple = true;
        }
        if (stats.doublePending == 1) {
            stats.triplePending = 1;
            stats.doublePending = 0;
            stats.tripleCount += 1;
        }
        if (stats.doublePending == 0 && stats.triplePending == 0 && !quadruple)
            stats.doublePending = 1;
    } else {
        stats.doublePending = 0;
        stats.triplePending = 0;
    }
    stats.multiAttackArmed = clock - stats.lastSwingClock == 1 ? 1 : 0;
    stats.lastSwingClock = clock;
}

void useMultipleStyle(PartStats& stats) {
    for (std::int32_t i = 0; i < stats.weaponStyleCount; ++i) {
        const WeaponStyleEntry& entry = stats.weaponStyles[static_cast<std::size_t>(i)];
        if (entry.weaponName == stats.currentWeapon &&
            isLeadingPartOf(entry.styleName, styleMultiple)) {
            setCurrentStyle(stats, styleMultiple);
            return;
        }
    }
}

void parseWeaponHit(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (contains(text, "s'avance devant vous et encaisse le coup !"))
        stats.interceptPending = 1;
    if (startsWith(text, trebuchetShot))
        stats.effectKind = effectConsumed;
    if (!isDamageLine(text))
        return;
    std::int32_t damage = firstNumber(text);
    std::int32_t modifier = hitModifierOf(text);

    if (startsWith(text, shot) || startsWith(text, attack))
        bookWeaponHit(line, text, stats, damage, modifier);

    if (startsWith(text, spellStrike)) {
        if (stats.castMode == 1) {
            bookSpellHit(stats, damage, modifier);
            SpellEntry& spell = currentSpellEntry(stats);
            if (spell.spellKind != spellArea)
                spell.spellKind = spellSingleTarget;
        }
        if (stats.castMode == 0)
            appendValue(currentWeaponStyleEntry(stats).procDamage, firstNumber(text));
    }

    if (startsWith(text, areaTouch)) {
        if (lineTime(line) == stats.lastCastTime)
            bookTouch(stats, damage, modifier);
        else
            stats.effectKind = effectConsumed;
    }
}

void parseMisses(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (startsWith(text, "Vous ratez votre coup") ||
        startsWith(text, "Vous ne parvenez pas à endommager"_l1) ||
        startsWith(text, "Votre déplacement vous a fait rater votre coup !"_l1)) {
        stats.styledHitPending = 0;
        if (stats.castMode == 0) {
            selectOutcomeEntry(line, stats);
            currentWeaponStyleEntry(stats).missCount += 1;
            stats.noStyle = 1;
        } else if (stats.castMode == 1) {
            currentSpellEntry(stats).missCount += 1;
            stats.castMode = 0;
        }
    }
    if (startsWith(text, "Votre coup est absorbé par une barrière magique!"_l1)) {
        // The game reports the absorbed blow as a miss too; it counts as a barrier only.
        stats.styledHitPending = 0;
        selectOutcomeEntry(line, stats);
        WeaponStyleEntry& entry = currentWeaponStyleEntry(stats);
        entry.barrierCount += 1;
        entry.missCount -= 1;
    }
}

void parseFumble(std::string_view line, PartStats& stats) {
    if (!startsWith(messageText(line), "Vous ratez lamentablement"))
        return;
    // A fumble after a ranged attack stays with the ranged weapon.
    if (currentWeaponStyleEntry(stats).styleName == styleRanged) {
        setCurrentStyle(stats, styleRanged);
        stats.noStyle = 0;
    }
    selectOutcomeEntry(line, stats);
    currentWeaponStyleEntry(stats).fumbleCount += 1;
    stats.noStyle = 1;
}

void parseEvaded(std::string_view line, PartStats& stats) {
    bookAvoidance(line, stats, "esquive votre attaque", &WeaponStyleEntry::evadedCount);
}

void parseParried(std::string_view line, PartStats& stats) {
    bookAvoidance(line, stats, "pare votre attaque", &WeaponStyleEntry::parriedCount);
}

void parseBlocked(std::string_view line, PartStats& stats) {
    bookAvoidance(line, stats, "bloque votre attaque", &WeaponStyleEntry::blockedCount);
}

}  // namespace torvelin
