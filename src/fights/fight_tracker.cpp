#include "fights/fight_tracker.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <span>
#include <utility>

#include "base/text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace torvelin {
namespace {

constexpr std::string_view logOpening = "*** Journal ouvert : ";
constexpr std::int32_t wholeDay = 24 * 3600;
// Half a day in seconds: a clock that steps back by more than that has passed midnight.
constexpr std::int32_t halfDaySeconds = 12 * 3600;
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

// How often a byte stands in the text of a log: 0 for the least common.
constexpr int commonness(char c) {
    constexpr std::string_view byCommonness[] = {" esaitnrulo", "dcmpv',.!"};
    for (std::size_t rank = 0; rank < std::size(byCommonness); ++rank) {
        if (byCommonness[rank].find(c) != std::string_view::npos)
            return static_cast<int>(std::size(byCommonness) - rank);
    }
    return 0;
}

// A phrase to find inside a text, with the places of its two bytes least likely to stand
// elsewhere: the search looks for both at sixteen places at a time, and compares the whole phrase
// only where they stand.
struct SoughtPhrase {
    std::string_view text;
    std::size_t rare = 0;
    std::size_t nextRare = 0;
};

constexpr SoughtPhrase sought(std::string_view text) {
    SoughtPhrase phrase{text, 0, 0};
    if (text.size() < 2)
        return phrase;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (commonness(text[i]) < commonness(text[phrase.rare]))
            phrase.rare = i;
    }
    phrase.nextRare = phrase.rare == 0 ? 1 : 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != phrase.rare && commonness(text[i]) < commonness(text[phrase.nextRare]))
            phrase.nextRare = i;
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

// The first place where `phrase` may stand in a text that starts with `start`: a place inside the
// start only if the rest of the start begins the phrase, or the phrase lies within it.
constexpr std::size_t firstPlaceAfter(std::string_view start, std::string_view phrase) {
    for (std::size_t at = 0; at < start.size(); ++at) {
        std::size_t overlap = std::min(phrase.size(), start.size() - at);
        if (start.substr(at, overlap) == phrase.substr(0, overlap))
            return at;
    }
    return start.size();
}

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

std::uint64_t eightBytes(const char* at) {
    std::uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

std::uint32_t fourBytes(const char* at) {
    std::uint32_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Whether the `size` bytes at `here` are those of `phrase`: eight at a time, the last eight
// overlapping those before (four at a time for a shorter phrase); most tries fail at once.
[[gnu::always_inline]] inline bool holdsAt(const char* here, std::string_view phrase) {
    const std::size_t size = phrase.size();
    if (size < 4)
        return size == 0 || std::memcmp(here, phrase.data(), size) == 0;
    if (size < 8) {
        return fourBytes(here) == fourBytes(phrase.data()) &&
               fourBytes(here + size - 4) == fourBytes(phrase.data() + size - 4);
    }
    for (std::size_t at = 0; at + 8 < size; at += 8) {
        if (eightBytes(here + at) != eightBytes(phrase.data() + at))
            return false;
    }
    return eightBytes(here + size - 8) == eightBytes(phrase.data() + size - 8);
}

[[gnu::always_inline]] inline bool hasStart(std::string_view text, std::string_view start) {
    return start.size() <= text.size() && holdsAt(text.data(), start);
}

// The places among the sixteen from `at` where the phrase's two rarest bytes stand, one bit each;
// the bytes read lie in the text.
[[gnu::always_inline]] inline unsigned rarePairsAt(const char* at, const SoughtPhrase& phrase) {
    const char rare = phrase.text[phrase.rare];
    const char nextRare = phrase.text[phrase.nextRare];
#if defined(__SSE2__)
    __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + phrase.rare));
    __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + phrase.nextRare));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(first, _mm_set1_epi8(rare)),
                                        _mm_cmpeq_epi8(second, _mm_set1_epi8(nextRare)))));
#else
    unsigned pairs = 0;
    for (unsigned i = 0; i < 16; ++i)
        pairs |= static_cast<unsigned>(at[phrase.rare + i] == rare &&
                                       at[phrase.nextRare + i] == nextRare)
                 << i;
    return pairs;
#endif
}

// The place of the first occurrence of `phrase` (two bytes at least) in `text` from `from` on.
[[gnu::always_inline]] inline std::size_t findPhrase(std::string_view text, std::size_t from,
                                                     const SoughtPhrase& phrase) {
    const std::size_t size = phrase.text.size();
    if (text.size() < size || from > text.size() - size)
        return notFound;
    const std::size_t places = text.size() - size + 1;  // where the phrase may start
    const char* data = text.data();
    auto firstOf = [&](std::size_t at, unsigned pairs) {
        for (; pairs != 0; pairs &= pairs - 1) {
            std::size_t place = at + static_cast<std::size_t>(__builtin_ctz(pairs));
            if (holdsAt(data + place, phrase.text))
                return place;
        }
        return notFound;
    };
    if (places < 16) {
        for (std::size_t at = from; at < places; ++at) {
            if (data[at + phrase.rare] == phrase.text[phrase.rare] &&
                data[at + phrase.nextRare] == phrase.text[phrase.nextRare] &&
                holdsAt(data + at, phrase.text))
                return at;
        }
        return notFound;
    }
    // Sixteen places at a time, the last sixteen overlapping those before (without the places
    // before `from`).
    std::size_t at = from;
    for (; at + 16 <= places; at += 16) {
        if (std::size_t place = firstOf(at, rarePairsAt(data + at, phrase)); place != notFound)
            return place;
    }
    if (at == places)
        return notFound;
    std::size_t last = places - 16;
    return firstOf(last, rarePairsAt(data + last, phrase) & (~0u << (at - last)));
}

bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

constexpr std::uint64_t eachByte = 0x0101010101010101;

// The bytes of `word` that are not digits, one bit each at the top of its byte (a byte's test
// never carries into the next).
std::uint64_t notDigits(std::uint64_t word) {
    std::uint64_t values = word ^ (eachByte * '0');  // a digit becomes 0 to 9
    return (((values & (eachByte * 0x7F)) + eachByte * 0x76) | values) & (eachByte * 0x80);
}

constexpr std::int64_t noAmount = -1;

// The first number of the text from `from` on, as firstNumber reads it; noAmount when the text
// holds no digit there. Eight bytes are looked at at once (the first the lowest): for the first
// digit, then for the end of the number, whose digits are turned into it in three steps of pairs.
std::int64_t amountFrom(std::string_view text, std::size_t from) {
    const char* data = text.data();
    std::size_t at = from;
    if constexpr (std::endian::native == std::endian::little) {
        for (; at + 8 <= text.size(); at += 8) {
            std::uint64_t digits = ~notDigits(eightBytes(data + at)) & (eachByte * 0x80);
            if (digits != 0) {
                at += static_cast<unsigned>(__builtin_ctzll(digits)) / 8;
                break;
            }
        }
        if (at + 8 <= text.size()) {
            std::uint64_t word = eightBytes(data + at);
            if (std::uint64_t others = notDigits(word); others != 0) {
                auto count = static_cast<unsigned>(__builtin_ctzll(others)) / 8;
                // The number's digits at the top of the word, zeros before them.
                std::uint64_t value = (word ^ (eachByte * '0')) << (64 - 8 * count);
                value = (value * 10 + (value >> 8)) & 0x00FF00FF00FF00FF;
                value = (value * 100 + (value >> 16)) & 0x0000FFFF0000FFFF;
                return static_cast<std::int64_t>((value * 10000 + (value >> 32)) & 0xFFFFFFFF);
            }
        }
    }
    while (at < text.size() && !isDigit(data[at]))
        ++at;
    if (at == text.size())
        return noAmount;
    std::int64_t value = 0;
    for (; at < text.size() && isDigit(data[at]); ++at)
        value = std::min<std::int64_t>(value * 10 + (data[at] - '0'), 2147483647);
    return value;
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

// Whether the text, which starts with the start of the row at `I`, starts with the phrase at `B`
// of its `butNot` (compared after that start, when it begins with it), or with one of the phrases
// `B...`.
template <std::size_t I, std::size_t B>
[[gnu::always_inline]] inline bool startsWithException(std::string_view text) {
    constexpr std::string_view other = eventRows[I].butNot[B];
    constexpr std::size_t known =
        other.starts_with(eventRows[I].start) ? eventRows[I].start.size() : 0;
    return other.size() <= text.size() && holdsAt(text.data() + known, other.substr(known));
}

template <std::size_t I, std::size_t... B>
[[gnu::always_inline]] inline bool startsWithException([[maybe_unused]] std::string_view text,
                                                       std::index_sequence<B...>) {
    return (startsWithException<I, B>(text) || ...);
}

// The event of the row at `I` of the event table when it holds in the text, none otherwise. Each
// row has its own copy, in which its phrases are constants.
template <std::size_t I>
[[gnu::always_inline]] inline FightEvent eventOfRow(std::string_view text) {
    constexpr const EventRow& row = eventRows[I];
    if (!hasStart(text, row.start))
        return {};
    if constexpr (row.notByPlayer) {
        if (hasStart(text, "Vous"))
            return {};
    }
    if (startsWithException<I>(text, std::make_index_sequence<row.butNot.size()>()))
        return {};
    // A phrase that is the row's start, or none, stands at the start.
    std::size_t at = 0;
    if constexpr (!row.phrase.text.empty() && row.phrase.text != row.start) {
        constexpr std::size_t from = firstPlaceAfter(row.start, row.phrase.text);
        at = findPhrase(text, from, row.phrase);
        if (at == notFound)
            return {};
    }
    if constexpr (!row.amount) {
        return {row.kind, row.dealtKind, 0};
    } else {
        std::int64_t amount = amountFrom(text, at + row.phrase.text.size());
        if (amount == noAmount)
            return {};
        return {row.kind, row.dealtKind, static_cast<std::int32_t>(amount)};
    }
}

template <std::size_t First, std::size_t... I>
[[gnu::always_inline]] inline FightEvent eventOfRows([[maybe_unused]] std::string_view text,
                                                     std::index_sequence<I...>) {
    FightEvent event;
    static_cast<void>(((event = eventOfRow<First + I>(text), event.kind != K::none) || ...));
    return event;
}

// The event of the group at `Group`: of its first row that holds, or a death or a kill (the last
// groups, which have no rows); none when it has none.
template <std::size_t Group>
FightEvent eventOfGroup(std::string_view text) {
    if constexpr (Group == static_cast<std::size_t>(G::death)) {
        return hasStart(text, "Vous êtes mort"_l1) ? FightEvent{K::death} : FightEvent{};
    } else if constexpr (Group == static_cast<std::size_t>(G::kill)) {
        // The victim is the text before the phrase, of one character at least.
        std::size_t kill = findPhrase(text, 1, killPhrase);
        return kill == notFound
                   ? FightEvent{}
                   : FightEvent{K::kill, DealtKind::weapon, static_cast<std::int32_t>(kill)};
    } else {
        constexpr RowRange rows = rowsOfGroups[Group];
        return eventOfRows<rows.first>(text, std::make_index_sequence<rows.end - rows.first>());
    }
}

static_assert(static_cast<int>(G::death) + 1 == static_cast<int>(G::kill) &&
                  static_cast<int>(G::kill) + 1 == static_cast<int>(G::count) &&
                  rowsOfGroups[static_cast<std::size_t>(G::death)].end == 0 &&
                  rowsOfGroups[static_cast<std::size_t>(G::kill)].end == 0,
              "a death or a kill is the event of a line only when no row holds");

// The groups that have rows.
constexpr FightPhraseSet rowGroups = everyFightPhrase &
                                     ~(FightPhraseSet{1} << static_cast<int>(G::death)) &
                                     ~(FightPhraseSet{1} << static_cast<int>(G::kill));

using GroupReader = FightEvent (*)(std::string_view text);

template <std::size_t... Group>
constexpr std::array<GroupReader, sizeof...(Group)> groupReaders(std::index_sequence<Group...>) {
    return {&eventOfGroup<Group>...};
}

constexpr auto readersOfGroups =
    groupReaders(std::make_index_sequence<static_cast<std::size_t>(G::count)>());

// The event of the first group of `found` that has one: the other groups are known to have none.
FightEvent eventOfText(std::string_view text, FightPhraseSet found) {
    for (FightPhraseSet left = found; left != 0; left &= left - 1) {
        FightEvent event = readersOfGroups[static_cast<std::size_t>(__builtin_ctz(left))](text);
        if (event.kind != K::none)
            return event;
    }
    return {};
}

}  // namespace

FightEvent fightEventOf(std::string_view text, FightPhraseSet found) {
    return eventOfText(text, found & rowGroups);
}

FightEvent readFightEvent(std::string_view line, FightPhraseSet found) {
    found &= everyFightPhrase;
    if (found == 0)
        return {};
    std::string_view text = messageText(line);
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    if (startsWith(text, "@@") || startsWith(text, "["))
        return {};                   // chat
    if ((found & (found - 1)) == 0)  // one group, as on most lines
        return readersOfGroups[static_cast<std::size_t>(__builtin_ctz(found))](text);
    return eventOfText(text, found);
}

namespace {

void moveToNextDay(CalendarDate& date) {
    if (++date.day <= daysInMonth(date.year, date.month))
        return;
    date.day = 1;
    if (++date.month <= 12)
        return;
    date.month = 1;
    ++date.year;
}

}  // namespace

bool trackNewTimeStamp(std::string_view line, FightLog& log) {
    std::int32_t clock = 0;
    if (!readFightClock(line, clock)) {
        if (startsWith(line, logOpening)) {
            closeFight(log);
            log.dated = readOpeningDate(line, log.date);
            log.clockSeen = false;
        }
        return false;
    }
    if (log.clockSeen && log.lastClock - clock > halfDaySeconds && log.dated)
        moveToNextDay(log.date);
    log.clockSeen = true;
    log.lastClock = clock;
    log.stampHead = stampHeadOf(line);
    log.stampEnd = stampEndOf(line);
    log.stampHeadClock = clock - (line[8] - '0');
    return true;
}

void trackFightEvent(std::string_view line, FightEvent event, std::int32_t clock, std::int32_t part,
                     FightLog& log) {
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
