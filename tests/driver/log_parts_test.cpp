#include "driver/log_parts.h"

#include <gtest/gtest.h>

#include "base/latin1.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::logLine;
using testing::routeConsoleToStderr;

class LogCommands : public ::testing::Test {
  protected:
    void command(std::string_view text) {
        std::string full = logLine(text);
        std::string_view line = full;
        handleLogCommand(line, parts);
        lastLine = line;
    }
    std::string currentName() const {
        return parts.names[static_cast<std::size_t>(parts.currentPart)];
    }

    ConsoleCapture console;
    LogParts parts = newLogParts();
    std::string lastLine;
};

TEST_F(LogCommands, NameCreatesAPartAndDropsOnlyTheLineBreak) {
    command("[TOUS]:  ]log name Donjon des ombres");
    EXPECT_EQ(parts.count(), 2);
    EXPECT_EQ(currentName(), "Donjon des ombres");
    EXPECT_EQ(lastLine, "[12:34:56] [TOUS]:  ]log name Donjon des ombres");
    EXPECT_EQ(console.text(), "\nnouvelle partie de log : Donjon des ombres");
    ASSERT_EQ(parts.records.size(), 2u);
    EXPECT_NE(parts.records[1], nullptr);

    std::string_view last = "[12:34:56] [TOUS]:  ]log name Fin";  // last line of a file, no break
    handleLogCommand(last, parts);
    EXPECT_EQ(currentName(), "Fin");
}

TEST_F(LogCommands, SameNameTwiceSelectsTheSamePart) {
    command("[TOUS]:  ]log name A");
    command("[TOUS]:  ]log name B");
    command("[TOUS]:  ]log name A");
    EXPECT_EQ(parts.count(), 3);
    EXPECT_EQ(parts.currentPart, 1);
}

TEST_F(LogCommands, EmptyNameIsAPartOfItsOwn) {
    command("[TOUS]:  ]log name ");
    EXPECT_EQ(parts.count(), 2);
    EXPECT_EQ(currentName(), "");
}

TEST_F(LogCommands, SelectUsesTheCurrentTarget) {
    command("[TOUS]:  ]log select");
    EXPECT_EQ(currentName(), "Inconnu");
    command("Vous visez [Grand loup] et plus encore");
    EXPECT_EQ(parts.currentTarget, "Grand loup");
    command("[TOUS]:  ]log select");
    EXPECT_EQ(currentName(), "Grand loup");
    EXPECT_EQ(parts.count(), 3);
}

TEST_F(LogCommands, IniAndAnyWordBeginningWithItReturnToTheFirstPart) {
    command("[TOUS]:  ]log name A");
    command("[TOUS]:  ]log initialiser");
    EXPECT_EQ(parts.currentPart, 0);
    command("[TOUS]:  ]log name A");
    command("[TOUS]:  ]log ini");
    EXPECT_EQ(parts.currentPart, 0);
    EXPECT_EQ(console.text(),
              "\nnouvelle partie de log : A\nnouvelle partie de log : Resultats"
              "\nnouvelle partie de log : A\nnouvelle partie de log : Resultats");
}

TEST_F(LogCommands, AnEleventhPartFallsBackToTheFirst) {
    for (int i = 1; i < 10; ++i)
        command("[TOUS]:  ]log name P" + std::to_string(i));
    ASSERT_EQ(parts.count(), 10);
    std::size_t before = console.text().size();
    command("[TOUS]:  ]log name Onze");
    EXPECT_EQ(parts.count(), 10);
    EXPECT_EQ(parts.currentPart, 0);
    EXPECT_EQ(console.text().substr(before),
              std::string("\nERREUR\n\nle log a été découpe en trop de morceaux (limite : 10 "
                          "morceaux).\nla partie nommee Onze est rajoutee par defaut à la partie "
                          "initiale nommee Resultats.\n"_l1));
    command("[TOUS]:  ]log name P4");
    EXPECT_EQ(parts.currentPart, 4);
}

TEST_F(LogCommands, LongNamesAreCutToTheirField) {
    command("[TOUS]:  ]log name " + std::string(60, 'n'));
    EXPECT_EQ(currentName(), std::string(49, 'n'));
    command("Vous visez [" + std::string(70, 't') + "]");
    EXPECT_EQ(parts.currentTarget, std::string(49, 't'));
}

TEST(LogCommandErrors, UnknownCommandWordIsFatal) {
    EXPECT_EXIT(
        {
            routeConsoleToStderr();
            LogParts parts = newLogParts();
            std::string text = logLine("[TOUS]:  ]log nom X");
            std::string_view line = text;
            handleLogCommand(line, parts);
        },
        ::testing::ExitedWithCode(1), "erreur de ligne de commande pour le choix du nom");
}

TEST(LogCommandErrors, TargetWithoutClosingBracketIsFatal) {
    EXPECT_EXIT(
        {
            routeConsoleToStderr();
            LogParts parts = newLogParts();
            std::string text = logLine("Vous visez [Grand loup");
            std::string_view line = text;
            handleLogCommand(line, parts);
        },
        ::testing::ExitedWithCode(1),
        "\n\nERREUR\n\nligne incomplete ou mal formee\nl'erreur s'est produite dans la ligne : "
        "\n.*Vous visez \\[Grand loup\n\n");
}

}  // namespace
}  // namespace torvelin
