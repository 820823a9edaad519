// The statistics record of one log part: every line parser writes into it and the analysis page
// of the part is written from it.
//
// Each table keeps its capacity as a limit and a count of entries in use. Storage grows with what
// the log holds. Some tables are written at the current index before that entry is counted (an
// attack booked before the first weapon is known goes to entry 0, which the first lookup then
// takes into use with what it already holds): `slotAt` gives such an entry, creating it empty when
// it does not exist yet.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stats/value_list.h"

namespace torvelin {

// Usable lengths of the name fields.
inline constexpr std::size_t nameLength = 49;
inline constexpr std::size_t weaponNameLength = 59;
inline constexpr std::size_t killerNameLength = 50;
inline constexpr std::size_t boldVictimNameLength = 42;

// Table capacities.
inline constexpr std::int32_t weaponStyleCapacity = 100;
inline constexpr std::int32_t styleWeaponCapacity = 100;
inline constexpr std::int32_t spellCapacity = 80;
inline constexpr std::int32_t craftCapacity = 200;
inline constexpr std::int32_t skillCapacity = 10;
inline constexpr std::int32_t monsterCapacity = 500;
inline constexpr std::int32_t lootCapacity = 100;
inline constexpr std::int32_t killCapacity = 5000;
inline constexpr std::int32_t killerCapacity = 1000;

// Reserved names.
inline constexpr const char* unknownWeapon = "Inconnue";
inline constexpr const char* unknownName = "Inconnu";
inline constexpr const char* styleNone = "Sans style";
inline constexpr const char* styleRanged = "Range";
inline constexpr const char* styleMultiple = "Multiple";

// The statistics of one (weapon, style) pair.
struct WeaponStyleEntry {
    ValueList hitDamage;
    ValueList critDamage;
    ValueList preciseShotDamage;
    ValueList attackIntervals;
    std::int32_t missCount = 0;
    std::int32_t styleFailCount = 0;
    std::int32_t fumbleCount = 0;
    std::int32_t evadedCount = 0;
    std::int32_t parriedCount = 0;
    std::int32_t blockedCount = 0;
    std::int32_t barrierCount = 0;
    ValueList procDamage;
    ValueList styleBonus;
    ValueList hitModifier;  // paired index by index with hitDamage
    ValueList preciseShotModifier;
    std::string weaponName;
    std::string styleName;
};

// The weapon that last hit with a style.
struct StyleWeaponLink {
    std::string weaponName;
    std::string styleName;
};

// Kinds of spell.
inline constexpr std::int32_t spellUnclassified = 0;
inline constexpr std::int32_t spellSingleTarget = 1;
inline constexpr std::int32_t spellHeal = 2;
inline constexpr std::int32_t spellArea = 3;

struct SpellEntry {
    ValueList hitDamage;
    std::int32_t spellKind = spellUnclassified;
    ValueList critDamage;
    ValueList castTimes;
    ValueList cappedHeals;
    std::int32_t missCount = 0;
    std::int32_t resistCount = 0;
    std::int32_t castCount = 0;
    ValueList hitModifier;
    std::string name;
};

struct LootEntry {
    std::string name;
    std::int32_t times = 0;
};

// Experience counters are split: value + billions x 1,000,000,000.
inline constexpr std::int64_t splitCounterBase = 1000000000;

struct MonsterEntry {
    std::string name;
    std::array<std::int64_t, 4> xp{};  // 0 total, 1 bonus, 2 groupe, 3 fort
    std::array<std::int64_t, 4> xpBillions{};
    std::int64_t moneyCopper = 0;
    std::vector<LootEntry> loots;
    std::int32_t killCount = 0;

    std::int32_t lootCount() const { return static_cast<std::int32_t>(loots.size()); }
};

struct KillEntry {
    std::string victimName;
    bool killedByPlayer = false;  // written in bold in the hunting table
    std::int64_t realmPoints = 0;
    std::int64_t bounties = 0;
    std::int64_t xp = 0;
};

struct KillerEntry {
    std::string name;
    std::int32_t deaths = 0;
};

struct SkillGain {
    std::string skillName;
    std::int32_t gains = 0;
};

struct CraftEntry {
    std::string name;
    ValueList qualities;
    std::int32_t failuresNoLoss = 0;
    std::int32_t failuresWithLoss = 0;
    std::vector<SkillGain> skills;

    std::int32_t skillCount() const { return static_cast<std::int32_t>(skills.size()); }
};

// Incoming attack kinds, and the given-effect lists.
inline constexpr std::size_t incomingKindCount = 8;
inline constexpr std::int32_t incomingSpell = 7;
inline constexpr std::size_t givenEffectCount = 6;
inline constexpr std::size_t defenceCountSlots = 7;

// Slots of the defence counters: attacks on the player that did not hit (slot 6 is unused).
inline constexpr std::size_t enemyMisses = 0;
inline constexpr std::size_t blocks = 1;
inline constexpr std::size_t parries = 2;
inline constexpr std::size_t evades = 3;
inline constexpr std::size_t barrierAbsorbed = 4;
inline constexpr std::size_t guarded = 5;

struct PartStats {
    // Weapon attacks.
    std::int32_t castMode = 0;
    std::string currentWeapon = unknownWeapon;
    std::vector<WeaponStyleEntry> weaponStyles;
    std::int32_t weaponStyleCount = 0;
    std::int32_t noStyle = 1;
    std::int32_t styledHitPending = 0;
    std::int32_t currentWeaponStyle = 0;
    std::string currentStyle;
    std::int32_t styleWeaponCount = 0;
    std::vector<StyleWeaponLink> styleWeapons;
    std::int64_t lastSwingClock = 0;
    std::int32_t multiAttackArmed = 0;
    std::int32_t doublePending = 0;
    std::int32_t triplePending = 0;
    std::int32_t tripleCount = 0;
    std::int32_t quadrupleCount = 0;

    // Spells and effects.
    std::int32_t addedDamagePending = 0;
    std::vector<SpellEntry> spells;
    std::int32_t currentSpell = 0;
    std::int32_t spellCount = 0;
    std::int64_t lastCastTime = 0;
    std::string healTarget = unknownName;

    // Attack speed.
    std::int64_t lastSwingSecond = 0;
    std::int32_t swingTimerValid = 0;
    std::int64_t lastShotSecond = 0;
    std::int32_t shotTimerValid = 0;
    std::int32_t autoFireArmed = 0;
    std::int64_t castStartSecond = -1;

    // Damage taken and defence.
    ValueList meleeHitsTaken;
    std::array<std::int32_t, defenceCountSlots> defenceCounts{};
    std::int32_t effectsResisted = 0;
    std::int32_t barrierPierced = 0;
    std::int32_t incomingKind = incomingSpell;
    std::array<ValueList, incomingKindCount> receivedDamage;

    // Crafting.
    std::vector<CraftEntry> crafts;
    std::int32_t craftCount = 0;
    std::int32_t currentCraft = 0;

    // Lasting effects given.
    std::array<ValueList, givenEffectCount> givenEffects;
    std::int32_t effectKind = 1;
    std::int32_t berserkActive = 0;
    std::int32_t interceptPending = 0;

    // Kills, deaths, experience, loot.
    std::string lastKillerName = unknownName;
    std::int64_t lastDuelEndTime = -1;
    std::int32_t monsterDeathPending = 1;
    std::vector<MonsterEntry> monsters;
    std::vector<KillEntry> kills;
    std::int64_t lastVictimTime = -1;
    std::int32_t playerKillPending = 0;
    std::int32_t monsterCount = 0;
    std::int32_t currentMonster = 0;
    std::string lastVictimName = unknownName;
    bool lastVictimBold = false;
    std::int32_t lastKill = -1;
    std::int32_t lootOpen = 0;
    std::vector<KillerEntry> killers;

    std::int32_t killerCount() const { return static_cast<std::int32_t>(killers.size()); }
};

// A new record with every member at its initial value.
std::unique_ptr<PartStats> newPartStats();

// The entry at `index` of a table whose entries may be written before they are counted; an entry
// not met yet is created empty.
template <class Entry>
Entry& slotAt(std::vector<Entry>& table, std::int32_t index) {
    auto position = static_cast<std::size_t>(index);
    if (position >= table.size())
        table.resize(position + 1);
    return table[position];
}

}  // namespace torvelin
