#include "rewards/craft_parser.h"

#include <string>

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"
#include "record/reward_tables.h"
#include "record/value_list.h"

namespace torvelin {

namespace {

CraftEntry& currentCraftEntry(PartStats& stats) {
    return slotAt(stats.crafts, stats.currentCraft);
}

// The name between `prefix` (at the start of the message text) and the first `endMark` of the
// line; a line without the mark cannot be read.
std::string nameUpTo(std::string_view line, std::string_view prefix, char endMark) {
    std::size_t end = line.find(endMark);
    if (end == notFound)
        unreadableLine();
    return cutText(line, messageStart + prefix.size(), end, nameLength);
}

}  // namespace

void parseCraftLine(std::string_view line, PartStats& stats) {
    std::string_view text = messageText(line);

    constexpr std::string_view start = "Vous commencez le travail sur ";
    if (startsWith(text, start))
        stats.currentCraft = findOrAddCraft(stats, nameUpTo(line, start, '.'));

    if (startsWith(text, "Vous avez réussi votre confection. Vous avez désormais "_l1)) {
        // The first number of the message is the quality of the product, in percent.
        appendValue(currentCraftEntry(stats).qualities, firstNumber(text));
    }

    if (startsWith(text, "Vous ne réussissez pas à confectionner"_l1)) {
        if (contains(line, "mais ne perdez aucun matériau !"_l1))
            ++currentCraftEntry(stats).failuresNoLoss;
        if (contains(line, "et perdez une partie des matériaux !"_l1))
            ++currentCraftEntry(stats).failuresWithLoss;
    }

    constexpr std::string_view skillRise = "Vous devenez plus doué en "_l1;
    if (startsWith(text, skillRise)) {
        CraftEntry& craft = currentCraftEntry(stats);
        std::int32_t skill = findOrAddSkill(craft, nameUpTo(line, skillRise, '!'));
        ++craft.skills[static_cast<std::size_t>(skill)].gains;
    }
}

}  // namespace torvelin
