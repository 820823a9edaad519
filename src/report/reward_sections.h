// The last four sections of the analysis page: the player's killers, the hunting table of realm
// kills, experience with money and loot per monster, and crafting. Each is written only when its
// table holds something, on the same condition as its navigation link.
#pragma once

#include <cstdint>
#include <cstdio>

#include "record/part_stats.h"
#include "report/page_context.h"

namespace torvelin {

void writeKillerSection(const PageContext& page, const PartStats& stats);
void writeHuntingSection(const PageContext& page, const PartStats& stats);
void writeExperienceSection(const PageContext& page, const PartStats& stats);
void writeCraftingSection(const PageContext& page, const PartStats& stats);

// The money text of an amount of copper: "2 ors, 35 argents"; copper below 100 is not shown.
void writeMoneyText(std::FILE* out, std::int64_t copper);

}  // namespace torvelin
