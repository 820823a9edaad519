#include "base/console.h"

#include <gtest/gtest.h>

#include "base/platform.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::routeConsoleToStderr;

TEST(FatalError, PrintsTheBlockWithTheLineAndFails) {
    EXPECT_EXIT(
        {
            routeConsoleToStderr();
            fatalError("memoire insuffisante", "[10:00:00] Vous lancez le sort X !\n");
        },
        ::testing::ExitedWithCode(1),
        "^\n\nERREUR\n\nmemoire insuffisante\nl'erreur s'est produite dans la ligne : \n"
        "\\[10:00:00\\] Vous lancez le sort X !\n\n$");
}

TEST(FatalError, WithoutALineOnlyTheBlock) {
    EXPECT_EXIT(
        {
            routeConsoleToStderr();
            fatalError("impossible d'ecrire le fichier Resultats.html : No space left on device");
        },
        ::testing::ExitedWithCode(1),
        "^\n\nERREUR\n\nimpossible d'ecrire le fichier Resultats.html : No space left on device$");
}

// A scripted keyboard and clock for the countdown.
std::string countdownText;
std::int64_t now = 0;
std::int64_t keyAt = -1;

void record(std::string_view text) {
    countdownText.append(text);
}
bool keyboard() {
    return true;
}
void nothing() {}
bool pressed(int timeoutMs) {
    if (keyAt >= 0 && now + timeoutMs >= keyAt) {
        now = std::max(now, keyAt);
        return true;
    }
    now += timeoutMs;
    return false;
}
std::int64_t clock() {
    return now;
}
bool noWord(std::string&) {
    return false;
}

class Countdown : public ::testing::Test {
  protected:
    Countdown() : saved(platform()) {
        platform().writeConsole = record;
        platform().readLine = noWord;
        platform().hasKeyboard = keyboard;
        platform().beginKeyWatch = nothing;
        platform().endKeyWatch = nothing;
        platform().keyPressed = pressed;
        platform().clockMs = clock;
        countdownText.clear();
        now = 1000;
    }
    ~Countdown() override { platform() = saved; }
    Platform saved;
};

TEST_F(Countdown, FiveSilentSecondsThenFiveToZero) {
    keyAt = -1;
    closingCountdown();
    EXPECT_EQ(countdownText, "\n\n\tfermeture automatique dans  \b5\b4\b3\b2\b1\b0\n");
    EXPECT_EQ(now, 1000 + 10000);
}

TEST_F(Countdown, AKeyDuringTheSilenceEndsAtOnce) {
    keyAt = 3500;
    closingCountdown();
    EXPECT_EQ(countdownText, "\n");
}

TEST_F(Countdown, AKeyDuringTheCountdownStopsIt) {
    keyAt = 1000 + 5000 + 2500;
    closingCountdown();
    EXPECT_EQ(countdownText, "\n\n\tfermeture automatique dans  \b5\b4\b3\n");
}

}  // namespace
}  // namespace torvelin
