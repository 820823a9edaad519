// The console and clock of POSIX systems.
#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
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

// Latin-1 text is converted to UTF-8 only for a terminal that expects UTF-8; redirected output
// keeps the program's own bytes.
void writeTo(std::FILE* stream, bool terminal, std::string_view latin1) {
    if (terminal && localeIsUtf8()) {
        std::string utf8 = utf8OfLatin1(latin1);
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
    } else {
        std::fwrite(latin1.data(), 1, latin1.size(), stream);
    }
    std::fflush(stream);
}

void writeConsole(std::string_view latin1) {
    static const bool terminal = isatty(STDOUT_FILENO) != 0;
    writeTo(stdout, terminal, latin1);
}

void writeError(std::string_view latin1) {
    static const bool terminal = isatty(STDERR_FILENO) != 0;
    writeTo(stderr, terminal, latin1);
}

// A word typed or given in UTF-8 becomes Latin-1 when it can; other bytes are kept as they are
// (opening a file tries them too).
std::string latin1Word(std::string_view word) {
    std::optional<std::string> latin1 = latin1OfUtf8(word);
    return latin1 ? *latin1 : std::string(word);
}

std::vector<std::string> arguments(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        words.push_back(latin1Word(argv[i]));
    return words;
}

bool readLine(std::string& line) {
    line.clear();
    if (!std::getline(std::cin, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    line = latin1Word(line);
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
    if (terminalChanged)
        tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    terminalChanged = false;
}

bool keyPressed(int timeoutMs) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    return poll(&input, 1, timeoutMs) > 0 && (input.revents & POLLIN) != 0;
}

volatile std::sig_atomic_t stopAsked = 0;
struct sigaction savedInterrupt {};
struct sigaction savedTermination {};

void askStop(int) {
    stopAsked = 1;
}

void watchStopRequests(bool on) {
    if (on) {
        stopAsked = 0;
        struct sigaction stop {};
        stop.sa_handler = askStop;
        sigemptyset(&stop.sa_mask);
        sigaction(SIGINT, &stop, &savedInterrupt);
        sigaction(SIGTERM, &stop, &savedTermination);
        if (hasKeyboard())
            beginKeyWatch();
    } else {
        sigaction(SIGINT, &savedInterrupt, nullptr);
        sigaction(SIGTERM, &savedTermination, nullptr);
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

// File names are UTF-8 on today's POSIX systems: a Latin-1 name is given in its UTF-8 form.
std::string systemName(const std::string& latin1) {
    return utf8OfLatin1(latin1);
}

bool hasHighBytes(const std::string& name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

int openForReading(const std::string& name, std::FILE*& file) {
    file = std::fopen(systemName(name).c_str(), "rb");
    if (file == nullptr && errno == ENOENT && hasHighBytes(name)) {
        // A name typed or given in the system's own bytes (or an old Latin-1 file name).
        file = std::fopen(name.c_str(), "rb");
    }
    return file == nullptr ? errno : 0;
}

int createNewFile(const std::string& name, std::FILE*& file) {
    file = nullptr;
    int fd = open(systemName(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
    return std::rename(systemName(from).c_str(), systemName(to).c_str()) == 0 ? 0 : errno;
}

void removeFile(const std::string& name) {
    std::remove(systemName(name).c_str());
}

int makeFolders(const std::string& name) {
    std::error_code error;
    std::filesystem::create_directories(systemName(name), error);
    return error.value();
}

void exitProgram(int status) {
    std::exit(status);
}

}  // namespace torvelin::native
