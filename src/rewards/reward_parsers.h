// The reward messages: monster deaths, experience and its bonus, group and "fort" parts, realm
// points and bounties of realm kills, money and the items a monster leaves.
//
// The log never names the monster in a reward message, so rewards go to the context left by
// earlier lines: the monster of the last "meurt !" line receives money, loot and the experience
// parts, and the experience itself while its death is pending; once realm points are gained,
// experience goes to the newest realm kill instead.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/latin1.h"
#include "record/line_gate.h"
#include "record/part_stats.h"

namespace torvelin {

// The reward steps, taken in this order on each line: monster death, experience, realm points,
// money; then the loot line while loot is open.
void parseMonsterDeath(std::string_view line, PartStats& stats);
inline constexpr std::string_view monsterDeathPhrase[] = {"meurt !"};
inline constexpr LineGate monsterDeathGate{{}, monsterDeathPhrase};

void parseExperience(std::string_view line, PartStats& stats);
inline constexpr std::string_view experienceStart[] = {"Vous recevez "};
inline constexpr LineGate experienceGate{experienceStart, {}};

void parseRealmPoints(std::string_view line, PartStats& stats);
inline constexpr std::string_view realmPointsStart[] = {"Vous gagnez"};
inline constexpr LineGate realmPointsGate{realmPointsStart, {}};

void parseMoney(std::string_view line, PartStats& stats);
inline constexpr std::string_view moneyStarts[] = {"Votre part du butin se compose de ",
                                                   "Vous ramassez"};
inline constexpr LineGate moneyGate{moneyStarts, {}};

// The loot line, read only while loot is open (parseLoot reads it in any case).
void parseOpenLoot(std::string_view line, PartStats& stats);
void parseLoot(std::string_view line, PartStats& stats);
inline constexpr std::string_view lootPhrase[] = {"laisse "};
inline constexpr LineGate lootGate{{}, lootPhrase};

// A number written with "." between groups of three digits, read from `start` on: the groups
// continue while a "." follows and the group after it does not start beyond `bound`. The amount
// saturates at 2147483647.
std::int64_t readDottedNumber(std::string_view line, std::size_t start, std::size_t bound);

}  // namespace torvelin
