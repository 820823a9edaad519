// The program run as a player runs it, in a folder holding the log.
#include <gtest/gtest.h>

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

TEST(ProgramRun, TypedLogNameAndQuitWord) {
    TempFolder folder;
    folder.write("autre.log", "");
    std::string typed = "absent autre\n";
    ProgramRun run = runTorvelin(folder, &typed);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(readFile(folder.file("Resultats.html")).find("Analyse du fichier autre.log"),
              std::string::npos);

    TempFolder empty;
    std::string quit = "quitter\n";
    run = runTorvelin(empty, &quit);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_FALSE(std::filesystem::exists(empty.file("Resultats.html")));
}

TEST(ProgramRun, ChatStoreHolds30000Lines) {
    std::string log;
    for (int i = 0; i < 30000; ++i)
        log += "[10:00:00] @@[Guilde] A : \"b\"\n";
    TempFolder full;
    full.write("chat.log", log);
    EXPECT_EQ(runTorvelin(full).exitStatus, 0);

    TempFolder over;
    over.write("chat.log", log + "[10:00:01] @@[Guilde] A : \"trop\"\n");
    ProgramRun run = runTorvelin(over);
    EXPECT_EQ(run.exitStatus, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\ntrop de lignes de chat\nl'erreur s'est produite dans la ligne : \n"
        "[10:00:01] @@[Guilde] A : \"trop\"\n\n";
    EXPECT_EQ(lastBytes(run.console, expectedEnd.size()), expectedEnd);
    EXPECT_FALSE(std::filesystem::exists(over.file("Resultats.html")));
}

// The log is read on a thread of its own: a fatal error met while that thread is still reading
// a long log ends the program all the same, with the error block and no page.
TEST(ProgramFaults, AFatalErrorWhileTheLogIsStillBeingRead) {
    std::string log = "[10:00:00] Vous visez [loup\n";
    while (log.size() < (4u << 20))
        log += "[10:00:01] Vous attaquez le loup avec votre dague, et infligez 40 points!\n";
    TempFolder folder;
    folder.write("chat.log", log);
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\nligne incomplete ou mal formee\nl'erreur s'est produite dans la ligne : "
        "\n[10:00:00] Vous visez [loup\n\n";
    EXPECT_EQ(lastBytes(run.console, expectedEnd.size()), expectedEnd);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Resultats.html")));
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

#endif

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

// The discussions page is made while the analysis pages are written: its console text still
// follows theirs, and a message without text still ends the program there, after the analysis
// and fights pages, with no page of discussions left.
TEST(ProgramFaults, AMalformedChatLineEndsTheProgramAfterTheAnalysisPages) {
    TempFolder folder;
    folder.write("chat.log",
                 "[10:00:00] Vous attaquez le loup avec votre dague, et infligez 40 points!\n"
                 "[10:00:01] @@[Guilde] Karl : \"bonsoir\"\n"
                 "[10:00:02] @@[Groupe] Karl : \"sans fin\n");
    ProgramRun run = runTorvelin(folder);
    EXPECT_EQ(run.exitStatus, 1);
    std::string expectedEnd =
        "analyse et ecriture de la partie de log nommee \"Resultats\"\n\nanalyse du chat "
        "Guilde\nanalyse du chat Amis\nanalyse du chat Groupe\n\nERREUR\n\nligne incomplete ou "
        "mal formee\nl'erreur s'est produite dans la ligne : \n[10:00:02] @@[Groupe] Karl : "
        "\"sans fin\n\n";
    EXPECT_EQ(lastBytes(run.console, expectedEnd.size()), expectedEnd);
    EXPECT_TRUE(std::filesystem::exists(folder.file("Resultats.html")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("combats.html")));
    EXPECT_EQ(filesIn(folder), 3u);  // the log, its analysis page and the fights page
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
    };
    for (const auto& [arguments, message] : wrong) {
        ProgramRun run = runTorvelin(folder, nullptr, "", arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments;
        EXPECT_EQ(run.console, std::string(message) + "\n" + help.console) << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("Resultats.html")));
}

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
