#include "driver/log_parts.h"

#include <gtest/gtest.h>

#include "base/console.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::logLine;

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

TEST_F(LogCommands, LongNamesAreCutToTheirField) {
    command("[TOUS]:  ]log name " + std::string(60, 'n'));
    EXPECT_EQ(currentName(), std::string(49, 'n'));
    command("Vous visez [" + std::string(70, 't') + "]");
    EXPECT_EQ(parts.currentTarget, std::string(49, 't'));
}

// A command or a target that cannot be read leaves the line out: no part, target or message
// changes.
TEST_F(LogCommands, UnreadableCommandsChangeNothing) {
    command("[TOUS]:  ]log name A");
    command("Vous visez [Loup]");
    std::size_t before = console.text().size();
    EXPECT_THROW(command("[TOUS]:  ]log nom X"), UnreadableLine);
    EXPECT_THROW(command("Vous visez [Grand loup"), UnreadableLine);
    EXPECT_EQ(parts.count(), 2);
    EXPECT_EQ(currentName(), "A");
    EXPECT_EQ(parts.currentTarget, "Loup");
    EXPECT_EQ(console.text().size(), before);
}

}  // namespace
}  // namespace torvelin
