#include "e2e/e2e_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "test_support.h"

namespace torvelin::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "torvelin-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    path_ = pattern;
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
    std::string stdinPath = "/dev/null";
    if (input != nullptr) {
        stdinPath = folder.file(".typed-input");
        folder.write(".typed-input", *input);
    }
    std::string command = "cd '" + folder.path() + "' && " + std::string(shellSetup) + "'" +
                          TORVELIN_BINARY + "' " + std::string(arguments) + " <'" + stdinPath +
                          "' 2>&1";
    ProgramRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.console.append(buffer, n);
    int status = pclose(pipe);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (input != nullptr)
        std::remove(stdinPath.c_str());
    return run;
}

std::string expectedFile(std::string_view name) {
    return readFile(std::string(TORVELIN_EXPECTED_DIR) + "/" + std::string(name));
}

}  // namespace torvelin::testing
