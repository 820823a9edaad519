// The statistics record of one log part: every line parser writes into it and the analysis page
// of the part is written from it.
//
// Each table grows with what the log holds and keeps a count of entries in use. Some tables are
// written at the current index before that entry is counted (an attack booked before the first
// weapon is known goes to entry 0, which the first lookup then takes into use with what it already
// holds): `slotAt` gives such an entry, creating it empty when it does not exist yet.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "record/name_index.h"
#include "record/value_list.h"

namespace torvelin {

// Usable lengths of the name fields.
inline constexpr std::size_t nameLength = 49;
inline constexpr std::size_t weaponNameLength = 59;
inline constexpr std::size_t killerNameLength = 50;
inline constexpr std::size_t boldVictimNameLength = 42;

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

// Kinds of spell, learnt from the lines that follow a cast.
enum class SpellKind { unclassified, singleTarget, heal, area };

struct SpellEntry {
    ValueList hitDamage;
    SpellKind spellKind = SpellKind::unclassified;
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
    NameIndex lootIndex;
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

// An array indexed by the values of an enumeration whose last value `count` gives its size: only
// the enumeration's values index it.
template <class Kind, class Item>
struct KindArray {
    std::array<Item, static_cast<std::size_t>(Kind::count)> items{};

    Item& operator[](Kind kind) { return items[static_cast<std::size_t>(kind)]; }
    const Item& operator[](Kind kind) const { return items[static_cast<std::size_t>(kind)]; }
    auto begin() { return items.begin(); }
    auto end() { return items.end(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }
    bool operator==(const KindArray&) const = default;
};

// Every value of an enumeration with a last value `count`, in order.
template <class Kind>
constexpr auto allKinds() {
    std::array<Kind, static_cast<std::size_t>(Kind::count)> kinds{};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        kinds[i] = static_cast<Kind>(i);
    return kinds;
}

// The kind of attack on the player that the latest line announced: the damage taken next is
// booked under it.
enum class IncomingKind {
    poison,
    melee,
    arrow,
    disease,
    violentPoison,
    addedDamage,
    bleeding,
    spell,
    count
};

// The lasting effects the player gives, each with the damage of its ticks.
enum class GivenEffect { poison, addedDamage, damageShield, bleeding, acidPoison, disease, count };

// What the damage of the next "Vous touchez" line of the same second belongs to: the spell just
// cast, a given effect just announced (the magic surge is a weapon proc), or nothing any more.
enum class TouchTarget { spell, poison, bleeding, magicSurge, acidPoison, disease, consumed };

// Attacks on the player that did not hit him.
enum class Avoidance { enemyMiss, block, parry, evade, barrierAbsorbed, guard, count };

struct PartStats {
    // Weapon attacks.
    bool castMode = false;  // a spell cast came after the latest weapon action
    std::string currentWeapon = unknownWeapon;
    std::vector<WeaponStyleEntry> weaponStyles;
    std::int32_t weaponStyleCount = 0;
    bool noStyle = true;  // the next outcome carries no style
    bool styledHitPending = false;
    std::int32_t currentWeaponStyle = 0;
    std::string currentStyle;
    std::int32_t styleWeaponCount = 0;
    std::vector<StyleWeaponLink> styleWeapons;
    std::int64_t lastSwingClock = 0;
    bool multiAttackArmed = false;
    bool doublePending = false;
    bool triplePending = false;
    std::int32_t tripleCount = 0;
    std::int32_t quadrupleCount = 0;

    // Spells and effects.
    bool addedDamagePending = false;
    std::vector<SpellEntry> spells;
    std::int32_t currentSpell = 0;
    std::int32_t spellCount = 0;
    std::int64_t lastCastTime = 0;
    std::string healTarget = unknownName;

    // Attack speed.
    std::int64_t lastSwingSecond = 0;
    bool swingTimerValid = false;
    std::int64_t lastShotSecond = 0;
    bool shotTimerValid = false;
    bool autoFireArmed = false;
    std::int64_t castStartSecond = -1;

    // Damage taken and defence.
    ValueList meleeHitsTaken;
    KindArray<Avoidance, std::int32_t> avoidances;
    std::int32_t effectsResisted = 0;
    std::int32_t barrierPierced = 0;
    IncomingKind incomingKind = IncomingKind::spell;
    KindArray<IncomingKind, ValueList> receivedDamage;

    // Crafting.
    std::vector<CraftEntry> crafts;
    NameIndex craftIndex;
    std::int32_t craftCount = 0;
    std::int32_t currentCraft = 0;

    // Lasting effects given.
    KindArray<GivenEffect, ValueList> givenEffects;
    TouchTarget touchTarget = TouchTarget::poison;
    bool berserkActive = false;
    bool interceptPending = false;

    // Kills, deaths, experience, loot.
    std::string lastKillerName = unknownName;
    std::int64_t lastDuelEndTime = -1;
    bool monsterDeathPending = true;
    std::vector<MonsterEntry> monsters;
    NameIndex monsterIndex;
    std::vector<KillEntry> kills;
    std::int64_t lastVictimTime = -1;
    bool playerKillPending = false;
    std::int32_t monsterCount = 0;
    std::int32_t currentMonster = 0;
    std::string lastVictimName = unknownName;
    bool lastVictimBold = false;
    std::int32_t lastKill = -1;
    bool lootOpen = false;
    std::vector<KillerEntry> killers;
    NameIndex killerIndex;

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
