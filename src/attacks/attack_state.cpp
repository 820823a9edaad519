#include "attacks/attack_state.h"

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"
#include "record/spell_table.h"
#include "record/weapon_tables.h"

namespace torvelin {
namespace {

constexpr std::string_view styleExecuted = "Vous exécutez parfaitement"_l1;
constexpr std::string_view stylePrepared = "Vous vous préparez à exécuter"_l1;
constexpr std::string_view backupStyle =
    "Vous vous préparez maintenant à effectuer le style de secours"_l1;
constexpr std::string_view styleFailed = "Vous ne parvenez pas à exécuter parfaitement"_l1;
constexpr std::string_view spellCast = "Vous lancez le sort";
constexpr std::string_view fumble = "Vous ratez lamentablement";
constexpr std::string_view combatMode = "Vous passez en mode combat";
constexpr std::string_view tooFar = "trop loin pour une attaque";
constexpr std::string_view notInView = "n'est pas en vue ";
constexpr std::string_view logClosed = "*** Journal fermé : "_l1;
constexpr std::string_view logOpened = "*** Journal ouvert : ";
constexpr std::string_view missedSwing = "Vous ratez votre coup";
constexpr std::string_view cannotDamage = "Vous ne parvenez pas à endommager"_l1;
constexpr std::string_view movedAndMissed = "Votre déplacement vous a fait rater votre coup !"_l1;
constexpr std::string_view attack = "Vous attaquez";
constexpr std::string_view normalSpeedAgain = "Vous attaquez à nouveau à vitesse normale"_l1;
constexpr std::string_view renewedFerocity = "Vous attaquez avec une férocité renouvelée!"_l1;
constexpr std::string_view shot = "Vous tirez";
constexpr std::string_view autoFire = "Vous allez tirer et recharger automatiquement";

// The whole seconds between two events, across the minute boundary.
std::int64_t secondsBetween(std::int64_t previous, std::int64_t now) {
    return (now - previous + 60) % 60;
}

void bookInterval(PartStats& stats, std::int64_t seconds) {
    if (seconds > 0 && seconds < 8)
        appendValue(currentWeaponStyleEntry(stats).attackIntervals,
                    static_cast<std::int32_t>(seconds));
}

}  // namespace

void readShot(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (!startsWith(text, "Vous préparez votre tir"_l1) && !startsWith(text, shot))
        return;
    setCurrentStyle(stats, styleRanged);
    stats.noStyle = false;
    stats.styledHitPending = true;
    stats.castMode = false;
}

namespace {

// The style of an executed or prepared style line: after "votre " up to " !", or up to "." when
// the line has no " !".
std::string_view executedStyleName(std::string_view line) {
    std::size_t votre = line.find("votre");
    if (votre == notFound)
        unreadableLine();
    std::size_t start = votre + 6;
    std::size_t end = line.find(" !", start);
    if (end == notFound)
        end = line.find('.', start);
    if (end == notFound)
        unreadableLine();
    return cutView(line, start, end, nameLength);
}

// The style of a backup style line: two characters after the phrase, up to the blank before
// "pour pallier".
std::string_view backupStyleName(std::string_view line) {
    std::size_t start = line.find(backupStyle) + backupStyle.size() + 2;
    std::size_t pallier = line.find("pour pallier", start);
    if (pallier == notFound)
        unreadableLine();
    return cutView(line, start, pallier - 1, nameLength);
}

}  // namespace

void readStyle(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    bool executed = startsWith(text, styleExecuted);
    bool prepared = startsWith(text, stylePrepared);
    bool backup = startsWith(text, backupStyle);
    if (!executed && !prepared && !backup)
        return;
    stats.noStyle = false;
    stats.castMode = false;
    std::string_view name = backup ? backupStyleName(line) : executedStyleName(line);
    setCurrentStyle(stats, name);
    weaponOfStyle(stats);
    findWeaponStyle(stats);
    if (executed) {
        stats.styledHitPending = true;
        appendValue(currentWeaponStyleEntry(stats).styleBonus, firstNumber(text));
    }
}

void readAbandon(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    bool abandoned = startsWith(text, combatMode) ||
                     startsWith(text, "Vous n'êtes plus en train de vous préparer à utiliser"_l1) ||
                     startsWith(text, fumble) || contains(line, tooFar) ||
                     contains(line, notInView);
    if (!abandoned)
        return;
    setCurrentStyle(stats, styleNone);
    stats.noStyle = true;
    stats.castMode = false;
}

void readStyleFailure(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (!startsWith(text, styleFailed))
        return;
    currentWeaponStyleEntry(stats).styleFailCount += 1;
    setCurrentStyle(stats, styleNone);
    weaponOfStyle(stats);
    findWeaponStyle(stats);
    stats.noStyle = true;
    stats.castMode = false;
}

void readSpellCast(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (!startsWith(text, spellCast))
        return;
    std::size_t start = line.find(spellCast) + spellCast.size() + 1;
    std::size_t end = line.find(" !", start);
    if (end == notFound)
        unreadableLine();
    stats.currentSpell = findOrAddSpell(stats, cutView(line, start, end, nameLength));
    stats.lastCastTime = lineTime(line);
    stats.castMode = true;
    stats.touchTarget = TouchTarget::spell;
    slotAt(stats.spells, stats.currentSpell).castCount += 1;
    stats.healTarget = unknownName;
}

void announceEffect(std::string_view line, PartStats& stats, TouchTarget target) {
    stats.touchTarget = target;
    stats.lastCastTime = lineTime(line);
}

bool isMeleeAttackEvent(std::string_view line) {
    std::string_view text = messageText(line);
    bool attackLine = startsWith(text, attack) && !startsWith(text, normalSpeedAgain) &&
                      !startsWith(text, renewedFerocity);
    return attackLine || startsWith(text, missedSwing) || contains(line, "pare votre attaque") ||
           contains(line, "esquive votre attaque") || contains(line, "bloque votre attaque") ||
           startsWith(text, cannotDamage) || startsWith(text, movedAndMissed);
}

void setCurrentStyle(PartStats& stats, std::string_view name) {
    stats.currentStyle.assign(name.substr(0, nameLength));
}

void extractWeaponName(std::string_view line, PartStats& stats) {
    std::size_t votre = line.find("votre ");
    std::size_t comma = line.find(',');
    if (votre == notFound || comma == notFound || comma < votre)
        unreadableLine();
    stats.currentWeapon.assign(cutView(line, votre + 6, comma, weaponNameLength));
}

void stopSwingTimer(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (contains(line, combatMode) || contains(line, tooFar) || startsWith(text, fumble) ||
        startsWith(line, logClosed) || startsWith(line, logOpened) || contains(line, notInView) ||
        startsWith(text, "Vous devez avoir une cible pour utiliser un style de combat !")) {
        stats.swingTimerValid = false;
    }
}

void trackSwingSpeed(std::string_view line, PartStats& stats) {
    if (!isMeleeAttackEvent(line))
        return;
    std::int64_t now = stampSeconds(line);
    std::int64_t previous = stats.lastSwingSecond;
    stats.lastSwingSecond = now;
    if (stats.swingTimerValid)
        bookInterval(stats, secondsBetween(previous, now));
    else
        stats.swingTimerValid = true;
}

void armAutoFire(std::string_view line, PartStats& stats) {
    if (startsWith(messageText(line), autoFire)) {
        if (stats.autoFireArmed)
            stats.shotTimerValid = false;
        stats.autoFireArmed = true;
    }
}

void stopShotTimer(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (startsWith(text, fumble) || startsWith(text, "Prêt à tirer"_l1) ||
        startsWith(text, "Vous ne voyez pas votre cible !") ||
        startsWith(text, "Votre tir est interrompu !") ||
        startsWith(text, "Vous vous déplacez et interrompez votre tir "_l1) ||
        startsWith(text, "Vous êtes trop fatigué pour utiliser "_l1) ||
        startsWith(line, logClosed) || startsWith(line, logOpened) ||
        contains(line, "interrompant votre tir") || contains(text, tooFar)) {
        stats.shotTimerValid = false;
        stats.autoFireArmed = false;
    }
}

void trackShotSpeed(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    bool shotEvent = startsWith(text, missedSwing) || startsWith(text, shot) ||
                     contains(line, "esquive votre attaque") || startsWith(text, cannotDamage);
    if (!shotEvent)
        return;
    std::int64_t previous = stats.lastShotSecond;
    if (!stats.autoFireArmed && stats.shotTimerValid)
        stats.shotTimerValid = false;
    if (!stats.autoFireArmed)
        return;
    std::int64_t now = stampSeconds(line);
    stats.lastShotSecond = now;
    if (stats.shotTimerValid)
        bookInterval(stats, secondsBetween(previous, now));
    else
        stats.shotTimerValid = true;
    stats.autoFireArmed = false;
}

}  // namespace torvelin
