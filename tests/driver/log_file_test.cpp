#include "driver/log_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::TempFolder;

std::vector<std::string> readAll(const std::string& path) {
    std::string name = path;
    OpenedLog opened = openLogFile(name);
    std::vector<std::string> lines;
    std::string line;
    while (readLogLine(*opened.log, line))
        lines.push_back(line);
    closeLogFile(*opened.log);
    return lines;
}

TEST(ReadLogLine, LongLinesComeInPiecesOf299) {
    TempFolder folder;
    folder.write("long.log", std::string(650, 'x'));
    std::vector<std::string> lines = readAll(folder.file("long.log"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 299u);
    EXPECT_EQ(lines[1].size(), 299u);
    EXPECT_EQ(lines[2].size(), 52u);
}

TEST(ReadLogLine, LineBreaksStayAndCarriageReturnsGo) {
    TempFolder folder;
    std::string exact(299, 'y');
    folder.write("breaks.log", "un\r\ndeux\n\ntrois\rquatre\n" + exact + "\nfin");
    std::vector<std::string> lines = readAll(folder.file("breaks.log"));
    std::vector<std::string> expected = {"un\n", "deux\n", "\n", "trois\rquatre\n",
                                         exact,  "\n",     "fin"};
    EXPECT_EQ(lines, expected);
}

TEST(ReadLogLine, NulBytesAreOrdinary) {
    TempFolder folder;
    folder.write("with-nul.log", std::string("a\0b\n", 4));
    std::vector<std::string> lines = readAll(folder.file("with-nul.log"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string("a\0b\n", 4));
}

class OpenLogFile : public ::testing::Test {
  protected:
    const std::string prompt =
        "le fichier log n'a pas ete trouve \n quel fichier voulez-vous analyser ?(q pour "
        "quitter)\n";
    ConsoleCapture console;
    TempFolder folder;
};

TEST_F(OpenLogFile, TriesTheNameThenWithLogAppended) {
    folder.write("chat.log", "x\n");
    std::string name = folder.file("chat");
    OpenedLog opened = openLogFile(name);
    ASSERT_TRUE(opened.log.has_value());
    EXPECT_EQ(name, folder.file("chat.log"));
    EXPECT_EQ(console.text(), "");
    closeLogFile(*opened.log);
}

TEST_F(OpenLogFile, AsksForAnotherNameUntilOneOpens) {
    folder.write("autre.log", "x\n");
    console.typeWords({folder.file("absent"), folder.file("autre")});
    std::string name = folder.file("chat.log");
    OpenedLog opened = openLogFile(name);
    ASSERT_TRUE(opened.log.has_value());
    EXPECT_EQ(name, folder.file("autre.log"));
    EXPECT_EQ(console.text(), prompt + prompt);
    closeLogFile(*opened.log);
}

TEST_F(OpenLogFile, AWordBeginningWithQQuits) {
    console.typeWords({"quitter"});
    std::string name = folder.file("chat.log");
    OpenedLog opened = openLogFile(name);
    EXPECT_FALSE(opened.log.has_value());
    EXPECT_EQ(opened.exitStatus, 0);
    EXPECT_EQ(console.text(), prompt);
}

TEST_F(OpenLogFile, EndOfConsoleInputFails) {
    std::string name = folder.file("chat.log");
    OpenedLog opened = openLogFile(name);
    EXPECT_FALSE(opened.log.has_value());
    EXPECT_EQ(opened.exitStatus, 1);
    EXPECT_EQ(console.text(), prompt);
}

}  // namespace
}  // namespace torvelin
