#include "report/discussions_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/latin1.h"
#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::readFile;
using testing::TempFolder;

LogDate formatted(std::string_view line) {
    LogDate date{std::string(line), false};
    formatLogDate(date, line);
    return date;
}

TEST(FormatLogDate, FrenchWeekdayAndReorderedTokens) {
    ConsoleCapture console;
    LogDate date = formatted("*** Journal ouvert : Sun Mar 02 10:05:00 2003\n");
    EXPECT_TRUE(date.formatted);
    EXPECT_EQ(date.text, "dimanche 02 Mar 2003 - 10:05:00");
    EXPECT_EQ(formatted("*** Journal ouvert : Xyz Dec 07 23:17:56 2026").text,
              "Xyz 07 Dec 2026 - 23:17:56");
    EXPECT_EQ(console.text(), "");
}

TEST(FormatLogDate, DoubleBlankShiftsTheTokens) {
    EXPECT_EQ(formatted("*** Journal ouvert : Mon Dec  7 23:17:56 2026\n").text,
              "lundi  Dec 23:1 - 7");
}

TEST(FormatLogDate, MissingBlankKeepsTheLineAndWarns) {
    ConsoleCapture console;
    LogDate date = formatted("*** Journal ouvert : Tue Dec 08\n");
    EXPECT_FALSE(date.formatted);
    EXPECT_EQ(date.text, "*** Journal ouvert : Tue Dec 08\n");
    EXPECT_EQ(console.text(),
              "\nprobleme avec la conversion de la date du log, l'analyse se poursuit\nligne : *** "
              "Journal ouvert : Tue Dec 08\n\n");
}

class DiscussionsPage : public ::testing::Test {
  protected:
    DiscussionsPage() { std::filesystem::current_path(folder.path()); }
    ~DiscussionsPage() override { std::filesystem::current_path(previous); }

    std::string page(std::initializer_list<std::string_view> lines) {
        ChatStore store;
        for (std::string_view line : lines)
            keepChatLine(store, line);
        return page(store);
    }
    std::string page(const ChatStore& store) {
        writeDiscussionsPage(store, "chat.log");
        return readFile("discussions.html");
    }

    std::filesystem::path previous = std::filesystem::current_path();
    TempFolder folder;
    ConsoleCapture console;
};

TEST_F(DiscussionsPage, ProgressDotsCountAcrossChannelPasses) {
    ChatStore store;
    for (int i = 0; i < 250; ++i)
        keepChatLine(store, "[10:00:00] rien\n");
    page(store);
    // 250 lines a pass: dots after lines 100 and 200, then the count goes on into the next pass.
    EXPECT_EQ(console.text(),
              "\nanalyse du chat Guilde..\nanalyse du chat Amis...\nanalyse du chat Groupe..\n"
              "analyse des messages prives...\nanalyse du chat Alliance..\nanalyse du chat "
              "General...\nanalyse du chat Region..\n");
}

TEST_F(DiscussionsPage, MessagesOfOtherPlayersAreEscaped) {
    std::string text = page({"[10:00:00] @@[Groupe] <b>Eve</b> : \"<script>x</script>\"\n"});
    EXPECT_NE(text.find("<font size=2><i>10:00:00</i> - <b>&lt;b&gt;Eve&lt;/b&gt;</b> : "
                        "&lt;script&gt;x&lt;/script&gt;</font><br>"),
              std::string::npos);
    EXPECT_EQ(text.find("<script>"), std::string::npos);
}

TEST_F(DiscussionsPage, LongSpeakersAreNotCut) {
    std::string speaker(80, 's');
    std::string text = page({"[10:00:00] @@[Guilde] " + speaker + " : \"a\"\n"});
    EXPECT_NE(text.find("<b>" + speaker + "</b>"), std::string::npos);
}

}  // namespace
}  // namespace torvelin
