// The fuzz target: each input is a whole chat.log, read by the real program, which writes its
// pages into a private folder. The console is captured, no one types and no key is pressed; a
// fatal error ends the run through the exit door instead of ending the process.
//
// After each run the target checks what no log may ever make the program do: leave files open or
// write outside its folder. Each input is read twice, by the gated dispatch chain and by the chain
// that calls every parser on every line: their pages (the fights' export included), console and
// status must be the same. Any difference aborts, and libFuzzer keeps the input.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"
#include "driver/dispatch.h"
#include "driver/program.h"

namespace {

// Larger inputs teach nothing new and slow the fuzzer down.
constexpr std::size_t maxInputSize = std::size_t{1} << 20;
// The folder the program runs in, alone inside the outer private folder.
constexpr std::string_view innerName = "run";
// Where the system lists the open descriptors (Linux); the check is skipped without it.
constexpr const char* descriptorFolder = "/proc/self/fd";

// Thrown by the exit door to stop a run.
struct RunStopped {
    int status;
};

std::string console;

void captureConsole(std::string_view text) {
    console.append(text);
}
bool endOfConsoleInput(std::string& word) {
    word.clear();
    return false;
}
bool noKeyboard() {
    return false;
}
void noKeyWatch() {}
// libFuzzer keeps its own handlers of Ctrl-C and of the other signals.
void keepSignals() {}
bool noKey(int) {
    return false;
}
std::int64_t frozenClock() {
    return 0;
}
[[noreturn]] void stopRun(int status) {
    throw RunStopped{status};
}

// The native files with a silent console and no keyboard.
torvelin::Platform fuzzPlatform() {
    torvelin::Platform p = torvelin::nativePlatform();
    p.writeConsole = captureConsole;
    p.readLine = endOfConsoleInput;
    p.hasKeyboard = noKeyboard;
    p.beginKeyWatch = noKeyWatch;
    p.endKeyWatch = noKeyWatch;
    p.keyPressed = noKey;
    p.clockMs = frozenClock;
    p.exitProgram = stopRun;
    p.handleSignals = keepSignals;
    return p;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "\n==torvelin_fuzz== %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string lastError() {
    return std::strerror(errno);
}

// The names in a folder, without "." and "..".
std::vector<std::string> folderEntries(const std::string& path) {
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr)
        fail("cannot list " + path + ": " + lastError());
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    closedir(dir);
    return names;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += "\n  " + name;
    return text;
}

bool canListDescriptors() {
    return access(descriptorFolder, R_OK) == 0;
}

// The open descriptors and what they name, but for the listing's own.
std::vector<std::string> openDescriptors() {
    DIR* dir = opendir(descriptorFolder);
    if (dir == nullptr)
        fail(std::string("cannot list ") + descriptorFolder + ": " + lastError());
    std::string own = std::to_string(dirfd(dir));
    std::vector<std::string> open;
    while (const dirent* entry = readdir(dir)) {
        std::string fd = entry->d_name;
        if (fd == "." || fd == ".." || fd == own)
            continue;
        std::string link = std::string(descriptorFolder) + "/" + fd;
        char target[4096];
        ssize_t length = readlink(link.c_str(), target, sizeof target);
        std::string named =
            length < 0 ? "?" : std::string(target, static_cast<std::size_t>(length));
        open.push_back(fd + " -> " + named);
    }
    closedir(dir);
    return open;
}

// What a run leaves: its status, its console text and the files of its folder.
struct RunResult {
    int status = 0;
    std::string console;
    std::map<std::string, std::string> files;

    bool operator==(const RunResult&) const = default;
};

std::string fileText(const std::string& path) {
    std::string text;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        fail("cannot read " + path + ": " + lastError());
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

class PrivateFolder {
  public:
    PrivateFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
        pattern += "/torvelin_fuzz.XXXXXX";
        std::vector<char> path(pattern.begin(), pattern.end());
        path.push_back('\0');
        if (mkdtemp(path.data()) == nullptr)
            fail("cannot create a folder from " + pattern + ": " + lastError());
        outer_ = path.data();
        inner_ = outer_ + "/" + std::string(innerName);
        if (mkdir(inner_.c_str(), 0700) != 0)
            fail("cannot create " + inner_ + ": " + lastError());
        home_ = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (home_ < 0)
            fail("cannot open the current folder: " + lastError());
        checkDescriptors_ = canListDescriptors();
    }

    ~PrivateFolder() {
        for (const std::string& name : folderEntries(inner_))
            unlink((inner_ + "/" + name).c_str());
        rmdir(inner_.c_str());
        rmdir(outer_.c_str());
        close(home_);
    }

    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    RunResult run(const std::uint8_t* data, std::size_t size, torvelin::LineChain chain) {
        writeLog(data, size);
        RunResult result;
        console.clear();
        std::size_t openBefore = checkDescriptors_ ? openDescriptors().size() : 0;
        if (chdir(inner_.c_str()) != 0)
            fail("cannot enter " + inner_ + ": " + lastError());
        try {
            result.status = torvelin::runProgram({"--json"}, chain);
        } catch (const RunStopped& stopped) {
            result.status = stopped.status;  // a fatal error: the run is over
        }
        result.console = console;
        if (fchdir(home_) != 0)
            fail("cannot leave " + inner_ + ": " + lastError());
        if (checkDescriptors_) {
            std::vector<std::string> openAfter = openDescriptors();
            if (openAfter.size() > openBefore)
                fail("the run left " + std::to_string(openAfter.size() - openBefore) +
                     " file(s) open; open now:" + joined(openAfter));
        }
        std::vector<std::string> outside = folderEntries(outer_);
        if (outside.size() != 1 || outside[0] != innerName)
            fail("the run wrote outside its folder " + inner_ + "; " + outer_ +
                 " holds:" + joined(outside));
        result.files = empty();
        return result;
    }

  private:
    void writeLog(const std::uint8_t* data, std::size_t size) {
        std::string name = inner_ + "/chat.log";
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0)
            fail("cannot create " + name + ": " + lastError());
        while (size > 0) {
            ssize_t written = write(fd, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                fail("cannot write " + name + ": " + lastError());
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        close(fd);
    }

    // Removes the log and every page, and gives the pages; the program writes nothing but files.
    std::map<std::string, std::string> empty() {
        std::map<std::string, std::string> files;
        for (const std::string& name : folderEntries(inner_)) {
            std::string path = inner_ + "/" + name;
            if (name != "chat.log")
                files[name] = fileText(path);
            if (unlink(path.c_str()) != 0)
                fail("cannot remove " + path + ": " + lastError());
        }
        return files;
    }

    std::string outer_;
    std::string inner_;
    int home_ = -1;
    bool checkDescriptors_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > maxInputSize)
        return 0;
    static PrivateFolder folder;
    torvelin::platform() = fuzzPlatform();
    RunResult gated = folder.run(data, size, torvelin::LineChain::gated);
    RunResult everyParser = folder.run(data, size, torvelin::LineChain::everyStep);
    if (!(gated == everyParser))
        fail("the gated dispatch chain and the chain of every parser disagree on this input");
    return 0;
}
