#include "record/reward_tables.h"

#include <string>
#include <vector>

#include "base/text.h"

namespace torvelin {

void addWithCarry(std::int64_t& value, std::int64_t& billions, std::int64_t amount) {
    value = saturatingAdd(value, amount);
    if (value > splitCounterBase) {
        value -= splitCounterBase;
        billions = saturatingAdd(billions, 1);
    }
}

std::int32_t findOrAddMonster(PartStats& stats, std::string_view name) {
    std::string_view stored = name.substr(0, nameLength);
    auto nameOf = [&stats](std::int32_t row) -> const std::string& {
        return stats.monsters[static_cast<std::size_t>(row)].name;
    };
    std::int32_t found = findInIndex(stats.monsterIndex, stored, nameOf);
    if (found >= 0)
        return found;
    std::int32_t index = stats.monsterCount++;
    // Entry 0 may already hold what was credited before the first monster died.
    slotAt(stats.monsters, index).name = stored;
    addToIndex(stats.monsterIndex, index, stored, nameOf);
    return index;
}

std::int32_t findOrAddLoot(MonsterEntry& monster, std::string_view name) {
    std::string_view stored = name.substr(0, nameLength);
    auto nameOf = [&monster](std::int32_t row) -> const std::string& {
        return monster.loots[static_cast<std::size_t>(row)].name;
    };
    std::int32_t found = findInIndex(monster.lootIndex, stored, nameOf);
    if (found >= 0)
        return found;
    monster.loots.push_back(LootEntry{std::string(stored), 0});
    addToIndex(monster.lootIndex, monster.lootCount() - 1, stored, nameOf);
    return monster.lootCount() - 1;
}

void findOrAddKiller(PartStats& stats, std::string_view name) {
    std::string_view stored = name.substr(0, killerNameLength);
    auto nameOf = [&stats](std::int32_t row) -> const std::string& {
        return stats.killers[static_cast<std::size_t>(row)].name;
    };
    std::int32_t found = findInIndex(stats.killerIndex, stored, nameOf);
    if (found >= 0) {
        ++stats.killers[static_cast<std::size_t>(found)].deaths;
        return;
    }
    stats.killers.push_back(KillerEntry{std::string(stored), 1});
    addToIndex(stats.killerIndex, stats.killerCount() - 1, stored, nameOf);
}

std::int32_t findOrAddCraft(PartStats& stats, std::string_view name) {
    std::string_view stored = name.substr(0, nameLength);
    auto nameOf = [&stats](std::int32_t row) -> const std::string& {
        return stats.crafts[static_cast<std::size_t>(row)].name;
    };
    std::int32_t found = findInIndex(stats.craftIndex, stored, nameOf);
    if (found >= 0)
        return found;
    std::int32_t index = stats.craftCount++;
    // Entry 0 keeps the results met before the first item was started.
    slotAt(stats.crafts, index).name = stored;
    addToIndex(stats.craftIndex, index, stored, nameOf);
    return index;
}

std::int32_t findOrAddSkill(CraftEntry& craft, std::string_view name) {
    std::string_view stored = name.substr(0, nameLength);
    for (std::int32_t i = 0; i < craft.skillCount(); ++i) {
        if (craft.skills[static_cast<std::size_t>(i)].skillName == stored)
            return i;
    }
    craft.skills.push_back(SkillGain{std::string(stored), 0});
    return craft.skillCount() - 1;
}

void openKillEntry(PartStats& stats, std::string_view victimName, bool killedByPlayer) {
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
