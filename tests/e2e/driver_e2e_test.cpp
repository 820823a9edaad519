// The program run as a player runs it, in a folder holding the log.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/latin1.h"
#include "base/utf8.h"
#include "driver/program.h"
#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin::testing {
namespace {

const std::string banner = "\t\tTORVELIN par Orsimel   version 0.9  (beta)\n\n";
const std::string channelPasses =
    "\nanalyse du chat Guilde\nanalyse du chat Amis\nanalyse du chat Groupe\nanalyse des messages "
    "prives\nanalyse du chat Alliance\nanalyse du chat General\nanalyse du chat Region\n";

// The processing time depends on the machine: it is checked for its form, then fixed.
std::string withFixedTime(std::string console) {
    const std::string label = "Temps de traitement: ";
    std::size_t at = console.find(label);
    if (at == std::string::npos)
        return console;
    std::size_t end = console.find('s', at + label.size());
    std::string time = console.substr(at + label.size(), end - at - label.size());
    std::size_t comma = time.find(',');
    bool wellFormed = comma != std::string::npos && comma > 0 && comma + 2 == time.size();
    return console.replace(at + label.size(), end - at - label.size(),
                           wellFormed ? "T,t" : "malformed " + time);
}

std::string closing(const std::string& files) {
    return "\n\nTemps de traitement: T,ts\n\nTraitement termine avec succes\n\nlire l'analyse "
           "dans les fichiers " +
           files +
           "les combats dans combats.html, et le chat dans discussions.html\n(dans le meme "
           "dossier)\n\nappuyez sur une touche pour quitter\n";
}

std::string writing(const std::string& part) {
    return "\nanalyse et ecriture de la partie de log nommee \"" + part + "\"\n";
}

// The files in a run's folder, apart from the typed input the run was given.
std::size_t filesIn(const TempFolder& folder) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        files += entry.path().filename() == ".typed-input" ? 0 : 1;
    return files;
}

TEST(ProgramRun, EmptyLogGivesTheFrameOfEveryPage) {
    TempFolder folder;
    folder.write("chat.log", "");
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(withFixedTime(run.console), banner + "Lecture en cours" + writing("Resultats") +
                                              channelPasses + closing("Resultats.html, "));
    EXPECT_EQ(readFile(folder.file("Resultats.html")), expectedFile("driver/Resultats.html"));
    std::string discussions = readFile(folder.file("discussions.html"));
    EXPECT_EQ(discussions.rfind("</tr></table></html>"), discussions.size() - 20);
}

TEST(ProgramRun, OneDotForEveryHundredLines) {
    for (int lines : {99, 100, 199, 200}) {
        TempFolder folder;
        std::string log;
        for (int i = 0; i < lines; ++i)
            log += "[10:00:00] rien\n";
        folder.write("chat.log", log);
        ProgramRun run = runTorvelin(folder);
        std::string dots(static_cast<std::size_t>(lines / 100), '.');
        EXPECT_EQ(run.console.substr(0, banner.size() + 16 + dots.size() + 1),
                  banner + "Lecture en cours" + dots + "\n")
            << lines << " lines";
    }
}

TEST(ProgramRun, DiscussionsPageByChannel) {
    TempFolder folder;
    folder.write("chat.log", expectedFile("driver/chat.log"));
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(readFile(folder.file("discussions.html")), expectedFile("driver/discussions.html"));
    EXPECT_EQ(readFile(folder.file("Resultats.html")), expectedFile("driver/Resultats.html"));
    const std::string warning =
        "\nprobleme avec la conversion de la date du log, l'analyse se poursuit\nligne : *** "
        "Journal ouvert : Tue Dec 08\n\n";
    std::string passes;
    for (const char* name :
         {"du chat Guilde", "du chat Amis", "du chat Groupe", "des messages prives",
          "du chat Alliance", "du chat General", "du chat Region"}) {
        passes += std::string("analyse ") + name + warning + "\n";
    }
    EXPECT_EQ(withFixedTime(run.console), banner + "Lecture en cours" + writing("Resultats") +
                                              "\n" + passes + closing("Resultats.html, "));
}

TEST(ProgramRun, LogPartsGetPagesOfTheirOwn) {
    TempFolder folder;
    folder.write("chat.log",
                 "[10:00:00] [TOUS]:  ]log name Donjon\n"
                 "[10:00:01] Vous visez [Chef <orque>/2]\n"
                 "[10:00:02] [TOUS]:  ]log select\n"
                 "[10:00:03] [TOUS]:  ]log ini\n"
                 "[10:00:04] [TOUS]:  ]log name Donjon\n");
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(withFixedTime(run.console),
              banner + "Lecture en cours" +
                  "\nnouvelle partie de log : Donjon\nnouvelle partie de log : Chef <orque>/2"
                  "\nnouvelle partie de log : Resultats\nnouvelle partie de log : Donjon" +
                  writing("Resultats") + writing("Donjon") + writing("Chef <orque>/2") +
                  channelPasses + closing("Resultats.html, Donjon.html, Chef _orque__2.html, "));
    EXPECT_TRUE(std::filesystem::exists(folder.file("Donjon.html")));
    std::string target = readFile(folder.file("Chef _orque__2.html"));
    EXPECT_EQ(target, expectedFile("driver/Resultats.html"));
}

TEST(ProgramRun, MissingLogWithoutConsoleInputFails) {
    TempFolder folder;
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.console, banner +
                               "le fichier log n'a pas ete trouve \n quel fichier voulez-vous "
                               "analyser ?(q pour quitter)\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("discussions.html")));
}

// The prompt takes a whole line: blanks belong to the name, a carriage return before the line
// break does not, an empty line or a name starting with q is a name like any other, and a last line
// without a line break is one too. Only "q" alone quits.
TEST(ProgramRun, ThePromptReadsWholeLines) {
    TempFolder folder;
    folder.write("mon journal.log", "");
    std::string typed = "\r\nquetes\nmon journal";
    ProgramRun run = runTorvelin(folder, &typed);
    EXPECT_EQ(run.exitStatus, 0);
    const std::string prompt =
        "le fichier log n'a pas ete trouve \n quel fichier voulez-vous analyser ?(q pour "
        "quitter)\n";
    EXPECT_EQ(run.console.substr(0, banner.size() + 3 * prompt.size() + 16),
              banner + prompt + prompt + prompt + "Lecture en cours");
    EXPECT_NE(readFile(folder.file("Resultats.html")).find("Analyse du fichier mon journal.log"),
              std::string::npos);

    TempFolder empty;
    std::string quit = "quitter\nq\n";
    run = runTorvelin(empty, &quit);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.console, banner + prompt + prompt);
    EXPECT_EQ(filesIn(empty), 0u);
}

// A long log passes every former limit of the tables by one, and each page shows every entry.
TEST(ProgramRun, EveryTableGrowsPastItsFormerCapacity) {
    std::string log;
    int clock = 0;
    auto line = [&](std::string_view text, int step = 1) {
        clock += step;
        char stamp[16];
        std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d] ", clock / 3600 % 24, clock / 60 % 60,
                      clock % 60);
        log += stamp + std::string(text) + "\n";
    };
    auto n = [](int i) { return std::to_string(1000 + i); };
    for (int i = 0; i <= 100; ++i) {  // 101 styles, and as many (weapon, style) pairs
        line(std::string("Vous exécutez parfaitement votre Style"_l1) + n(i) + " ! (+1)");
        line("Vous attaquez le loup avec votre hache, et infligez 50 points!");
    }
    for (int i = 0; i <= 20; ++i) {  // 21 weapons, each with a double attack
        line("Vous attaquez le loup avec votre epee " + n(i) + ", et infligez 40 points!", 10);
        line("Vous attaquez le loup avec votre epee " + n(i) + ", et infligez 40 points!", 0);
    }
    for (int i = 0; i <= 20; ++i) {  // 21 ranged weapons
        line("Vous préparez votre tir."_l1);
        line("Vous tirez sur le gobelin avec votre arc " + n(i) + ", et infligez 80 points!");
    }
    for (int i = 0; i <= 80; ++i)  // 81 spells
        line("Vous lancez le sort Sort " + n(i) + " !");
    for (int i = 0; i <= 500; ++i) {  // 501 monsters
        line("Monstre " + n(i) + " meurt !");
        line("Vous recevez 10 points d'expérience."_l1);
    }
    line("Le dragon meurt !");
    line("Vous recevez 10 points d'expérience."_l1);
    for (int i = 0; i <= 100; ++i)  // 101 loots of one monster
        line("Le dragon laisse objet " + n(i) + ".");
    for (int i = 0; i <= 5000; ++i) {  // 5001 realm kills
        line("Victime " + n(i) + " vient de mourir.");
        line("Vous gagnez 10 realm points!", 0);
    }
    for (int i = 0; i <= 1000; ++i) {  // 1001 killers
        line(std::string("Sven vient juste d'être tué dans [Emain] par Tueur "_l1) + n(i) + "!");
        line("Vous êtes mort pour le royaume."_l1, 5);
    }
    for (int i = 0; i <= 200; ++i) {  // 201 crafted items, the first with 11 skills
        line("Vous commencez le travail sur forge " + n(i) + ".");
        line(std::string("Vous avez réussi votre confection. Vous avez désormais forge "_l1) +
             n(i) + " (96%).");
        for (int k = 0; i == 0 && k <= 10; ++k)
            line(std::string("Vous devenez plus doué en art "_l1) + n(k) + " !");
    }
    log += "*** Journal ouvert : Mon Dec 07 23:17:56 2026\n";
    for (int i = 0; i < 30000; ++i)  // 30,001 chat lines, log openings included
        log += "[23:59:59] @@[Guilde] A : \"b\"\n";
    for (int i = 1; i <= 11; ++i)  // twelve parts
        line("[TOUS]:  ]log name P" + std::to_string(i));
    line("Vous attaquez le loup avec votre hache du douzieme, et infligez 50 points!");

    TempFolder folder;
    folder.write("chat.log", log);
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.console.find("ERREUR"), std::string::npos);
    EXPECT_NE(run.console.find("Resultats.html, P1.html, P2.html, P3.html, P4.html, P5.html, "
                               "P6.html, P7.html, P8.html, P9.html, P10.html, P11.html, "),
              std::string::npos);
    std::string page = readFile(folder.file("Resultats.html"));
    auto count = [&page](const std::string& text) {
        std::size_t found = 0;
        for (std::size_t at = page.find(text); at != std::string::npos;
             at = page.find(text, at + 1))
            ++found;
        return found;
    };
    EXPECT_EQ(count(">Style1100("), 1u);
    EXPECT_EQ(count("<b>Avec l'arme : epee 1020</b>"), 1u);
    EXPECT_EQ(count("<td width=\"270\">epee 1020</td>"), 1u);  // its multiple attacks
    EXPECT_EQ(count(">arc 1020"), 1u);
    EXPECT_EQ(count("Sort 1080"), 1u);
    EXPECT_EQ(count(">Monstre 1500<"), 1u);
    EXPECT_EQ(count("1 * objet 1100"), 1u);
    EXPECT_EQ(count("Victime 6000 (10 rps)"), 1u);
    EXPECT_EQ(count("Tueur 2000"), 1u);
    EXPECT_EQ(count(">forge 1200<"), 1u);
    EXPECT_EQ(count("art 1010  + 1<br>"), 2u);  // the item's row and the total row
    page = readFile(folder.file("discussions.html"));
    EXPECT_EQ(count("lundi 07 Dec 2026"), 1u);
    EXPECT_EQ(count("</b> : b</font>"), 30000u);
    EXPECT_NE(readFile(folder.file("P11.html")).find("<b>Avec l'arme : hache du douzieme</b>"),
              std::string::npos);
}

// What the system says when a folder stands where a page goes.
#ifdef _WIN32
const std::string directoryInTheWay = "Permission denied";
#else
const std::string directoryInTheWay = "Is a directory";
#endif

TEST(ProgramRun, PageThatCannotBeWrittenIsAnError) {
    TempFolder folder;
    folder.write("chat.log", "");
    std::filesystem::create_directory(folder.file("Resultats.html"));
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\nimpossible d'ecrire le fichier Resultats.html : " + directoryInTheWay;
    EXPECT_EQ(lastBytes(run.console, expectedEnd.size()), expectedEnd);
}

// A shell's file-size limit and symbolic links: POSIX systems.
#ifndef _WIN32
// A disk that fills up (here a file-size limit of 4096 bytes) is an error, and the page of the
// earlier run stays whole under its name.
TEST(ProgramFaults, AFailedWriteKeepsThePageOfTheEarlierRun) {
    TempFolder folder;
    folder.write("chat.log", expectedFile("caster/chat.log"));
    ASSERT_EQ(runTorvelin(folder).exitStatus, 0);
    ProgramRun run = runTorvelin(folder, nullptr, "trap '' XFSZ; ulimit -f 8; ");
    EXPECT_EQ(run.exitStatus, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\nimpossible d'ecrire le fichier Resultats.html : File too large";
    EXPECT_EQ(lastBytes(run.console, expectedEnd.size()), expectedEnd);
    EXPECT_EQ(readFile(folder.file("Resultats.html")), expectedFile("caster/Resultats.html"));
    EXPECT_EQ(filesIn(folder), 4u);  // the log and the three pages of the earlier run
}

TEST(ProgramFaults, ALogThatCannotBeReadIsAnError) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("chat.log"));
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\nimpossible de lire le fichier chat.log : Is a directory";
    EXPECT_EQ(lastBytes(run.console, expectedEnd.size()), expectedEnd);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Resultats.html")));

    // A log that exists but cannot be opened is not reported as missing.
    TempFolder loop;
    std::filesystem::create_symlink("chat.log", loop.file("chat.log"));
    run = runTorvelin(loop);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.console, banner +
                               "impossible d'ouvrir le fichier chat.log : Too many levels of "
                               "symbolic links\n quel fichier voulez-vous analyser ?(q pour "
                               "quitter)\n");
}

// The last session is found from the end of the log, which a pipe does not have.
TEST(LastSession, APipeIsRefused) {
    TempFolder folder;
    folder.write("chat.log", expectedFile("caster/chat.log"));
    ProgramRun run = runTorvelin(folder, nullptr, "mkfifo tube && (cat chat.log >tube &) && ",
                                 "--derniere-session tube");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.console, banner +
                               "\n\nERREUR\n\nimpossible de lire le fichier tube : "
                               "--derniere-session demande un fichier ordinaire");
    EXPECT_EQ(filesIn(folder), 2u);
}

// Names given on the command line or typed at the prompt are used as given, whatever their
// characters; the console and the pages show them in Latin-1, "?" for a character beyond it.
TEST(CommandLine, NamesAreUsedAsGiven) {
    TempFolder folder;
    const std::string sister = "s\xC5\x93ur \xC3\xA9";  // "sœur é" in UTF-8
    folder.write(sister + ".log", "[10:00:00] rien\n");
    std::string typed = sister + "\n";
    ProgramRun run = runTorvelin(folder, &typed, "", "-o 'ma " + sister + "'");
    EXPECT_EQ(run.exitStatus, 0) << run.console;
    EXPECT_NE(run.console.find("(dans le dossier ma s?ur \xE9)\n"), std::string::npos);
    std::string page = readFile(folder.file("ma " + sister + "/Resultats.html"));
    EXPECT_NE(page.find("Analyse du fichier s?ur \xE9.log"), std::string::npos);
}

#endif

// No temporary file outlives a run. A later run removes those of runs killed outright (with the
// names of earlier versions too) when older than itself; the file of a run writing beside it stays,
// and so does a page that only looks like one. A file-size limit and a closed standard output
// make writes fail instead of ending the program; an interruption, a termination or a hang-up
// while a page is written removes its temporary file, and the program ends of the signal.
TEST(ProgramStops, NothingIsLeftBehind) {
    TempFolder folder;
    folder.write("chat.log", expectedFile("caster/chat.log"));
    const std::vector<std::string> left = {"Resultats.html.tmp", "Resultats.html.tmp7",
                                           "discussions.html.tmpab12cd"};
    const std::vector<std::string> kept = {"discussions.html.tmpwriter", "Resultats.html.tmp.html"};
    auto now = std::filesystem::file_time_type::clock::now();
    for (const std::string& name : left)
        folder.write(name, "");
    for (const std::string& name : kept)
        folder.write(name, "");
    for (const std::string& name : left)
        std::filesystem::last_write_time(folder.file(name), now - std::chrono::hours(1));
    std::filesystem::last_write_time(folder.file(kept[0]), now + std::chrono::hours(1));
    EXPECT_EQ(runTorvelin(folder).exitStatus, 0);
    EXPECT_EQ(filesIn(folder), 6u);  // the log, its three pages and the two kept
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(folder.file(name))) << name;
    EXPECT_EQ(readFile(folder.file("Resultats.html")), expectedFile("caster/Resultats.html"));

#ifndef _WIN32
    // What this test's process ignores, the shell and the program would ignore from the start.
    std::signal(SIGPIPE, SIG_DFL);
    std::signal(SIGXFSZ, SIG_DFL);
    auto noScratch = [](const TempFolder& in) {
        for (const auto& entry : std::filesystem::directory_iterator(in.path()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
                << entry.path();
    };
    TempFolder limited;
    limited.write("chat.log", expectedFile("caster/chat.log"));
    ProgramRun run = runTorvelin(limited, nullptr, "ulimit -f 8; ");
    EXPECT_EQ(run.exitStatus, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\nimpossible d'ecrire le fichier Resultats.html : File too large";
    EXPECT_EQ(lastBytes(run.console, expectedEnd.size()), expectedEnd);
    EXPECT_EQ(filesIn(limited), 1u);

    const std::string program = std::filesystem::absolute(TORVELIN_BINARY).string();
    auto shell = [&](const TempFolder& in, const std::string& script) {
        in.write("script", script);
        std::system(("cd '" + in.path() + "' && sh script '" + program + "' 2>/dev/null").c_str());
        return readFile(in.file("status"));
    };
    TempFolder closed;
    closed.write("chat.log", expectedFile("caster/chat.log"));
    EXPECT_EQ(shell(closed, "{ sleep 0.3; \"$1\" </dev/null; echo $? >status; } | true\n"), "0\n");
    EXPECT_EQ(readFile(closed.file("Resultats.html")), expectedFile("caster/Resultats.html"));
    EXPECT_TRUE(std::filesystem::exists(closed.file("discussions.html")));

    // The console is a pipe that no one reads: the program waits to write the console text of
    // the discussions page, while that page is being written, until the signal comes.
    std::string log = expectedFile("caster/chat.log");
    for (int i = 0; i < 1000; ++i)
        log += "*** Journal ouvert : Tue Dec 08\n";
    struct Stop {
        const char* name;
        int number;
    };
    for (Stop stop : {Stop{"INT", SIGINT}, Stop{"TERM", SIGTERM}, Stop{"HUP", SIGHUP}}) {
        TempFolder stopped;
        stopped.write("chat.log", log);
        // A program that the signal does not end is killed after five seconds.
        std::string script =
            "mkfifo console && exec 3<>console\n"
            "\"$1\" </dev/null >console 2>&1 &\n"
            "program=$!\n"
            "n=0\n"
            "until ls discussions.html.tmp* >/dev/null 2>&1 || [ $n = 1000 ]; do\n"
            "    n=$((n + 1)); sleep 0.01\n"
            "done\n"
            "kill -SIGNAL $program\n"
            "(sleep 5; kill -KILL $program) >/dev/null 2>&1 &\n"
            "watchdog=$!\n"
            "wait $program; echo $? >status\n"
            "kill $watchdog\n";
        script.replace(script.find("SIGNAL"), 6, stop.name);
        std::string status = shell(stopped, script);
        EXPECT_EQ(status, std::to_string(128 + stop.number) + "\n") << stop.name;
        noScratch(stopped);
        EXPECT_EQ(readFile(stopped.file("Resultats.html")), expectedFile("caster/Resultats.html"));
        EXPECT_FALSE(std::filesystem::exists(stopped.file("discussions.html")));
    }
#endif
}

// A device is no log: reading it would never end.
TEST(NotALog, ADeviceIsRefused) {
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/zero";
#endif
    TempFolder folder;
    ProgramRun run = runTorvelin(folder, nullptr, "", device);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.console, banner + "\n\nERREUR\n\nimpossible de lire le fichier " + device +
                               " : ce n'est pas un fichier");
    EXPECT_EQ(filesIn(folder), 0u);
}

// Another player's long guild message: what stands past its 299th byte is no game line, and the
// cut message keeps its text on the discussions page.
TEST(ProgramFaults, TheRestOfALongChatLineIsNoLine) {
    TempFolder folder;
    std::string message = "[10:00:00] @@[Guilde] Karl : \"";
    std::string text(299 - message.size(), 'a');
    message += text + "[10:00:00] ";
    folder.write("chat.log", message +
                                 "[10:00:01] [TOUS]:  ]log name Pirate\n"
                                 "[10:00:02] Vous attaquez le loup avec votre dague, et infligez "
                                 "40 points!\n");
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0) << run.console;
    EXPECT_EQ(run.console.find("nouvelle partie"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Pirate.html")));
    EXPECT_NE(readFile(folder.file("Resultats.html")).find("Avec l'arme : dague"),
              std::string::npos);
    EXPECT_NE(readFile(folder.file("discussions.html")).find("<b>Karl</b> : " + text + "</font>"),
              std::string::npos);
}

// Lines that cannot be read and messages that cannot be cut are left out with a warning, and the
// run goes on; past the 20th warning they are only counted. The discussions page is made while
// the analysis pages are written: its warnings still come at their place in its passes.
TEST(ProgramRun, UnreadableLinesAreLeftOutWithAWarning) {
    // Built in steps: clang++ 14 crashes on the one expression.
    std::string log =
        "[10:00:00] Vous visez [Gobelin\n"
        "[10:00:01] [TOUS]:  ]log nmae Boss\n";
    log += "[10:00:02] Vous vous préparez à exécuter votre Taillade\n"_l1;
    log +=
        "[10:00:03] Vous attaquez le loup avec votre dague, et infligez 40 points!\n"
        "[10:00:04] @@[Guilde] Karl : \"bonsoir\"\n";
    for (int i = 0; i < 18; ++i)
        log += "[10:00:06] @@[Groupe] Karl : \"sans fin " + std::to_string(i) + "\n";
    TempFolder folder;
    folder.write("chat.log", log);
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    auto warning = [](std::string_view what, std::string_view reason, std::string_view line) {
        return "\nattention : " + std::string(what) + " (" + std::string(reason) +
               ") : " + std::string(line) + "\n";
    };
    const std::string malformed = "ligne incomplete ou mal formee";
    std::string group;
    for (int i = 0; i < 17; ++i) {
        group += warning("message ignore", malformed,
                         "[10:00:06] @@[Groupe] Karl : \"sans fin " + std::to_string(i));
    }
    EXPECT_EQ(withFixedTime(run.console),
              banner + "Lecture en cours" +
                  warning("ligne ignoree", malformed, "[10:00:00] Vous visez [Gobelin") +
                  warning("ligne ignoree",
                          "erreur de ligne de commande pour le choix du nom du résultat"_l1,
                          "[10:00:01] [TOUS]:  ]log nmae Boss") +
                  warning("ligne ignoree", malformed,
                          "[10:00:02] Vous vous préparez à exécuter votre Taillade"_l1) +
                  writing("Resultats") +
                  "\nanalyse du chat Guilde\nanalyse du chat Amis\nanalyse du chat Groupe" + group +
                  "\nanalyse des messages prives\nanalyse du chat Alliance\nanalyse du chat "
                  "General.\nanalyse du chat Region\n\n21 lignes ignorees en tout\n" +
                  closing("Resultats.html, "));
    EXPECT_NE(readFile(folder.file("Resultats.html")).find("Avec l'arme : dague"),
              std::string::npos);
    std::string discussions = readFile(folder.file("discussions.html"));
    EXPECT_NE(discussions.find("<b>Karl</b> : bonsoir"), std::string::npos);
    EXPECT_NE(discussions.find("Chat Groupe</b>"), std::string::npos);
    EXPECT_EQ(discussions.find("sans fin"), std::string::npos);
}

// Names that differ only by case or by a character a file name cannot hold, device names and parts
// named after the discussions and fights pages each get a file of their own, named in UTF-8 on
// disk.
TEST(ProgramFaults, PartsNeverShareAPageFile) {
    TempFolder folder;
    std::string log;
    for (std::string_view part :
         std::initializer_list<std::string_view>{"a/b", "A:b", "discussions", "Combats", "con",
                                                 "Nul.txt", "a_b_2", "Épée"_l1, "éPÉE"_l1})
        log += "[10:00:00] [TOUS]:  ]log name " + std::string(part) + "\n";
    folder.write("chat.log", log +
                                 "[10:00:00] [TOUS]:  ]log name A:b\n"
                                 "[10:00:02] Vous attaquez le loup avec votre dague, et infligez "
                                 "40 points!\n");
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.console.find("fichiers Resultats.html, a_b.html, A_b_2.html, discussions_2.html, "
                               "Combats_2.html, _con.html, _Nul.txt.html, a_b_2_2.html, " +
                               std::string("Épée.html, éPÉE_2.html, les combats"_l1)),
              std::string::npos)
        << run.console;
    for (const char8_t* file :
         {u8"a_b.html", u8"A_b_2.html", u8"discussions_2.html", u8"Combats_2.html", u8"_con.html",
          u8"_Nul.txt.html", u8"a_b_2_2.html", u8"Épée.html", u8"éPÉE_2.html"}) {
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder.path()) / file));
    }
    std::string page = readFile(folder.file("A_b_2.html"));
    EXPECT_NE(page.find("href=\"./A_b_2.html#Attaques\""), std::string::npos);
}

TEST(ProgramRun, NulBytesAreOrdinaryCharactersOfNames) {
    TempFolder folder;
    using namespace std::string_literals;
    folder.write("chat.log",
                 "[10:00:01] [TOUS]:  ]log name P\0Q\n"
                 "[10:00:02] Vous attaquez le loup avec votre da\0gue, et infligez 40 points!\n"s);
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.console.find("nouvelle partie de log : P\0Q\n"s), std::string::npos);
    EXPECT_NE(run.console.find("partie de log nommee \"P\0Q\""s), std::string::npos);
    EXPECT_NE(run.console.find("Resultats.html, P_Q.html, "), std::string::npos);
    std::string page = readFile(folder.file("P_Q.html"));
    EXPECT_NE(page.find("<b>Avec l'arme : da\0gue</b>"s), std::string::npos);
}

TEST(ProgramRun, ExampleLogShowsEverySection) {
    TempFolder folder;
    folder.write("chat.log",
                 readFile(std::string(TORVELIN_EXPECTED_DIR) + "/../../../examples/chat.log"));
    EXPECT_EQ(runTorvelin(folder).exitStatus, 0);
    std::string page = readFile(folder.file("Resultats.html"));
    for (std::string_view anchor : std::initializer_list<std::string_view>{
             "Attaques", "Range", "Sorts", "Soins", "SortsNO", "Poisons donnés"_l1.view(),
             "Add dmg donnés"_l1.view(), "Defense", "Meurtriers", "Tableau de chasse", "XP",
             "Artisanat"}) {
        EXPECT_NE(page.find("<a name=\"" + std::string(anchor) + "\"></a>"), std::string::npos)
            << anchor;
    }
    EXPECT_NE(page.find("<b>Coups Multiples</b>"), std::string::npos);
    EXPECT_NE(readFile(folder.file("Donjon.html")).find("<a name=\"XP\"></a>"), std::string::npos);
    EXPECT_NE(readFile(folder.file("discussions.html")).find("Chat Guilde</b>"), std::string::npos);
}

// Help and version print only their own text; a wrong command line prints its message and the
// usage, and ends with status 2 before anything is read or written.
TEST(CommandLine, HelpVersionAndWrongLines) {
    TempFolder folder;
    folder.write("chat.log", "[10:00:00] rien\n");
    ProgramRun help = runTorvelin(folder, nullptr, "", "--help");
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.console.rfind("usage : torvelin [options] [JOURNAL]\n", 0), 0u);
    ProgramRun version = runTorvelin(folder, nullptr, "", "chat.log --version");
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.console, "TORVELIN 0.9 (beta)\n");
    const std::pair<const char*, const char*> wrong[] = {
        {"--", "option inconnue : --"},
        {"-x chat.log", "option inconnue : -x"},
        {"chat.log --sortie", "argument manquant pour l'option --sortie"},
        {"chat.log autre.log", "argument en trop : autre.log"},
        {"--pause 0", "valeur invalide pour l'option --pause : 0"},
        {"--pause 3601", "valeur invalide pour l'option --pause : 3601"},
        {"--pause 1.5", "valeur invalide pour l'option --pause : 1.5"},
        {"--intervalle 3", "l'option --intervalle demande --suivre"},
    };
    for (const auto& [arguments, message] : wrong) {
        ProgramRun run = runTorvelin(folder, nullptr, "", arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments;
        EXPECT_EQ(run.console, std::string(message) + "\n" + help.console) << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("Resultats.html")));
}

#ifndef _WIN32
// The console is UTF-8 under a UTF-8 locale, in a pipe or a file too, and Latin-1 under another.
TEST(CommandLine, TheConsoleFollowsTheLocale) {
    TempFolder folder;
    ProgramRun utf8 = runTorvelin(folder, nullptr, "LC_ALL=C.UTF-8 ", "--help");
    EXPECT_NE(utf8.console.find("(JOURNAL, chat.log par d\xC3\xA9"
                                "faut)"),
              std::string::npos);
    ProgramRun latin1 = runTorvelin(folder, nullptr, "", "--help");
    EXPECT_NE(latin1.console.find("(JOURNAL, chat.log par d\xE9"
                                  "faut)"),
              std::string::npos);
}
#endif

// The log named on the command line (found with ".log" appended), pages into a new folder.
TEST(CommandLine, LogArgumentAndOutputFolder) {
    TempFolder folder;
    folder.write("soiree.log", "[10:00:00] rien\n");
    ProgramRun run = runTorvelin(folder, nullptr, "", "--sortie pages/soir soiree");
    EXPECT_EQ(run.exitStatus, 0) << run.console;
    EXPECT_NE(run.console.find("(dans le dossier pages/soir)\n"), std::string::npos);
    std::string page = readFile(folder.file("pages/soir/Resultats.html"));
    EXPECT_NE(page.find("Analyse du fichier soiree.log"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(folder.file("pages/soir/discussions.html")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Resultats.html")));

    folder.write("fichier", "");
    run = runTorvelin(folder, nullptr, "", "-o fichier/pages soiree.log");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.console.find("impossible de creer le dossier fichier/pages : "),
              std::string::npos);

    // The folder is made only once the log is open.
    run = runTorvelin(folder, nullptr, "", "-o nouveau absent.log");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("nouveau")));
}

// The UTF-8 twin of a log gives the pages of the Latin-1 log, with or without a byte order mark.
TEST(Utf8Logs, GiveThePagesOfTheirLatin1Twin) {
    std::string utf8 = utf8OfLatin1(expectedFile("caster/chat.log"));
    for (const std::string& log : {utf8, "\xEF\xBB\xBF" + utf8}) {
        TempFolder folder;
        folder.write("chat.log", log);
        ProgramRun run = runTorvelin(folder);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_NE(run.console.find("journal en UTF-8, converti en Latin-1\nLecture en cours"),
                  std::string::npos);
        EXPECT_EQ(readFile(folder.file("Resultats.html")), expectedFile("caster/Resultats.html"));
    }
    // A character beyond Latin-1 becomes "?".
    TempFolder folder;
    folder.write(
        "chat.log",
        "[10:00:02] Vous attaquez le loup avec votre \xC3\xA9p\xC3\xA9\x65\xE2\x82\xAC, et "
        "infligez 40 points!\n");
    runTorvelin(folder);
    EXPECT_NE(readFile(folder.file("Resultats.html")).find("Avec l'arme : \xE9p\xE9\x65?</b>"),
              std::string::npos);
}

TEST(NotALog, AFileWithoutTimeStampsIsQuestioned) {
    TempFolder folder;
    folder.write("chat.log", "# TORVELIN\n\nTORVELIN turns the chat log into pages.\n");
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.console.find("Lecture en cours\nattention : aucune ligne horodatee dans ce "
                               "fichier, est-ce bien un journal du jeu ?\n\nanalyse et ecriture"),
              std::string::npos)
        << run.console;
}

TEST(ProcessingTime, TenthsRoundHalfUpAndCarry) {
    EXPECT_EQ(processingTimeText(2340), "2,3");
    EXPECT_EQ(processingTimeText(70), "0,1");
    EXPECT_EQ(processingTimeText(2360), "2,4");
    EXPECT_EQ(processingTimeText(1960), "2,0");
    EXPECT_EQ(processingTimeText(0), "0,0");
}

}  // namespace
}  // namespace torvelin::testing
