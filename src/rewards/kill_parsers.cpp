#include "rewards/kill_parsers.h"

#include <string>

#include "base/latin1.h"
#include "base/text.h"
#include "record/reward_tables.h"

namespace torvelin {

namespace {

constexpr std::string_view playerKill = "Vous venez de tuer";
constexpr auto& realmDeath = "vient juste d'être tué dans ["_l1;
constexpr std::string_view death = "vient de mourir";

// Whether a victim phrase found at `position` of the line has a name before it: a phrase at the
// very start of the message text names nobody.
bool namesVictim(std::size_t position) {
    return position != notFound && position > messageStart;
}

// The victim named before a phrase found at `position`: the message text up to the character
// before the phrase (normally the separating blank).
std::string victimBefore(std::string_view line, std::size_t position, std::size_t maxLength) {
    return cutText(line, messageStart, position - 1, maxLength);
}

}  // namespace

void parsePlayerDeath(std::string_view line, PartStats& stats) {
    std::int64_t now = lineTime(line);
    if (contains(line, "Vous êtes mort pour le royaume."_l1)) {
        std::int64_t sinceDuel = now - stats.lastDuelEndTime;
        // A death within a second of the end of a duel is the duel's own end.
        if (sinceDuel > 1 || sinceDuel < -1)
            findOrAddKiller(stats, stats.lastKillerName);
    }
    if (startsWith(messageText(line), "Votre duel est terminé!"_l1))
        stats.lastDuelEndTime = now;
}

void parseKillerName(std::string_view line, PartStats& stats) {
    if (!contains(line, realmDeath))
        return;
    constexpr std::string_view byMarker = "] par ";
    std::size_t by = line.find(byMarker);
    if (by == notFound)
        return;
    std::size_t begin = by + byMarker.size();
    std::size_t end = line.find('!', begin);
    if (end == notFound)
        return;
    stats.lastKillerName = cutText(line, begin, end, killerNameLength);
}

void parseKillMessage(std::string_view line, PartStats& stats) {
    std::size_t realmDeathAt = line.find(realmDeath);
    std::size_t deathInText = messageText(line).find(death);
    std::size_t deathAt = deathInText == notFound ? notFound : messageStart + deathInText;

    if (contains(line, playerKill))
        stats.playerKillPending = true;

    bool victimSeen = false;
    std::string victim;
    bool bold = false;
    if (namesVictim(realmDeathAt)) {
        victim = victimBefore(line, realmDeathAt, nameLength);
        victimSeen = true;
    }
    if (namesVictim(deathAt)) {
        bold = stats.playerKillPending;
        victim = victimBefore(line, deathAt, bold ? boldVictimNameLength : nameLength);
        stats.playerKillPending = false;
        victimSeen = true;
    }
    if (victimSeen) {
        stats.lastVictimName = victim;
        stats.lastVictimBold = bold;
        stats.lastVictimTime = lineTime(line);
    }
}

}  // namespace torvelin
