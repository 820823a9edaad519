// The gated dispatch chain must do exactly what the chain of every parser does: same pages (the
// fights' files included), same console, same status, on every end-to-end log and on logs made of
// their lines shuffled and mutated.
#include "driver/dispatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/platform.h"
#include "driver/program.h"
#include "e2e/e2e_support.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::ConsoleCapture;
using testing::readFile;
using testing::TempFolder;

struct RunStopped {
    int status;
};

void stopRun(int status) {
    throw RunStopped{status};
}

struct RunResult {
    int status = 0;
    std::string console;
    std::map<std::string, std::string> files;

    bool operator==(const RunResult&) const = default;
};

// Runs the program in a fresh folder on `log`, the fights exported too; a fatal error ends the
// run, not the tests.
RunResult runOn(const std::string& log, LineChain chain) {
    TempFolder folder;
    folder.write("chat.log", log);
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    ConsoleCapture console;
    platform().exitProgram = stopRun;
    RunResult result;
    try {
        result.status = runProgram({"--json"}, chain);
    } catch (const RunStopped& stopped) {
        result.status = stopped.status;
    }
    std::filesystem::current_path(home);
    result.console = console.text();
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        std::string name = entry.path().filename().string();
        if (name != "chat.log")
            result.files[name] = readFile(entry.path().string());
    }
    return result;
}

std::vector<std::string> endToEndLogs() {
    std::vector<std::string> logs;
    for (const auto& entry : std::filesystem::directory_iterator(TORVELIN_EXPECTED_DIR))
        logs.push_back(readFile((entry.path() / "chat.log").string()));
    logs.push_back(readFile(std::string(TORVELIN_EXPECTED_DIR) + "/../../../examples/chat.log"));
    return logs;
}

std::vector<std::string> linesOf(const std::vector<std::string>& logs) {
    std::vector<std::string> lines;
    for (const std::string& log : logs) {
        std::size_t start = 0;
        while (start < log.size()) {
            std::size_t end = log.find('\n', start);
            end = end == std::string::npos ? log.size() : end + 1;
            lines.push_back(log.substr(start, end - start));
            start = end;
        }
    }
    return lines;
}

// A log of lines drawn from the end-to-end logs, some of them mutated: another line's time stamp,
// a piece of another line's text spliced in (so that phrases meet at odd places), a cut.
std::string variedLog(const std::vector<std::string>& pool, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    std::string log;
    std::size_t count = 20 + pick(300);
    for (std::size_t n = 0; n < count; ++n) {
        std::string line = pool[pick(pool.size())];
        const std::string& other = pool[pick(pool.size())];
        switch (pick(10)) {
            case 0:
                if (line.size() > 11 && other.size() > 11)
                    line.replace(0, 11, other, 0, 11);
                break;
            case 1: {
                std::size_t from = pick(other.size() + 1);
                std::string piece = other.substr(from, pick(other.size() - from + 1));
                line.insert(pick(line.size() + 1), piece);
                break;
            }
            case 2:
                line.resize(pick(line.size() + 1));
                break;
            default:
                break;
        }
        log += line;
    }
    return log;
}

TEST(DispatchChains, GatedChainDoesWhatEveryParserDoes) {
    std::vector<std::string> logs = endToEndLogs();
    std::vector<std::string> pool = linesOf(logs);
    for (unsigned seed = 0; seed < 200; ++seed)
        logs.push_back(variedLog(pool, seed));
    for (std::size_t i = 0; i < logs.size(); ++i) {
        RunResult gated = runOn(logs[i], LineChain::gated);
        RunResult everyParser = runOn(logs[i], LineChain::everyStep);
        EXPECT_TRUE(gated == everyParser) << "log " << i << ":\n" << logs[i];
        if (!(gated == everyParser))
            break;
    }
}

}  // namespace
}  // namespace torvelin
