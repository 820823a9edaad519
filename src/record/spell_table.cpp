#include "record/spell_table.h"

#include "base/text.h"

namespace torvelin {

std::int32_t findOrAddSpell(PartStats& stats, std::string_view name) {
    for (std::int32_t i = 0; i < stats.spellCount; ++i) {
        if (startsWith(stats.spells[static_cast<std::size_t>(i)].name, name))
            return i;
    }
    std::int32_t index = stats.spellCount++;
    // A slot may already hold samples booked to it before its first cast line.
    slotAt(stats.spells, index).name = fitName(name, nameLength);
    return index;
}

SpellEntry& currentSpellEntry(PartStats& stats) {
    return slotAt(stats.spells, stats.currentSpell);
}

}  // namespace torvelin
