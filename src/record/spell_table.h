// The spell table of a part.
#pragma once

#include <cstdint>
#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// The index of the spell called `name`, added when new. A stored name that begins with `name`
// matches it.
std::int32_t findOrAddSpell(PartStats& stats, std::string_view name);

// The spell named by the latest cast line. Lines of a cast's second may be booked before any cast
// was read (the record starts with a cast time of 0), so the entry is created on demand.
SpellEntry& currentSpellEntry(PartStats& stats);

}  // namespace torvelin
