#include "fights/fight_tracker.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "base/text.h"

namespace torvelin {
namespace {

constexpr std::string_view logOpening = "*** Journal ouvert : ";
constexpr std::int32_t wholeDay = 24 * 3600;
// The most a wait between two hostile events adds to a fight's active time.
constexpr std::int64_t activeGapLimit = 5;

constexpr std::string_view weaponHitExceptions[] = {
    "Vous attaquez à nouveau à vitesse normale"_l1,
    "Vous attaquez avec une férocité renouvelée!"_l1,
};
constexpr std::string_view siegeShots[] = {
    "Vous tirez avec votre le trébuchet !"_l1,
    "Vous tirez droit au zénith !"_l1,
    "Vous tirez avec votre la catapulte !"_l1,
    "Vous tirez avec votre le palintone !"_l1,
};

// A phrase to find inside a line, with the place of its byte least likely to stand elsewhere:
// the search looks for that byte, not for the first one (often a blank or a common letter).
struct SoughtPhrase {
    std::string_view text;
    std::size_t rare = 0;
};

constexpr SoughtPhrase sought(std::string_view text) {
    constexpr std::string_view byCommonness[] = {" esaitnrulo", "dcmpv',.!"};
    auto commonness = [&](char c) {
        for (std::size_t rank = 0; rank < std::size(byCommonness); ++rank) {
            if (byCommonness[rank].find(c) != std::string_view::npos)
                return std::size(byCommonness) - rank;
        }
        return std::size_t{0};
    };
    SoughtPhrase phrase{text, 0};
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (commonness(text[i]) < commonness(text[phrase.rare]))
            phrase.rare = i;
    }
    return phrase;
}

// A row of the event table, of phrase group `group`: the text starts with `start` but with none of
// `butNot`, does not start with "Vous" when `notByPlayer`, and holds `phrase`; the amount, when
// the row has one, is the first number after the phrase's first occurrence.
struct EventRow {
    FightPhraseGroup group;
    FightEventKind kind;
    DealtKind dealtKind;
    std::string_view start;
    SoughtPhrase phrase;
    bool amount;
    std::span<const std::string_view> butNot;
    bool notByPlayer;
};

using G = FightPhraseGroup;
using K = FightEventKind;

constexpr EventRow dealtRow(G group, DealtKind kind, std::string_view start,
                            std::string_view phrase, std::span<const std::string_view> butNot = {},
                            bool notByPlayer = false) {
    return {group, K::dealt, kind, start, sought(phrase), true, butNot, notByPlayer};
}

constexpr EventRow takenRow(std::string_view start, std::string_view phrase) {
    return {G::taken, K::taken, DealtKind::weapon, start, sought(phrase), true, {}, false};
}

// A missed or avoided attack, which has no amount.
constexpr EventRow countRow(G group, K kind, std::string_view start, std::string_view phrase) {
    return {group, kind, DealtKind::weapon, start, sought(phrase), false, {}, false};
}

constexpr EventRow healRow(std::string_view start) {
    return {G::heal, K::heal, DealtKind::weapon, start, sought(start), true, {}, false};
}

// The first row that holds gives the event.
constexpr EventRow eventRows[] = {
    dealtRow(G::dealtStart, DealtKind::weapon, "Vous attaquez", "infligez ", weaponHitExceptions),
    dealtRow(G::dealtStart, DealtKind::ranged, "Vous tirez", "infligez ", siegeShots),
    dealtRow(G::dealtStart, DealtKind::spell, "Vous touchez", "infligez "),
    dealtRow(G::proc, DealtKind::proc, "", "Vous frappez et infligez"),
    dealtRow(G::critical, DealtKind::critical, "", "Vous réussissez un coup critique"_l1),
    dealtRow(G::effect, DealtKind::effect, "", " subit ", {}, true),
    takenRow("Vous encaissez", "Vous encaissez"),
    takenRow("", " vous frappe pour "),
    takenRow("", " vous blesse pour "),
    countRow(G::missed, K::missed, "Vous ratez votre coup", ""),
    countRow(G::missed, K::missed, "Vous ratez lamentablement", ""),
    countRow(G::missed, K::missed, "Vous ne parvenez pas à endommager"_l1, ""),
    countRow(G::missed, K::missed, "Votre déplacement vous a fait rater votre coup !"_l1, ""),
    countRow(G::missed, K::missed, "", "bloque votre attaque"),
    countRow(G::missed, K::missed, "", "pare votre attaque"),
    countRow(G::missed, K::missed, "", "esquive votre attaque"),
    countRow(G::avoided, K::avoided, "", "rate son coup !"),
    countRow(G::avoided, K::avoided, "", "vous attaque, mais vous "),
    healRow("Vous soignez "),
    healRow("Vous vous soignez"),
};

constexpr SoughtPhrase killPhrase = sought(" meurt !");

bool holds(FightPhraseSet found, FightPhraseGroup group) {
    return (found >> static_cast<int>(group) & 1) != 0;
}

std::uint64_t eightBytes(const char* at) {
    std::uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Whether `text` holds `phrase` at `at`; the phrase fits there. Its first and last eight bytes are
// compared at once, which is the whole of a phrase of up to 16 bytes; most tries fail there.
bool holdsAt(std::string_view text, std::size_t at, std::string_view phrase) {
    const char* here = text.data() + at;
    std::size_t size = phrase.size();
    if (size < 8)
        return size == 0 || std::memcmp(here, phrase.data(), size) == 0;
    if (eightBytes(here) != eightBytes(phrase.data()) ||
        eightBytes(here + size - 8) != eightBytes(phrase.data() + size - 8))
        return false;
    return size <= 16 || std::memcmp(here + 8, phrase.data() + 8, size - 16) == 0;
}

bool hasStart(std::string_view text, std::string_view start) {
    return start.size() <= text.size() && holdsAt(text, 0, start);
}

// The place of the first occurrence of `phrase` in `text`.
std::size_t findPhrase(std::string_view text, const SoughtPhrase& phrase) {
    if (phrase.text.empty())
        return 0;
    const char key = phrase.text[phrase.rare];
    const std::size_t size = phrase.text.size();
    for (std::size_t from = phrase.rare; from < text.size();) {
        const void* found = std::memchr(text.data() + from, key, text.size() - from);
        if (found == nullptr)
            return notFound;
        auto keyAt = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        std::size_t at = keyAt - phrase.rare;
        if (at + size > text.size())
            return notFound;
        if (holdsAt(text, at, phrase.text))
            return at;
        from = keyAt + 1;
    }
    return notFound;
}

// The first number of the text from `from` on, as readFirstNumber reads it: it mostly follows
// the phrase at once, so the first few bytes are looked at one by one.
bool readAmount(std::string_view text, std::size_t from, std::int32_t& amount) {
    constexpr std::size_t nearby = 4;
    std::size_t end = std::min(text.size(), from + nearby);
    for (std::size_t at = from; at < end; ++at) {
        if (text[at] < '0' || text[at] > '9')
            continue;
        std::int64_t value = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
            value = std::min<std::int64_t>(value * 10 + (text[at] - '0'), 2147483647);
        amount = static_cast<std::int32_t>(value);
        return true;
    }
    return readFirstNumber(textFrom(text, end), amount);
}

// The rows of each phrase group, which stand together in the group's order.
struct RowRange {
    std::size_t first = 0;
    std::size_t end = 0;
};

constexpr auto rowsOfGroups = [] {
    std::array<RowRange, static_cast<std::size_t>(G::count)> ranges{};
    for (std::size_t i = std::size(eventRows); i-- > 0;) {
        auto group = static_cast<std::size_t>(eventRows[i].group);
        if (i > 0 && eventRows[i - 1].group > eventRows[i].group)
            throw "the rows of the event table stand in the order of their groups";
        ranges[group].first = i;
        if (ranges[group].end == 0)
            ranges[group].end = i + 1;
    }
    return ranges;
}();

bool isHostile(FightEventKind kind) {
    return kind == FightEventKind::dealt || kind == FightEventKind::taken ||
           kind == FightEventKind::missed || kind == FightEventKind::avoided;
}

// The time from clock `from` to clock `to`; a step back of more than twelve hours passed
// midnight.
std::int64_t secondsBetween(std::int32_t from, std::int32_t to) {
    std::int64_t seconds = to - from;
    return seconds < -halfDaySeconds ? seconds + wholeDay : seconds;
}

bool isLeapYear(std::int32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::int32_t daysInMonth(std::int32_t year, std::int32_t month) {
    constexpr std::array<std::int32_t, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The value of a word of digits only, held at 100000 past it; false for any other word.
bool readDigits(std::string_view word, std::int32_t& value) {
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = std::min(value * 10 + (c - '0'), 100000);
    }
    return true;
}

// The date of a log opening "*** Journal ouvert : Www Mmm DD hh:mm:ss YYYY": the words after the
// prefix, between blanks, give the month (second word, its English abbreviation), the day (third
// word, digits, a day of that month) and the year (fifth word, four digits). The weekday and the
// time are not read, nor what follows the year.
bool readOpeningDate(std::string_view line, CalendarDate& date) {
    constexpr std::array<std::string_view, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string_view text = line.substr(logOpening.size());
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    std::array<std::string_view, 5> words;
    std::size_t count = 0;
    std::size_t at = 0;
    while (count < words.size()) {
        while (at < text.size() && isBlank(text[at]))
            ++at;
        if (at == text.size())
            return false;
        std::size_t start = at;
        while (at < text.size() && !isBlank(text[at]))
            ++at;
        words[count++] = text.substr(start, at - start);
    }
    auto month = std::find(months.begin(), months.end(), words[1]);
    std::int32_t day = 0;
    std::int32_t year = 0;
    if (month == months.end() || !readDigits(words[2], day) || words[4].size() != 4 ||
        !readDigits(words[4], year))
        return false;
    auto monthNumber = static_cast<std::int32_t>(month - months.begin()) + 1;
    if (day < 1 || day > daysInMonth(year, monthNumber))
        return false;
    date = {year, monthNumber, day};
    return true;
}

// The hostile event joins the open fight, or opens a new one.
Fight& fightOfHostileEvent(FightLog& log, std::int32_t clock, bool joins, std::int64_t since,
                           std::int32_t part) {
    if (joins) {
        Fight& fight = log.fights.back();
        fight.gaps += since;
        fight.activeGaps += std::min(since, activeGapLimit);
        fight.end = clock;
        return fight;
    }
    Fight& fight = openFight(log);
    fight.part = part;
    fight.dated = log.dated;
    fight.date = log.date;
    fight.start = clock;
    fight.end = clock;
    return fight;
}

void bookHostileEvent(FightLog& log, Fight& fight, const FightEvent& event, std::int32_t clock) {
    switch (event.kind) {
        case K::dealt:
            fight.damageDealt += event.amount;
            fight.hitsDealt += 1;
            fight.dealtByKind[event.dealtKind] += event.amount;
            addToSeries(log, fight.gaps, event.amount, 0);
            break;
        case K::taken:
            fight.damageTaken += event.amount;
            fight.hitsTaken += 1;
            addRecentHit(log, fight.gaps, {clock, event.amount});
            addToSeries(log, fight.gaps, 0, event.amount);
            break;
        case K::missed:
            fight.missed += 1;
            break;
        default:
            fight.avoided += 1;
            break;
    }
}

// The death closes its fight, with the latest hits taken at most 30 s before it.
void bookDeath(FightLog& log, Fight& fight, std::int32_t clock, std::int64_t since) {
    FightDeath& death = log.deaths.emplace_back();
    death.fight = log.fights.size() - 1;
    death.clock = clock;
    fight.death = static_cast<std::int32_t>(log.deaths.size() - 1);
    std::int64_t deathSecond = fight.gaps + since;
    std::size_t total = log.recentHitTotal;
    for (std::size_t k = total > deathRecapLength ? total - deathRecapLength : 0; k < total; ++k) {
        const RecentHit& recent = log.recentHits[k % deathRecapLength];
        if (deathSecond - recent.second <= deathRecapSeconds)
            death.recap[static_cast<std::size_t>(death.recapLength++)] = recent.hit;
    }
    closeFight(log);
}

// The first row of the rows of `group` that holds.
bool readRowOfGroup(std::string_view text, G group, FightEvent& event) {
    const RowRange& rows = rowsOfGroups[static_cast<std::size_t>(group)];
    for (std::size_t i = rows.first; i < rows.end; ++i) {
        const EventRow& row = eventRows[i];
        if (!hasStart(text, row.start) || (row.notByPlayer && startsWith(text, "Vous")))
            continue;
        if (std::any_of(row.butNot.begin(), row.butNot.end(),
                        [text](std::string_view other) { return hasStart(text, other); }))
            continue;
        // A phrase that is the row's start stands at the start.
        std::size_t at = row.phrase.text == row.start ? 0 : findPhrase(text, row.phrase);
        if (at == notFound)
            continue;
        event = {row.kind, row.dealtKind, 0};
        if (row.amount && !readAmount(text, at + row.phrase.text.size(), event.amount))
            continue;
        return true;
    }
    return false;
}

}  // namespace

FightEvent fightEventOf(std::string_view text, FightPhraseSet found) {
    FightEvent event;
    // The groups in their order: the first row that holds is in the first group that has one.
    for (FightPhraseSet left = found & everyFightPhrase; left != 0; left &= left - 1) {
        if (readRowOfGroup(text, static_cast<G>(__builtin_ctz(left)), event))
            return event;
    }
    return {};
}

FightEvent readFightEvent(std::string_view line, FightPhraseSet found) {
    if (found == 0)
        return {};
    std::string_view text = messageText(line);
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    if (startsWith(text, "@@") || startsWith(text, "["))
        return {};  // chat
    FightEvent event = fightEventOf(text, found);
    if (event.kind != K::none)
        return event;
    if (holds(found, G::death) && hasStart(text, "Vous êtes mort"_l1)) {
        event.kind = K::death;
    } else if (holds(found, G::kill)) {
        // The victim is the text before the phrase, of one character at least.
        if (std::size_t kill = findPhrase(textFrom(text, 1), killPhrase); kill != notFound) {
            event.kind = K::kill;
            event.amount = static_cast<std::int32_t>(kill + 1);
        }
    }
    return event;
}

void moveToNextDay(CalendarDate& date) {
    if (++date.day <= daysInMonth(date.year, date.month))
        return;
    date.day = 1;
    if (++date.month <= 12)
        return;
    date.month = 1;
    ++date.year;
}

void trackLogOpening(std::string_view line, FightLog& log) {
    if (!startsWith(line, logOpening))
        return;
    closeFight(log);
    log.dated = readOpeningDate(line, log.date);
    log.clockSeen = false;
}

void trackFightEvent(std::string_view line, const FightEvent& event, std::int32_t clock,
                     std::int32_t part, FightLog& log) {
    std::int64_t since = log.fightOpen ? secondsBetween(log.fights.back().end, clock) : -1;
    bool inTime = since >= 0 && since < log.pauseSeconds;
    if (isHostile(event.kind)) {
        Fight& fight = fightOfHostileEvent(log, clock, inTime, since, part);
        bookHostileEvent(log, fight, event, clock);
        return;
    }
    if (!inTime)
        return;  // a heal, kill or death after the pause belongs to no fight
    Fight& fight = log.fights.back();
    if (event.kind == K::heal) {
        fight.healing += event.amount;
        fight.heals += 1;
    } else if (event.kind == K::death) {
        bookDeath(log, fight, clock, since);
    } else {
        fight.victims.emplace_back(
            messageText(line).substr(0, static_cast<std::size_t>(event.amount)));
    }
}

}  // namespace torvelin
