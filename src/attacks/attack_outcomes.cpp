#include "attacks/attack_outcomes.h"

#include <array>

#include "attacks/attack_state.h"
#include "base/latin1.h"
#include "base/text.h"
#include "record/spell_table.h"
#include "record/weapon_tables.h"

namespace torvelin {
namespace {

constexpr std::string_view attack = "Vous attaquez";
constexpr std::string_view shot = "Vous tirez";
constexpr std::string_view spellStrike = "Vous frappez et infligez";
constexpr std::string_view areaTouch = "Vous touchez";
constexpr std::string_view trebuchetShot = "Vous tirez avec votre le trébuchet !"_l1;

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
    if (!stats.styledHitPending && !stats.noStyle)
        stats.noStyle = true;
    stats.styledHitPending = false;
    stats.addedDamagePending = true;
    extractWeaponName(line, stats);
    bool marked = keepTarget || stats.interceptPending;
    if (!stats.noStyle) {
        ValueList& bonus = currentWeaponStyleEntry(stats).styleBonus;
        if (marked && !bonus.empty())
            bonus.values.back() = markerSample;
    } else {
        setCurrentStyle(stats, styleNone);
        if (stats.multiAttackArmed)
            useMultipleStyle(stats);
    }
    linkStyleWeapon(stats);
    findWeaponStyle(stats);
    WeaponStyleEntry& entry = currentWeaponStyleEntry(stats);
    if (!marked) {
        appendValue(entry.hitDamage, damage);
        appendValue(entry.hitModifier, modifier);
    } else {
        appendValue(entry.hitDamage, markerSample);
        appendValue(entry.hitModifier, markerSample);
        stats.interceptPending = false;
    }
    stats.noStyle = true;
    stats.castMode = false;
}

void bookSpellHit(PartStats& stats, std::int32_t damage, std::int32_t modifier) {
    SpellEntry& spell = currentSpellEntry(stats);
    appendValue(spell.hitDamage, damage);
    appendValue(spell.hitModifier, modifier);
}

// A "Vous touchez" line in the second of a cast or of an effect announcement.
void bookTouch(PartStats& stats, std::int32_t damage, std::int32_t modifier) {
    switch (stats.touchTarget) {
        case TouchTarget::spell:
            bookSpellHit(stats, damage, modifier);
            currentSpellEntry(stats).spellKind = SpellKind::area;
            return;  // every further line of the second is booked too (area spells)
        case TouchTarget::poison:
            appendValue(stats.givenEffects[GivenEffect::poison], damage);
            break;
        case TouchTarget::bleeding:
            appendValue(stats.givenEffects[GivenEffect::bleeding], damage);
            break;
        case TouchTarget::magicSurge:
            appendValue(currentWeaponStyleEntry(stats).procDamage, damage);
            break;
        case TouchTarget::acidPoison:
            appendValue(stats.givenEffects[GivenEffect::acidPoison], damage);
            break;
        case TouchTarget::disease:
            appendValue(stats.givenEffects[GivenEffect::disease], damage);
            break;
        case TouchTarget::consumed:
            return;
    }
    stats.touchTarget = TouchTarget::consumed;
}

// An outcome that does not name the weapon: booked to the weapon last used with the style.
void selectOutcomeEntry(PartStats& stats) {
    if (stats.noStyle)
        setCurrentStyle(stats, styleNone);
    weaponOfStyle(stats);
    findWeaponStyle(stats);
}

// An attack the target evaded, parried or blocked.
void bookAvoidance(std::string_view line, PartStats& stats, std::string_view pattern,
                   std::int32_t WeaponStyleEntry::*counter) {
    if (!contains(line, pattern))
        return;
    selectOutcomeEntry(stats);
    currentWeaponStyleEntry(stats).*counter += 1;
    stats.noStyle = true;
    stats.styledHitPending = false;
}

}  // namespace

void parseCritical(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (startsWith(text, "La rage de Modi vous submerge !"))
        stats.berserkActive = true;
    if (startsWith(text, "Votre rage berserk prend fin."))
        stats.berserkActive = false;
    if (startsWith(text, "Vous réussissez un coup critique"_l1) && !stats.berserkActive) {
        std::int32_t extra = firstNumber(text);
        if (stats.castMode)
            appendValue(currentSpellEntry(stats).critDamage, extra);
        else
            appendValue(currentWeaponStyleEntry(stats).critDamage, extra);
    }
    if (startsWith(text, "Votre sort de dégâts répétés a réussi parfaitement, il inflige "_l1) &&
        stats.touchTarget == TouchTarget::spell) {
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
        stats.noStyle = false;
        stats.styledHitPending = true;
        setCurrentStyle(stats, styleMultiple);
        bool quadruple = false;
        if (stats.triplePending) {
            stats.triplePending = false;
            stats.quadrupleCount += 1;
            quadruple = true;
        }
        if (stats.doublePending) {
            stats.triplePending = true;
            stats.doublePending = false;
            stats.tripleCount += 1;
        }
        if (!stats.doublePending && !stats.triplePending && !quadruple)
            stats.doublePending = true;
    } else {
        stats.doublePending = false;
        stats.triplePending = false;
    }
    stats.multiAttackArmed = clock - stats.lastSwingClock == 1;
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

void parseIntercept(std::string_view line, PartStats& stats) {
    if (contains(messageText(line), "s'avance devant vous et encaisse le coup !"))
        stats.interceptPending = true;
}

void parseWeaponHit(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (startsWith(text, trebuchetShot))
        stats.touchTarget = TouchTarget::consumed;
    if (!isDamageLine(text))
        return;
    std::int32_t damage = firstNumber(text);
    std::int32_t modifier = hitModifierOf(text);

    if (startsWith(text, shot) || startsWith(text, attack))
        bookWeaponHit(line, text, stats, damage, modifier);

    if (startsWith(text, spellStrike)) {
        if (stats.castMode) {
            bookSpellHit(stats, damage, modifier);
            SpellEntry& spell = currentSpellEntry(stats);
            if (spell.spellKind != SpellKind::area)
                spell.spellKind = SpellKind::singleTarget;
        } else {
            appendValue(currentWeaponStyleEntry(stats).procDamage, firstNumber(text));
        }
    }

    if (startsWith(text, areaTouch)) {
        if (lineTime(line) == stats.lastCastTime)
            bookTouch(stats, damage, modifier);
        else
            stats.touchTarget = TouchTarget::consumed;
    }
}

void parseMisses(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (startsWith(text, "Vous ratez votre coup") ||
        startsWith(text, "Vous ne parvenez pas à endommager"_l1) ||
        startsWith(text, "Votre déplacement vous a fait rater votre coup !"_l1)) {
        stats.styledHitPending = false;
        if (!stats.castMode) {
            selectOutcomeEntry(stats);
            currentWeaponStyleEntry(stats).missCount += 1;
            stats.noStyle = true;
        } else {
            currentSpellEntry(stats).missCount += 1;
            stats.castMode = false;
        }
    }
    if (startsWith(text, "Votre coup est absorbé par une barrière magique!"_l1)) {
        // The game reports the absorbed blow as a miss too; it counts as a barrier only.
        stats.styledHitPending = false;
        selectOutcomeEntry(stats);
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
        stats.noStyle = false;
    }
    selectOutcomeEntry(stats);
    currentWeaponStyleEntry(stats).fumbleCount += 1;
    stats.noStyle = true;
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
