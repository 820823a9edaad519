#include "e2e/e2e_support.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "test_support.h"

namespace torvelin::testing {
namespace {

// The command line that runs `program` with `arguments` in `folder` after `setup`, its input read
// from `input` and everything it prints written to `console`; and the program's exit status from
// what std::system returned.
struct Command {
    std::string folder;
    std::string program;
    std::string input;
    std::string console;
    std::string_view setup;
    std::string_view arguments;
};

#ifdef _WIN32
std::string commandLine(const Command& c) {
    return "cd /d \"" + c.folder + "\" && " + std::string(c.setup) + "\"" + c.program + "\" " +
           std::string(c.arguments) + " <\"" + c.input + "\" >\"" + c.console + "\" 2>&1";
}
const char* const noInput = "NUL";
int exitStatus(int status) {
    return status;
}
#else
// The program writes its own Latin-1 bytes under the C locale, whatever the caller's locale.
std::string commandLine(const Command& c) {
    return "cd '" + c.folder + "' && export LC_ALL=C && " + std::string(c.setup) + "'" + c.program +
           "' " + std::string(c.arguments) + " <'" + c.input + "' >'" + c.console + "' 2>&1";
}
const char* const noInput = "/dev/null";
int exitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

// Console text with the line ends of the program's own text: Windows writes "\r\n" for "\n".
std::string programLineEnds(std::string text) {
#ifdef _WIN32
    std::string::size_type at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos)
        text.erase(at, 1);
#endif
    return text;
}

}  // namespace

TempFolder::TempFolder() {
    static std::mt19937_64 random{std::random_device{}()};
    std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        std::filesystem::path candidate = base / ("torvelin-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempFolder::write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(file(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ProgramRun runTorvelin(const TempFolder& folder, const std::string* input,
                       std::string_view shellSetup, std::string_view arguments) {
    std::string stdinPath = noInput;
    if (input != nullptr) {
        stdinPath = folder.file(".typed-input");
        folder.write(".typed-input", *input);
    }
    std::string consolePath = folder.file(".console");
    std::string program = std::filesystem::absolute(TORVELIN_BINARY).string();
    ProgramRun run;
    Command command{folder.path(), program, stdinPath, consolePath, shellSetup, arguments};
    run.exitStatus = exitStatus(std::system(commandLine(command).c_str()));
    run.console = programLineEnds(readFile(consolePath));
    std::filesystem::remove(consolePath);
    if (input != nullptr)
        std::filesystem::remove(stdinPath);
    return run;
}

std::string expectedFile(std::string_view name) {
    return readFile(std::string(TORVELIN_EXPECTED_DIR) + "/" + std::string(name));
}

}  // namespace torvelin::testing
