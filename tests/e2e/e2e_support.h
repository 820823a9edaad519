// Running the real program in a fresh folder, as a player would.
#pragma once

#include <string>
#include <string_view>

namespace torvelin::testing {

struct ProgramRun {
    int exitStatus = -1;
    std::string console;  // everything the program printed
};

// A new empty temporary folder, removed with its content when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }
    void write(std::string_view name, std::string_view bytes) const;

  private:
    std::string path_;
};

// Runs the program in `folder` with standard input from the null device (/dev/null, NUL), or from
// `input` when given; `shellSetup` (shell commands ending in "&& " or "; ") runs first in the same
// shell, and `arguments` (already quoted for the shell) follow the program's name.
ProgramRun runTorvelin(const TempFolder& folder, const std::string* input = nullptr,
                       std::string_view shellSetup = "", std::string_view arguments = "");

// The expected file `name` of the test data folder (tests/e2e/data).
std::string expectedFile(std::string_view name);

}  // namespace torvelin::testing
