// The console, files and signals of POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "base/platform.h"
#include "base/platform_native.h"
#include "base/utf8.h"

namespace torvelin::native {

// Whether the user's settings ask for UTF-8 text.
bool localeIsUtf8() {
    static const bool utf8 = [] {
        if (std::setlocale(LC_CTYPE, "") == nullptr)
            return false;
        const char* codeset = nl_langinfo(CODESET);
        bool wanted = codeset != nullptr &&
                      (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
        std::setlocale(LC_CTYPE, "C");
        return wanted;
    }();
    return utf8;
}

// Latin-1 text is converted to UTF-8 when the user's locale asks for UTF-8, whether the text goes
// to a terminal, a pipe or a file; other locales get the program's own bytes.
void writeTo(std::FILE* stream, std::string_view latin1) {
    if (localeIsUtf8()) {
        std::string utf8 = utf8OfLatin1(latin1);
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
    } else {
        std::fwrite(latin1.data(), 1, latin1.size(), stream);
    }
    std::fflush(stream);
}

void writeConsole(std::string_view latin1) {
    writeTo(stdout, latin1);
}

void writeError(std::string_view latin1) {
    writeTo(stderr, latin1);
}

// The words and typed lines are the system's own bytes: names of files as the user gave them.
std::vector<std::string> arguments(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        words.emplace_back(argv[i]);
    return words;
}

bool readLine(std::string& line) {
    line.clear();
    if (!std::getline(std::cin, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool hasKeyboard() {
    return isatty(STDIN_FILENO) != 0;
}

termios savedTerminal{};
bool terminalChanged = false;

void beginKeyWatch() {
    // Already watching (a fatal error in the follow mode counts down): the user's settings are
    // those saved first.
    if (terminalChanged || tcgetattr(STDIN_FILENO, &savedTerminal) != 0)
        return;
    termios raw = savedTerminal;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    terminalChanged = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
}

void endKeyWatch() {
    if (!terminalChanged)
        return;
    tcflush(STDIN_FILENO, TCIFLUSH);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    terminalChanged = false;
}

bool keyPressed(int timeoutMs) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    return poll(&input, 1, timeoutMs) > 0 && (input.revents & POLLIN) != 0;
}

// The signals that stop the program: an interruption (Ctrl-C), a termination, a hang-up.
constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t stopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int number : stopSignals)
        sigaddset(&set, number);
    return set;
}

// Whether the program should leave `number` as it found it: a hang-up ignored when the program
// started (nohup) stays ignored.
bool keptIgnored(int number, const struct sigaction& before) {
    return number == SIGHUP && before.sa_handler == SIG_IGN;
}

// The scratch file's name, for the signal handler: two buffers, the one in use named by
// `scratchSlot` (-1: none). A new name is written into the other buffer, then the slot turns to
// it, so that a handler never reads a name being written, on whatever thread it runs.
constexpr std::size_t scratchRoom = 4096;
char scratchNames[2][scratchRoom];
std::atomic<int> scratchSlot{-1};
static_assert(std::atomic<int>::is_always_lock_free);

// Only what a signal handler may do: remove the file, then end as the signal ends a program.
void removeScratchAndStop(int number) {
    int slot = scratchSlot.load();
    if (slot >= 0)
        unlink(scratchNames[slot]);
    struct sigaction usual {};
    usual.sa_handler = SIG_DFL;
    sigemptyset(&usual.sa_mask);
    sigaction(number, &usual, nullptr);
    raise(number);  // delivered once the handler returns
}

void handleSignals() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
    sigaction(SIGPIPE, &ignore, nullptr);
    struct sigaction stop {};
    stop.sa_handler = removeScratchAndStop;
    stop.sa_mask = stopSignalSet();
    for (int number : stopSignals) {
        struct sigaction before {};
        sigaction(number, nullptr, &before);
        if (!keptIgnored(number, before))
            sigaction(number, &stop, nullptr);
    }
}

void setScratchName(const std::string& name) {
    // A handler on this thread waits until the name is whole; a handler on another reads the
    // buffer in use, which is not the one written.
    sigset_t stops = stopSignalSet();
    sigset_t saved;
    pthread_sigmask(SIG_BLOCK, &stops, &saved);
    if (name.empty() || name.size() >= scratchRoom) {
        scratchSlot.store(-1);
    } else {
        int slot = scratchSlot.load() == 0 ? 1 : 0;
        std::memcpy(scratchNames[slot], name.c_str(), name.size() + 1);
        scratchSlot.store(slot);
    }
    pthread_sigmask(SIG_SETMASK, &saved, nullptr);
}

volatile std::sig_atomic_t stopAsked = 0;
struct sigaction savedStops[std::size(stopSignals)];

void askStop(int) {
    stopAsked = 1;
}

void watchStopRequests(bool on) {
    if (on) {
        stopAsked = 0;
        struct sigaction stop {};
        stop.sa_handler = askStop;
        sigemptyset(&stop.sa_mask);
        for (std::size_t i = 0; i < std::size(stopSignals); ++i) {
            sigaction(stopSignals[i], nullptr, &savedStops[i]);
            if (!keptIgnored(stopSignals[i], savedStops[i]))
                sigaction(stopSignals[i], &stop, nullptr);
        }
        if (hasKeyboard())
            beginKeyWatch();
    } else {
        for (std::size_t i = 0; i < std::size(stopSignals); ++i)
            sigaction(stopSignals[i], &savedStops[i], nullptr);
        endKeyWatch();
    }
}

// Sleeps in the kernel: a signal ends the wait at once, and so does a key when a keyboard is
// attached.
bool waitForStop(int timeoutMs) {
    if (stopAsked == 0) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        bool keyboard = terminalChanged;
        poll(&input, keyboard ? 1 : 0, timeoutMs);
        if (keyboard && (input.revents & POLLIN) != 0)
            stopAsked = 1;
    }
    return stopAsked != 0;
}

int sizeOfFile(std::FILE* file, std::int64_t& size) {
    struct stat status {};
    if (fstat(fileno(file), &status) != 0)
        return errno;
    size = status.st_size;
    return 0;
}

int seekFile(std::FILE* file, std::int64_t offset) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0 ? 0 : errno;
}

int openForReading(const std::string& name, std::FILE*& file) {
    file = std::fopen(name.c_str(), "rb");
    return file == nullptr ? errno : 0;
}

int createNewFile(const std::string& name, std::FILE*& file) {
    file = nullptr;
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    file = fdopen(fd, "wb");
    if (file == nullptr) {
        int error = errno;
        close(fd);
        return error;
    }
    return 0;
}

int replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void removeFile(const std::string& name) {
    std::remove(name.c_str());
}

int makeFolders(const std::string& name) {
    std::error_code error;
    std::filesystem::create_directories(name, error);
    return error.value();
}

FileFacts factsOfStatus(const struct stat& status) {
    FileFacts facts;
    if (S_ISREG(status.st_mode))
        facts.kind = FileKind::regular;
    else if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
        facts.kind = FileKind::pipe;
    else if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        facts.kind = FileKind::device;
    facts.identity = {static_cast<std::uint64_t>(status.st_dev),
                      static_cast<std::uint64_t>(status.st_ino)};
    facts.modified = std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    return facts;
}

int factsOfOpenFile(std::FILE* file, FileFacts& facts) {
    struct stat status {};
    if (fstat(fileno(file), &status) != 0)
        return errno;
    facts = factsOfStatus(status);
    return 0;
}

int factsOfName(const std::string& name, FileFacts& facts) {
    struct stat status {};
    if (lstat(name.c_str(), &status) != 0)
        return errno;
    facts = factsOfStatus(status);
    return 0;
}

int listFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return errno;
    while (const dirent* entry = readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    closedir(dir);
    return 0;
}

// The coarse clock is the one Linux stamps files with: a file written after this reading is never
// stamped earlier.
std::int64_t fileClock() {
    timespec now{};
#ifdef CLOCK_REALTIME_COARSE
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
#else
    clock_gettime(CLOCK_REALTIME, &now);
#endif
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

void exitProgram(int status) {
    std::exit(status);
}

}  // namespace torvelin::native
