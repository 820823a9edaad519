#include "record/reward_tables.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"

namespace torvelin {

namespace {

// The index of the entry named `name` among the first `count` entries of `table`, or -1.
template <class Entry, class NameOf>
std::int32_t findByName(const std::vector<Entry>& table, std::int32_t count, std::string_view name,
                        NameOf nameOf) {
    std::int32_t used = std::min(count, static_cast<std::int32_t>(table.size()));
    for (std::int32_t i = 0; i < used; ++i) {
        if (nameOf(table[static_cast<std::size_t>(i)]) == name)
            return i;
    }
    return -1;
}

}  // namespace

void addWithCarry(std::int64_t& value, std::int64_t& billions, std::int64_t amount) {
    value = saturatingAdd(value, amount);
    if (value > splitCounterBase) {
        value -= splitCounterBase;
        billions = saturatingAdd(billions, 1);
    }
}

std::int32_t findOrAddMonster(PartStats& stats, std::string_view name, std::string_view line) {
    std::string_view stored = name.substr(0, nameLength);
    std::int32_t found =
        findByName(stats.monsters, stats.monsterCount, stored,
                   [](const MonsterEntry& m) -> const std::string& { return m.name; });
    if (found >= 0)
        return found;
    if (stats.monsterCount >= monsterCapacity)
        fatalError("trop de monstres différents affrontés"_l1, line);
    std::int32_t index = stats.monsterCount++;
    // Entry 0 may already hold what was credited before the first monster died.
    slotAt(stats.monsters, index).name = stored;
    return index;
}

std::int32_t findOrAddLoot(MonsterEntry& monster, std::string_view name, std::string_view line) {
    std::string_view stored = name.substr(0, nameLength);
    std::int32_t found =
        findByName(monster.loots, monster.lootCount(), stored,
                   [](const LootEntry& loot) -> const std::string& { return loot.name; });
    if (found >= 0)
        return found;
    if (monster.lootCount() >= lootCapacity)
        fatalError("trop de loots avec ce monstre", line);
    monster.loots.push_back(LootEntry{std::string(stored), 0});
    return monster.lootCount() - 1;
}

void findOrAddKiller(PartStats& stats, std::string_view name, std::string_view line) {
    std::string stored = fitName(name, killerNameLength);
    std::int32_t found =
        findByName(stats.killers, stats.killerCount(), stored,
                   [](const KillerEntry& killer) -> const std::string& { return killer.name; });
    if (found >= 0) {
        ++stats.killers[static_cast<std::size_t>(found)].deaths;
        return;
    }
    if (stats.killerCount() >= killerCapacity)
        fatalError("trop de meurtriers", line);
    stats.killers.push_back(KillerEntry{stored, 1});
}

std::int32_t findOrAddCraft(PartStats& stats, std::string_view name, std::string_view line) {
    std::string stored = fitName(name, nameLength);
    std::int32_t found =
        findByName(stats.crafts, stats.craftCount, stored,
                   [](const CraftEntry& craft) -> const std::string& { return craft.name; });
    if (found >= 0)
        return found;
    if (stats.craftCount >= craftCapacity)
        fatalError("trop d'objets craftés"_l1, line);
    std::int32_t index = stats.craftCount++;
    // Entry 0 keeps the results met before the first item was started.
    slotAt(stats.crafts, index).name = stored;
    return index;
}

std::int32_t findOrAddSkill(CraftEntry& craft, std::string_view name, std::string_view line) {
    std::string stored = fitName(name, nameLength);
    std::int32_t found =
        findByName(craft.skills, craft.skillCount(), stored,
                   [](const SkillGain& skill) -> const std::string& { return skill.skillName; });
    if (found >= 0)
        return found;
    if (craft.skillCount() >= skillCapacity)
        fatalError("trop d'artisanats différents"_l1, line);
    craft.skills.push_back(SkillGain{stored, 0});
    return craft.skillCount() - 1;
}

void openKillEntry(PartStats& stats, std::string_view victimName, bool killedByPlayer,
                   std::string_view line) {
    if (stats.lastKill + 1 >= killCapacity)
        fatalError("trop de victimes", line);
    ++stats.lastKill;
    KillEntry& entry = slotAt(stats.kills, stats.lastKill);
    entry = KillEntry{};
    entry.victimName = fitName(victimName, killedByPlayer ? boldVictimNameLength : nameLength);
    entry.killedByPlayer = killedByPlayer;
}

KillEntry* newestKill(PartStats& stats) {
    if (stats.lastKill < 0)
        return nullptr;
    return &slotAt(stats.kills, stats.lastKill);
}

}  // namespace torvelin
