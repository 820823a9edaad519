#include "fights/fight_tracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/latin1.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::logLine;

// Lines of the log, each "HH:MM:SS message", read in turn into a new fight log.
FightLog track(const std::vector<std::string>& lines, std::int32_t pause = defaultFightPause) {
    FightLog log;
    log.pauseSeconds = pause;
    for (const std::string& line : lines) {
        bool stamped = line.size() > 9 && line[2] == ':' && line[8] == ' ';
        std::string read = stamped ? logLine(line.substr(9), line.substr(0, 8)) : line + "\n";
        trackFightLine(read, readFightEvent(read, everyFightPhrase), 0, log);
    }
    return log;
}

struct Row {
    std::string text;
    FightEventKind kind;
    DealtKind dealtKind;
    std::int32_t amount;
};

TEST(FightEvents, TheFirstRowThatHoldsGivesTheEvent) {
    using K = FightEventKind;
    using D = DealtKind;
    const Row rows[] = {
        {"Vous attaquez le loup avec votre dague, et infligez 40 (+3) points!", K::dealt, D::weapon,
         40},
        {"Vous tirez sur le loup avec votre arc, et infligez 85 points!", K::dealt, D::ranged, 85},
        {"Vous touchez le loup et infligez 18 points de dégâts."_l1, K::dealt, D::spell, 18},
        {"Vous frappez et infligez 33 points de dégâts."_l1, K::dealt, D::proc, 33},
        {"Vous réussissez un coup critique et infligez 46 points !"_l1, K::dealt, D::critical, 46},
        {"Le loup subit 6 points de dégâts supplémentaires."_l1, K::dealt, D::effect, 6},
        {"Vous encaissez 12 points de dégâts."_l1, K::taken, D::weapon, 12},
        {"Le loup vous frappe pour 56 points de dégâts."_l1, K::taken, D::weapon, 56},
        {"Le loup vous blesse pour 7 points."_l1, K::taken, D::weapon, 7},
        {"Vous ratez votre coup !", K::missed, D::weapon, 0},
        {"Vous ne parvenez pas à endommager le mur !"_l1, K::missed, D::weapon, 0},
        {"Le loup esquive votre attaque !", K::missed, D::weapon, 0},
        {"Le loup rate son coup !", K::avoided, D::weapon, 0},
        {"Le loup vous attaque, mais vous parez le coup.", K::avoided, D::weapon, 0},
        {"Vous soignez Arwen de 158 points de vie.", K::heal, D::weapon, 158},
        {"Vous vous soignez de 90 points de vie.", K::heal, D::weapon, 90},
        // Amounts: the first run of digits after the phrase, held at 2^31 - 1.
        {"Vous encaissez 99999999999 points.", K::taken, D::weapon, 2147483647},
        {"Le 3e loup vous frappe pour 5 points.", K::taken, D::weapon, 5},
        // An earlier row wins; a row without a digit after its phrase lets the next ones try.
        {"Vous attaquez le loup avec votre dague, et infligez 9! Le loup subit 4", K::dealt,
         D::weapon, 9},
        {"Vous attaquez le loup avec votre dague, et infligez rien. Le loup subit 4", K::dealt,
         D::weapon, 4},
        {"Le loup subit 4 points, puis Vous frappez et infligez un coup", K::dealt, D::effect, 4},
        {"Vous tirez droit au zénith ! Vous frappez et infligez 8"_l1, K::dealt, D::proc, 8},
        {"Vous attaquez à nouveau à vitesse normale, et infligez 5"_l1, K::none, D::weapon, 0},
        {"Vous tirez avec votre le palintone ! et infligez 5", K::none, D::weapon, 0},
        {"Vous subit 5 points", K::none, D::weapon, 0},
        {"Vous réussissez un coup critique !"_l1, K::none, D::weapon, 0},
        {"Vous soignez tout le monde.", K::none, D::weapon, 0},
        {"Le loup meurt !", K::none, D::weapon, 0},
    };
    for (const Row& row : rows) {
        FightEvent event = fightEventOf(row.text);
        EXPECT_EQ(event.kind, row.kind) << row.text;
        if (row.kind == K::dealt) {
            EXPECT_EQ(event.dealtKind, row.dealtKind) << row.text;
        }
        EXPECT_EQ(event.amount, row.amount) << row.text;
    }
}

TEST(FightEvents, AmountsOfAnyLengthAnywhereAfterThePhrase) {
    // The bytes after the phrase are read eight at a time: a number may start and end at any of
    // them, and stand beside bytes from 0x80 on.
    for (std::string_view digits : {"98765432109876", "13579753113579"}) {
        for (std::size_t length = 1; length <= digits.size(); ++length) {
            std::string number(digits.substr(digits.size() - length));
            std::int64_t value = std::min<std::int64_t>(std::stoll(number), 2147483647);
            for (std::string_view before : {"", " ", "\xFF", " (", "\xFA\xFF ", " de ", "  de  ",
                                            " Arwen de ", " la grande Arwen de "}) {
                for (std::string_view after : {"", ".", "\xFF", " points", " (+3) points"}) {
                    std::string text = "Le loup vous frappe pour ";
                    text += before;
                    text += number;
                    text += after;
                    FightEvent event = fightEventOf(text);
                    EXPECT_EQ(event.kind, FightEventKind::taken) << text;
                    EXPECT_EQ(event.amount, value) << text;
                }
            }
        }
    }
}

const std::string hit = "Le loup vous frappe pour 10 points.";
const std::string blow = "Vous frappez et infligez 30 points.";

TEST(FightCutting, PauseMidnightAndStepsBack) {
    // P - 1 seconds join, P seconds open a new fight; a heal never opens or lengthens one.
    FightLog log = track({"10:00:00 " + blow, "10:00:14 " + blow, "10:00:20 Vous vous soignez de 5",
                          "10:00:29 " + blow, "10:00:30 " + hit});
    ASSERT_EQ(log.fights.size(), 2u);
    EXPECT_EQ(log.fights[0].durationSeconds(), 15);
    EXPECT_EQ(log.fights[0].activeSeconds(), 6);
    EXPECT_EQ(log.fights[0].heals, 1);
    EXPECT_EQ(log.fights[0].end, 36014);
    EXPECT_EQ(log.fights[1].start, 36029);
    EXPECT_EQ(log.fights[1].durationSeconds(), 2);

    // Past midnight the fight goes on; a step back in time opens a new one; so does a log
    // opening.
    log = track({"23:59:58 " + blow, "00:00:03 " + hit, "00:00:02 " + blow,
                 "*** Journal ouvert : Mon Dec 07 20:00:00 2026", "00:00:03 " + blow},
                10);
    ASSERT_EQ(log.fights.size(), 3u);
    EXPECT_EQ(log.fights[0].durationSeconds(), 6);
    EXPECT_EQ(log.fights[0].damageTaken, 10);
    EXPECT_EQ(log.fights[1].durationSeconds(), 1);
    EXPECT_EQ(log.fights[2].date.day, 7);
    EXPECT_FALSE(log.fights[1].dated);
}

TEST(FightDates, LeapDaysMidnightAndUnreadableOpenings) {
    FightLog log = track({"*** Journal ouvert : Thu Feb 28 22:00:00 2024", "23:59:59 " + blow,
                          "00:00:01 @@[Guilde] Karl : \"minuit\"", "00:30:00 " + blow,
                          "*** Journal ouvert : Thu Feb  29 22:00:00 2024 et la suite",
                          "22:00:00 " + blow, "01:00:00 " + blow,
                          "*** Journal ouvert : Fri Feb 29 22:00:00 2023", "22:00:00 " + blow});
    ASSERT_EQ(log.fights.size(), 5u);
    auto date = [&log](std::size_t i) {
        const Fight& fight = log.fights[i];
        return fight.dated
                   ? std::to_string(fight.date.year) + "-" + std::to_string(fight.date.month) +
                         "-" + std::to_string(fight.date.day)
                   : std::string("unknown");
    };
    EXPECT_EQ(date(0), "2024-2-28");
    EXPECT_EQ(date(1), "2024-2-29");  // the chat line at midnight moved the date
    EXPECT_EQ(date(2), "2024-2-29");
    EXPECT_EQ(date(3), "2024-3-1");
    EXPECT_EQ(date(4), "unknown");  // no 29 February in 2023
    // Lines without a full time stamp have no clock: [24:00:00] is none.
    log = track({"*** Journal ouvert : Thu Dec 31 22:00:00 2026", "23:00:00 " + blow,
                 "[24:00:00] " + blow, "[23:00:01]" + blow, "00:00:00 " + blow});
    ASSERT_EQ(log.fights.size(), 2u);
    EXPECT_EQ(log.fights[1].date.year, 2027);
}

TEST(FightFollowUps, HealsKillsAndDeaths) {
    // A heal alone opens nothing; a kill after the pause belongs to no fight.
    FightLog log = track({"10:00:00 Vous soignez Arwen de 50 points de vie.", "10:00:01 " + blow,
                          "10:00:05 Le loup meurt !", "10:00:16 Le second loup meurt !",
                          "10:00:17 Vous encaissez 3 et le loup meurt !"});
    ASSERT_EQ(log.fights.size(), 2u);
    EXPECT_EQ(log.fights[0].heals, 0);
    EXPECT_EQ(log.fights[0].victims, std::vector<std::string>{"Le loup"});
    EXPECT_TRUE(log.fights[1].victims.empty());

    // A death closes its fight and keeps the hits taken at most 30 s before it...
    auto hitsUntilDeath = [](int first, int step, int last, std::string_view death) {
        std::vector<std::string> lines;
        for (int second = first; second <= last; second += step)
            lines.push_back("10:00:" + std::to_string(second) + " Vous encaissez " +
                            std::to_string(second) + " points.");
        lines.push_back(std::string(death) + " Vous êtes mort."_l1.view().data());
        lines.push_back("10:00:51 " + hit);
        return lines;
    };
    log = track(hitsUntilDeath(10, 3, 43, "10:00:50"));
    ASSERT_EQ(log.fights.size(), 2u);
    ASSERT_EQ(log.deaths.size(), 1u);
    const FightDeath& death = log.deaths[0];
    EXPECT_EQ(log.fights[0].death, 0);
    EXPECT_EQ(death.clock, 36050);
    ASSERT_EQ(death.recapLength, 8);  // from 10:00:22 on: 10:00:19 came 31 s before
    EXPECT_EQ(death.recap[0].amount, 22);
    EXPECT_EQ(death.recap[7].amount, 43);
    EXPECT_EQ(log.fights[1].death, -1);
    // ...the latest 10 of them.
    log = track(hitsUntilDeath(20, 2, 40, "10:00:45"));
    ASSERT_EQ(log.deaths.at(0).recapLength, 10);
    EXPECT_EQ(log.deaths[0].recap[0].amount, 22);
    EXPECT_EQ(log.deaths[0].recap[9].amount, 40);
}

}  // namespace
}  // namespace torvelin
