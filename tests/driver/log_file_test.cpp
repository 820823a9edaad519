#include "driver/log_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "base/platform.h"
#include "driver/program.h"
#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::lastBytes;
using testing::TempFolder;

std::vector<std::string> readAll(const std::string& path) {
    OpenedLog opened = openLogFile(path);
    std::vector<std::string> lines;
    std::string_view line;
    while (readLogLine(*opened.log, line))
        lines.emplace_back(line);
    closeLogFile(*opened.log);
    return lines;
}

// Another player's long chat message must not turn its rest into lines of their own: a line keeps
// its first 299 bytes and the rest of the physical line, line break included, is skipped.
TEST(ReadLogLine, TheRestOfALongLineIsSkipped) {
    TempFolder folder;
    std::string exact(299, 'y');
    std::string crlf298 = std::string(298, 'z') + "\r\n";
    folder.write("long.log", std::string(650, 'x') + "\n[10:00:00] [TOUS]:  ]log ini\n" + exact +
                                 "\n" + crlf298 + exact + "\r\nsuite\n" + std::string(700, 'w'));
    std::vector<std::string> lines = readAll(folder.file("long.log"));
    std::vector<std::string> expected = {std::string(299, 'x'),
                                         "[10:00:00] [TOUS]:  ]log ini\n",
                                         exact,
                                         std::string(298, 'z') + "\n",
                                         exact,
                                         "suite\n",
                                         std::string(299, 'w')};
    EXPECT_EQ(lines, expected);
}

TEST(ReadLogLine, LineBreaksStayAndCarriageReturnsGo) {
    TempFolder folder;
    folder.write("breaks.log", "un\r\ndeux\n\ntrois\rquatre\r\r\nfin\r");
    std::vector<std::string> lines = readAll(folder.file("breaks.log"));
    std::vector<std::string> expected = {"un\n", "deux\n", "\n", "trois\rquatre\r\n", "fin\r"};
    EXPECT_EQ(lines, expected);
}

TEST(ReadLogLine, NulBytesAreOrdinary) {
    TempFolder folder;
    folder.write("with-nul.log", std::string("a\0b\n", 4));
    std::vector<std::string> lines = readAll(folder.file("with-nul.log"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string("a\0b\n", 4));
}

// Only the first 65,536 bytes tell the encoding: a Latin-1 log whose bytes read as UTF-8 further
// on stays Latin-1.
TEST(ReadLogLine, LateUtf8LookingBytesStayLatin1) {
    TempFolder folder;
    std::string start(65535, 'a');
    folder.write("late.log", start + "\n\xC3\xA9t\xC3\xA9\n");
    std::vector<std::string> lines = readAll(folder.file("late.log"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.back(), "\xC3\xA9t\xC3\xA9\n");
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
    OpenedLog opened = openLogFile(folder.file("chat"));
    ASSERT_TRUE(opened.log.has_value());
    EXPECT_EQ(opened.log->name.system, folder.file("chat.log"));
    EXPECT_EQ(console.text(), "");
    closeLogFile(*opened.log);
}

TEST_F(OpenLogFile, AsksForAnotherNameUntilOneOpens) {
    folder.write("autre.log", "x\n");
    console.typeLines({folder.file("absent"), folder.file("autre")});
    OpenedLog opened = openLogFile(folder.file("chat.log"));
    ASSERT_TRUE(opened.log.has_value());
    EXPECT_EQ(opened.log->name.system, folder.file("autre.log"));
    EXPECT_EQ(console.text(), prompt + prompt);
    closeLogFile(*opened.log);
}

TEST_F(OpenLogFile, OnlyALineThatIsQQuits) {
    console.typeLines({"quitter", "q"});
    std::string name = folder.file("chat.log");
    OpenedLog opened = openLogFile(name);
    EXPECT_FALSE(opened.log.has_value());
    EXPECT_EQ(opened.exitStatus, 0);
    EXPECT_EQ(console.text(), prompt + prompt);
}

TEST_F(OpenLogFile, EndOfConsoleInputFails) {
    std::string name = folder.file("chat.log");
    OpenedLog opened = openLogFile(name);
    EXPECT_FALSE(opened.log.has_value());
    EXPECT_EQ(opened.exitStatus, 1);
    EXPECT_EQ(console.text(), prompt);
}

#if defined(__GLIBC__)

// A disk that fails in the middle of a long log: the lines are read and classified on a thread
// of their own, and the error must still end the program, with its reason and no page, from the
// reading loop's thread.
struct FailingLog {
    std::FILE* real;
    std::size_t left;  // bytes that read well
};

ssize_t readUntilFailure(void* cookie, char* buffer, std::size_t size) {
    auto* log = static_cast<FailingLog*>(cookie);
    if (log->left == 0) {
        errno = EIO;
        return -1;
    }
    std::size_t got = std::fread(buffer, 1, std::min(size, log->left), log->real);
    log->left -= got;
    return static_cast<ssize_t>(got);
}

int closeFailingLog(void* cookie) {
    auto* log = static_cast<FailingLog*>(cookie);
    std::fclose(log->real);
    delete log;
    return 0;
}

struct RunStopped {
    int status;
};

TEST(ProgramFaults, AReadErrorInTheMiddleOfTheLogIsFatal) {
    TempFolder folder;
    std::string log;
    while (log.size() < (3u << 20))
        log += "[10:00:00] Vous attaquez le loup avec votre dague, et infligez 40 points!\n";
    folder.write("chat.log", log);
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    ConsoleCapture console;
    platform().exitProgram = [](int status) { throw RunStopped{status}; };
    platform().openForReading = [](const std::string& name, std::FILE*& file) {
        std::FILE* real = std::fopen(name.c_str(), "rb");
        if (real == nullptr)
            return errno;
        file = fopencookie(new FailingLog{real, 2u << 20}, "rb",
                           {readUntilFailure, nullptr, nullptr, closeFailingLog});
        return 0;
    };
    int status = 0;
    try {
        status = runProgram({});
    } catch (const RunStopped& stopped) {
        status = stopped.status;
    }
    std::filesystem::current_path(home);
    EXPECT_EQ(status, 1);
    std::string expectedEnd =
        "\n\nERREUR\n\nimpossible de lire le fichier chat.log : Input/output error";
    const std::string& text = console.text();
    EXPECT_EQ(lastBytes(text, expectedEnd.size()), expectedEnd);
    EXPECT_NE(text.find("Lecture en cours........"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Resultats.html")));
}

#endif

}  // namespace
}  // namespace torvelin
