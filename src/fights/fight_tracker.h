// The fight tracker: cuts the log into fights and sums each one's damage dealt and taken, heals,
// missed and avoided attacks, kills and death.
//
// The reading loop hands it every line, after the log command of the line and before the
// parsers of the analysis pages, with the line's event: the line feed looks for it beside the
// loop, in the phrase groups that the tracker's gate lets through (see driver/line_feed.h). The
// tracker counts the clock of every time-stamped line for the date (which moves to the next day
// when the clock steps back by more than twelve hours), and reads the date of each log opening,
// which also ends the open fight.
//
// A hostile event (damage dealt or taken, an attack missed or avoided) joins the open fight when
// it comes 0 to P - 1 seconds after that fight's last hostile event, and opens a new fight
// otherwise. A heal, a kill or a death within that time belongs to the open fight without making
// it longer; a death closes it.
#pragma once

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

#include "base/latin1.h"
#include "record/fight_log.h"
#include "record/line_gate.h"

namespace torvelin {

// The tracker's phrases, in groups: a line holds an event of a group (a row of the event table, a
// kill or a death) only if it holds a phrase of that group, at the start of the message text or
// anywhere. The classifier looks for them with the parsers' gates and tells which groups a line
// holds; a line that holds none costs only the reading of its clock.
enum class FightPhraseGroup {
    dealtStart,
    proc,
    critical,
    effect,
    taken,
    missed,
    avoided,
    heal,
    death,
    kill,
    count
};

// A set of phrase groups: bit g for the group of value g.
using FightPhraseSet = std::uint32_t;
inline constexpr FightPhraseSet everyFightPhrase =
    (FightPhraseSet{1} << static_cast<int>(FightPhraseGroup::count)) - 1;

// The phrases of each group's gate: for each phrase of the group, one that a line holding it
// holds. Some are shorter than the tracker's own (a line that holds " subit " holds "subit"): the
// parsers' gates look for them already, and a phrase of several gates is compared once. The
// others are parts of the tracker's phrases whose least common bytes, by which the classifier
// finds a phrase, seldom stand elsewhere: "réussissez", not "Vous " (which begins most lines),
// "s blesse pour", not "esse", and the whole "vous attaque, mais vous ", whose rarest bytes the
// parsers' phrases have already.
inline constexpr std::string_view fightDealtStarts[] = {"Vous attaquez", "Vous tirez",
                                                        "Vous touchez"};
inline constexpr std::string_view fightProcPhrase[] = {"Vous frappez et infligez"};
inline constexpr std::string_view fightCriticalPhrase[] = {"réussissez"_l1};
inline constexpr std::string_view fightEffectPhrase[] = {"subit"};
inline constexpr std::string_view fightTakenStart[] = {"Vous encaissez"};
inline constexpr std::string_view fightTakenPhrases[] = {"vous frappe", "s blesse pour"};
inline constexpr std::string_view fightMissedStarts[] = {
    "Vous ratez votre coup",
    "Vous ratez lamentablement",
    "Vous ne parvenez pas à endommager"_l1,
    "Votre déplacement vous a fait rater votre coup !"_l1,
};
inline constexpr std::string_view fightMissedPhrases[] = {
    "bloque votre attaque",
    "pare votre attaque",
    "esquive votre attaque",
};
inline constexpr std::string_view fightAvoidedPhrases[] = {"rate son coup",
                                                           "vous attaque, mais vous "};
inline constexpr std::string_view fightHealStarts[] = {"Vous soignez ", "Vous vous soignez"};
inline constexpr std::string_view fightDeathStart[] = {"Vous êtes mort"_l1};
inline constexpr std::string_view fightKillPhrase[] = {"meurt !"};

// The gate of each group, in the order of FightPhraseGroup.
inline constexpr LineGate fightPhraseGates[] = {
    {fightDealtStarts, {}},
    {{}, fightProcPhrase},
    {{}, fightCriticalPhrase},
    {{}, fightEffectPhrase},
    {fightTakenStart, fightTakenPhrases},
    {fightMissedStarts, fightMissedPhrases},
    {{}, fightAvoidedPhrases},
    {fightHealStarts, {}},
    {fightDeathStart, {}},
    {{}, fightKillPhrase},
};
static_assert(std::size(fightPhraseGates) == static_cast<std::size_t>(FightPhraseGroup::count));

// What a line is to the fights: a row of the event table (damage dealt or taken, an attack missed
// or avoided, a heal), or else a death or a kill.
enum class FightEventKind : std::uint8_t { none, dealt, taken, missed, avoided, heal, death, kill };

struct FightEvent {
    FightEventKind kind = FightEventKind::none;
    DealtKind dealtKind = DealtKind::weapon;  // of damage dealt
    // The amount of damage or heal; of a kill, the length of the victim's name, which begins the
    // message text.
    std::int32_t amount = 0;
};

// The row of the event table that a message text (the line after "[HH:MM:SS] ", without its line
// break) holds: the first that holds. A row whose amount has no digit after its phrase does not
// hold. Only the rows of the groups `found` are tried: the others are known not to hold.
FightEvent fightEventOf(std::string_view text, FightPhraseSet found = everyFightPhrase);

// The event of a line, looked for in the groups `found` only (all of them, or those the classifier
// found in the line): a row of the event table, or else a death ("Vous êtes mort..."), or else a
// kill ("... meurt !" after one character at least). A chat line, whose message text starts with
// "@@" or "[", has none. It depends on the line alone, so it may be read on another thread than
// the one that tracks the fights.
FightEvent readFightEvent(std::string_view line, FightPhraseSet found);

// The seconds of the day of a line that starts with a full time stamp "[HH:MM:SS] " (hours 00 to
// 23, minutes and seconds 00 to 59, then a blank); false for any other line.
inline bool readFightClock(std::string_view line, std::int32_t& clock) {
    if (line.size() < 11 || line[0] != '[' || line[3] != ':' || line[6] != ':' || line[9] != ']' ||
        line[10] != ' ')
        return false;
    auto digit = [line](std::size_t at) { return static_cast<unsigned>(line[at] - '0'); };
    unsigned hours = digit(1) * 10 + digit(2);
    unsigned minutes = digit(4) * 10 + digit(5);
    unsigned seconds = digit(7) * 10 + digit(8);
    if (digit(1) > 9 || digit(2) > 9 || digit(4) > 9 || digit(5) > 9 || digit(7) > 9 ||
        digit(8) > 9 || hours > 23 || minutes > 59 || seconds > 59)
        return false;
    clock = static_cast<std::int32_t>(hours * 3600 + minutes * 60 + seconds);
    return true;
}

// The first eight bytes of a line of eleven bytes or more, "[HH:MM:S" of a time stamp, and its
// bytes 7 to 10, "S] " and the byte before.
inline std::uint64_t stampHeadOf(std::string_view line) {
    std::uint64_t head = 0;
    std::memcpy(&head, line.data(), sizeof head);
    return head;
}

inline std::uint32_t stampEndOf(std::string_view line) {
    std::uint32_t end = 0;
    std::memcpy(&end, line.data() + 7, sizeof end);
    return end;
}

// The parts of trackFightLine that few lines need: a line whose time stamp is not in the ten
// seconds of the one before (or that has none: a log opening ends the open fight and gives the
// date), which tells whether it has one; and an event.
bool trackNewTimeStamp(std::string_view line, FightLog& log);
void trackFightEvent(std::string_view line, FightEvent event, std::int32_t clock, std::int32_t part,
                     FightLog& log);

// Tracks the fights of `log` through one line and its event (see readFightEvent); `part` is the
// log part now current. Every line comes here: what most lines need is done in place. Most lines
// have the time stamp of the line before them, or its first eight bytes.
inline void trackFightLine(std::string_view line, const FightEvent& event, std::int32_t part,
                           FightLog& log) {
    if (line.size() >= 11 && log.clockSeen && stampHeadOf(line) == log.stampHead) {
        // The ten seconds of the latest time stamp: no day has passed since.
        if (std::uint32_t end = stampEndOf(line); end != log.stampEnd) {
            if (static_cast<unsigned char>(line[8] - '0') >= 10 || line[9] != ']' ||
                line[10] != ' ')
                return;  // no time stamp
            log.lastClock = log.stampHeadClock + (line[8] - '0');
            log.stampEnd = end;
        }
    } else if (!trackNewTimeStamp(line, log)) {
        return;
    }
    if (event.kind != FightEventKind::none)
        trackFightEvent(line, event, log.lastClock, part, log);
}

}  // namespace torvelin
