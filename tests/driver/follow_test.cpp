// The follow mode, with the waits of the platform replaced by the game writing the log: each wait
// is one round, and the run stops when the script ends.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "base/platform.h"
#include "driver/log_file.h"
#include "driver/program.h"
#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::expectedFile;
using testing::readFile;
using testing::TempFolder;

std::deque<std::function<void()>> rounds;

bool nextRound(int) {
    if (rounds.empty())
        return true;  // asked to stop
    rounds.front()();
    rounds.pop_front();
    return false;
}
void noWatch(bool) {}
std::string noon() {
    return "12:00:00";
}

// Thrown by the exit door of a fatal error.
struct RunStopped {
    int status;
};

struct FollowRun {
    int status = -1;
    std::string console;
    std::map<std::string, std::string> pages;
};

// The pages of a folder, without the refresh line of the follow mode.
std::map<std::string, std::string> pagesOf(const TempFolder& folder) {
    std::map<std::string, std::string> pages;
    const std::string refresh = "<meta http-equiv=\"refresh\" content=\"5\">";
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        std::string name = entry.path().filename().string();
        if (name == "chat.log")
            continue;
        std::string page = readFile(entry.path().string());
        if (std::size_t at = page.find(refresh); at != std::string::npos)
            page.erase(at, refresh.size());
        pages[name] = page;
    }
    return pages;
}

FollowRun run(const TempFolder& folder, const std::vector<std::string>& arguments) {
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    ConsoleCapture console;
    platform().waitForStop = nextRound;
    platform().watchStopRequests = noWatch;
    platform().timeOfDay = noon;
    platform().exitProgram = [](int status) { throw RunStopped{status}; };
    FollowRun result;
    try {
        result.status = runProgram(arguments);
    } catch (const RunStopped& stopped) {
        result.status = stopped.status;
    }
    std::filesystem::current_path(home);
    result.console = console.text();
    result.pages = pagesOf(folder);
    return result;
}

void append(const TempFolder& folder, const std::string& bytes) {
    folder.write("chat.log", readFile(folder.file("chat.log")) + bytes);
}

// Lines that come in rounds, one of them written in two pieces, give the pages of one run on the
// whole log; the pages reload themselves while the log is followed, and no longer once the follow
// mode ends. Lines that cannot be read are left out of a round without a word.
TEST(FollowMode, RoundsGiveThePagesOfOneRun) {
    std::string log = expectedFile("melee/chat.log") + expectedFile("driver/chat.log") +
                      "[23:00:00] Vous visez [loup\n[23:00:01] @@[Groupe] Karl : \"sans fin\n";
    std::size_t third = log.find('\n', log.size() / 3) + 1;
    std::size_t cut = log.find('\n', 2 * log.size() / 3) + 5;  // inside a line

    TempFolder whole;
    whole.write("chat.log", log);
    FollowRun reference = run(whole, {});

    TempFolder followed;
    followed.write("chat.log", log.substr(0, third + 5));  // a line not complete yet
    const std::string refresh = "<meta http-equiv=\"refresh\" content=\"5\"></head>";
    bool reloading = false;
    rounds = {[&] { append(followed, log.substr(third + 5, cut - third - 5)); }, [] {},
              [&] {
                  reloading =
                      readFile(followed.file("Resultats.html")).find(refresh) != std::string::npos;
                  append(followed, log.substr(cut));
              }};
    FollowRun follow = run(followed, {"--suivre"});
    EXPECT_EQ(follow.status, 0);
    EXPECT_EQ(follow.pages, reference.pages);
    EXPECT_NE(reference.console.find("attention : ligne ignoree"), std::string::npos);
    EXPECT_NE(reference.console.find("attention : message ignore"), std::string::npos);
    EXPECT_EQ(follow.console.find("attention : "), std::string::npos);
    // Followed pages reload themselves; once the follow mode ends, no page does.
    EXPECT_TRUE(reloading);
    for (const char* page : {"Resultats.html", "combats.html", "discussions.html"})
        EXPECT_EQ(readFile(followed.file(page)).find("http-equiv=\"refresh\""), std::string::npos);
    EXPECT_NE(follow.console.find("[12:00:00] "), std::string::npos);
    EXPECT_NE(follow.console.find(" nouvelles lignes, pages reecrites : Resultats.html, "
                                  "combats.html, discussions.html\n"),
              std::string::npos)
        << follow.console;
    EXPECT_EQ(follow.console.substr(follow.console.size() - 13), "fin du suivi\n");
}

// A log started again by the game starts the analysis again, its fights too.
TEST(FollowMode, AShorterLogStartsTheAnalysisAgain) {
    std::string first = expectedFile("caster/chat.log");
    std::string second = expectedFile("healer/chat.log").substr(0, 400);
    second.resize(second.rfind('\n') + 1);
    TempFolder alone;
    alone.write("chat.log", second);
    FollowRun reference = run(alone, {});

    TempFolder followed;
    followed.write("chat.log", first);
    rounds = {[&] { followed.write("chat.log", second); }};
    FollowRun follow = run(followed, {"--suivre"});
    EXPECT_NE(follow.console.find("le journal a ete recommence"), std::string::npos);
    EXPECT_EQ(follow.pages.at("Resultats.html"), reference.pages.at("Resultats.html"));
    EXPECT_EQ(follow.pages.at("combats.html"), reference.pages.at("combats.html"));
}

// Another file under the log's name starts the analysis again, even when it is as large as what
// was read (replaced by a new file, or written over): the pages are those of the new log alone,
// the discussions page too without chat, and the pages of the parts it lacks go, even when it
// holds no complete line yet.
TEST(FollowMode, AnotherFileUnderTheLogsNameStartsTheAnalysisAgain) {
    std::string first = expectedFile("driver/chat.log") + "[22:00:00] [TOUS]:  ]log name Donjon\n" +
                        expectedFile("caster/chat.log");
    std::string second = "[22:00:00] [TOUS]:  ]log name Cave\n";
    while (second.size() < first.size())
        second += expectedFile("melee/chat.log");
    std::string third(second.size(), 'x');  // no line break
    TempFolder alone;
    alone.write("chat.log", second);
    FollowRun reference = run(alone, {});
    TempFolder nothing;
    nothing.write("chat.log", "");
    FollowRun empty = run(nothing, {});

    TempFolder followed;
    followed.write("chat.log", first);
    std::map<std::string, std::string> replaced;
    rounds = {[&] {
                  followed.write("new.log", second);
                  std::filesystem::rename(followed.file("new.log"), followed.file("chat.log"));
              },
              [&] {
                  replaced = pagesOf(followed);
                  followed.write("chat.log", third);
              }};
    FollowRun follow = run(followed, {"--suivre"});
    EXPECT_EQ(follow.status, 0);
    EXPECT_EQ(replaced, reference.pages);
    EXPECT_EQ(follow.pages, empty.pages);
    const std::string restart =
        "[12:00:00] le journal a ete recommence : l'analyse reprend depuis son debut\n";
    EXPECT_NE(follow.console.find(restart + "[12:00:00] 0 nouvelles lignes, pages reecrites : "
                                            "Resultats.html, combats.html, discussions.html\n"),
              std::string::npos)
        << follow.console;
}

// A log that is the file of a page is never replaced by the page: the run ends before it writes
// one, whatever the spelling of the log's name, and so does the round that adds such a page.
TEST(FollowMode, ALogNamedLikeAPageIsKept) {
    TempFolder folder;
    const std::string log = expectedFile("caster/chat.log");
    folder.write("discussions.html", log);
    FollowRun refused = run(folder, {"./discussions.html"});
    EXPECT_EQ(refused.status, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\nle journal ./discussions.html porte le nom d'une page ecrite : "
        "renommez-le";
    EXPECT_EQ(testing::lastBytes(refused.console, expectedEnd.size()), expectedEnd);
    EXPECT_EQ(refused.pages.size(), 1u);
    EXPECT_EQ(refused.pages.at("discussions.html"), log);

    TempFolder followed;
    followed.write("Boss.html", log);
    const std::string boss = "[23:00:00] [TOUS]:  ]log name Boss\n";
    rounds = {[&] { followed.write("Boss.html", log + boss); }};
    FollowRun follow = run(followed, {"--suivre", "Boss.html"});
    EXPECT_EQ(follow.status, 1);
    expectedEnd = "\n\nERREUR\n\nle journal Boss.html porte le nom d'une page ecrite : renommez-le";
    EXPECT_EQ(testing::lastBytes(follow.console, expectedEnd.size()), expectedEnd);
    EXPECT_EQ(readFile(followed.file("Boss.html")), log + boss);
}

// --derniere-session reads from the last log opening, as if the log began there; a log without
// one is read whole.
TEST(LastSession, StartsAtTheLastLogOpening) {
    std::string earlier =
        "*** Journal ouvert : Mon Dec 07 20:00:00 2026\n" + expectedFile("caster/chat.log");
    std::string last =
        "*** Journal ouvert : Tue Dec 08 21:00:00 2026\n" + expectedFile("melee/chat.log");
    TempFolder both;
    both.write("chat.log", earlier + last);
    TempFolder alone;
    alone.write("chat.log", last);
    FollowRun cut = run(both, {"--derniere-session"});
    FollowRun reference = run(alone, {});
    EXPECT_EQ(cut.pages, reference.pages);
    EXPECT_EQ(cut.console, reference.console);

    TempFolder none;
    none.write("chat.log", expectedFile("caster/chat.log"));
    EXPECT_EQ(run(none, {"--derniere-session"}).pages, run(none, {}).pages);
}

TEST(LastSession, BackwardSearchFindsALineAcrossBlocks) {
    TempFolder folder;
    const std::string phrase = "*** Journal ouvert : ";
    // The phrase straddles the boundary of 16-byte blocks counted from the end; a phrase in the
    // middle of a line does not count.
    std::string log = "[10:00:00] x\n" + phrase + "A\n[10:00:01] y *** Journal ouvert : B\n";
    folder.write("chat.log", log);
    std::string name = folder.file("chat.log");
    OpenedLog opened = openLogFile(name);
    ASSERT_TRUE(opened.log.has_value());
    for (std::size_t block : {4, 16, 17, 1000})
        EXPECT_EQ(lastLineStartingWith(*opened.log, phrase, block), 13) << block;
    EXPECT_EQ(lastLineStartingWith(*opened.log, "absent", 16), -1);
}

}  // namespace
}  // namespace torvelin
