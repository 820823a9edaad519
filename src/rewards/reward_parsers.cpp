#include "rewards/reward_parsers.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"
#include "record/reward_tables.h"

namespace torvelin {

namespace {

MonsterEntry& currentMonsterEntry(PartStats& stats) {
    return slotAt(stats.monsters, stats.currentMonster);
}

// The bonus, group and "fort" parts of an experience line: "(bonus : 1.500)" and the like.
void creditExperienceParts(std::string_view line, PartStats& stats) {
    static constexpr std::array<std::string_view, 3> keywords = {"bonus", "groupe", "fort"};
    for (std::size_t k = 1; k <= keywords.size(); ++k) {
        std::size_t at = line.find(keywords[k - 1]);
        if (at == notFound)
            continue;
        std::size_t close = line.find(')', at);
        if (close == notFound)
            unreadableLine();
        MonsterEntry& monster = currentMonsterEntry(stats);
        addWithCarry(monster.xp[k], monster.xpBillions[k], readDottedNumber(line, at, close));
    }
}

// The amount of the first "pieces" of a money line at or after `cursor`, moving the cursor past
// the coin name.
std::int64_t coinsAt(std::string_view line, std::size_t& cursor, std::string_view coinName) {
    std::size_t at = line.find(coinName, cursor);
    if (at == notFound)
        return 0;
    std::int64_t amount = firstNumberAt(line, cursor);
    cursor = at + coinName.size();
    return amount;
}

}  // namespace

std::int64_t readDottedNumber(std::string_view line, std::size_t start, std::size_t bound) {
    constexpr std::int64_t limit = 2147483647;
    std::int64_t amount = 0;
    std::size_t cursor = start;
    for (;;) {
        amount = std::min(amount * 1000 + firstNumberAt(line, cursor), limit);
        std::size_t dot = line.find('.', cursor);
        if (dot == notFound || dot + 1 > bound)
            return amount;
        cursor = dot + 1;
    }
}

void parseMonsterDeath(std::string_view line, PartStats& stats) {
    std::size_t at = line.find("meurt !");
    if (at == notFound)
        return;
    stats.monsterDeathPending = true;
    stats.lootOpen = false;
    // The name stands before the blank that precedes "meurt !".
    std::string_view name =
        at > messageStart ? cutView(line, messageStart, at - 1, nameLength) : "";
    stats.currentMonster = findOrAddMonster(stats, name);
}

void parseExperience(std::string_view line, PartStats& stats) {
    constexpr std::string_view prefix = "Vous recevez ";
    std::string_view text = messageText(line);
    if (!startsWith(text, prefix))
        return;
    std::size_t pointsInText = text.find(" points d'expérience"_l1);
    if (pointsInText == notFound)
        return;
    std::size_t points = messageStart + pointsInText;
    std::int64_t amount = readDottedNumber(line, messageStart + prefix.size(), points);

    creditExperienceParts(line, stats);

    if (!stats.monsterDeathPending) {
        // Experience of a realm kill; dropped while no kill is known.
        if (KillEntry* kill = newestKill(stats))
            kill->xp = saturatingAdd(kill->xp, amount);
        return;
    }
    stats.lootOpen = true;
    MonsterEntry& monster = currentMonsterEntry(stats);
    ++monster.killCount;
    addWithCarry(monster.xp[0], monster.xpBillions[0], amount);
}

void parseRealmPoints(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);
    if (!startsWith(text, "Vous gagnez"))
        return;
    // Realm points belong to the victim of a kill message of the same second only.
    if (lineTime(line) != stats.lastVictimTime) {
        stats.lastVictimName = unknownName;
        stats.lastVictimBold = false;
    }
    bool extra = contains(text, "points de royaume supplémentaires !"_l1);
    if (extra || contains(text, "realm point!") || contains(text, "realm points!")) {
        if (!extra) {
            openKillEntry(stats, stats.lastVictimName, stats.lastVictimBold);
            stats.lastVictimName = unknownName;
            stats.lastVictimBold = false;
        }
        if (KillEntry* kill = newestKill(stats))
            kill->realmPoints = saturatingAdd(kill->realmPoints, firstNumber(text));
        stats.monsterDeathPending = false;
    }
    if (contains(text, "Prime de Royaume!") || contains(text, "Primes de Royaume!")) {
        if (KillEntry* kill = newestKill(stats))
            kill->bounties = saturatingAdd(kill->bounties, firstNumber(text));
    }
}

void parseMoney(std::string_view line, PartStats& stats) {
    constexpr std::string_view share = "Votre part du butin se compose de ";
    constexpr std::string_view pickUp = "Vous ramassez";
    std::string_view text = messageText(line);
    std::size_t cursor = messageStart;
    if (startsWith(text, share)) {
        cursor += share.size();
    } else if (startsWith(text, pickUp) && firstNumber(text) != 0) {
        cursor += pickUp.size();
    } else {
        return;
    }
    std::int64_t copper = 10000 * coinsAt(line, cursor, "pièces d'or"_l1);
    copper += 100 * coinsAt(line, cursor, "pièces d'argent"_l1);
    copper += coinsAt(line, cursor, "pièces de cuivre"_l1);
    MonsterEntry& monster = currentMonsterEntry(stats);
    monster.moneyCopper = saturatingAdd(monster.moneyCopper, copper);
}

void parseLoot(std::string_view line, PartStats& stats) {
    constexpr std::string_view leaves = "laisse ";
    std::size_t inText = messageText(line).find(leaves);
    if (inText == notFound)
        return;
    std::size_t begin = messageStart + inText + leaves.size();
    std::size_t end = line.find('.', begin);
    if (end == notFound)
        unreadableLine();
    MonsterEntry& monster = currentMonsterEntry(stats);
    std::int32_t loot = findOrAddLoot(monster, cutView(line, begin, end, nameLength));
    ++monster.loots[static_cast<std::size_t>(loot)].times;
}

void parseOpenLoot(std::string_view line, PartStats& stats) {
    if (stats.lootOpen)
        parseLoot(line, stats);
}

}  // namespace torvelin
