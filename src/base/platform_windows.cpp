// The console and clock of Windows (built with MinGW).
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "base/platform.h"

namespace torvelin {
namespace {

// The console of a French Windows shows Latin-1 text once its code page is 1252.
void writeConsole(std::string_view latin1) {
    static const bool codePageSet = [] {
        if (_isatty(_fileno(stdout)) != 0)
            SetConsoleOutputCP(1252);
        return true;
    }();
    (void)codePageSet;
    std::fwrite(latin1.data(), 1, latin1.size(), stdout);
    std::fflush(stdout);
}

void writeError(std::string_view latin1) {
    std::fwrite(latin1.data(), 1, latin1.size(), stderr);
    std::fflush(stderr);
}

std::vector<std::string> arguments(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        words.emplace_back(argv[i]);
    return words;
}

bool readWord(std::string& word) {
    word.clear();
    return static_cast<bool>(std::cin >> word);
}

bool hasKeyboard() {
    return _isatty(_fileno(stdin)) != 0;
}

// The console reads keys without echo and without Enter through _kbhit; nothing to prepare.
void beginKeyWatch() {}
void endKeyWatch() {}

bool keyPressed(int timeoutMs) {
    if (_kbhit() != 0)
        return true;
    Sleep(static_cast<DWORD>(timeoutMs));
    return _kbhit() != 0;
}

std::int64_t clockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string timeOfDay() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

volatile LONG stopAsked = 0;

BOOL WINAPI askStop(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        stopAsked = 1;
        return TRUE;
    }
    return FALSE;
}

void watchStopRequests(bool on) {
    stopAsked = 0;
    SetConsoleCtrlHandler(askStop, on ? TRUE : FALSE);
}

bool waitForStop(int timeoutMs) {
    constexpr int sliceMs = 50;
    for (int waited = 0; stopAsked == 0 && waited < timeoutMs; waited += sliceMs) {
        if (hasKeyboard() && _kbhit() != 0) {
            stopAsked = 1;
            break;
        }
        Sleep(static_cast<DWORD>(timeoutMs - waited < sliceMs ? timeoutMs - waited : sliceMs));
    }
    return stopAsked != 0;
}

int sizeOfFile(std::FILE* file, std::int64_t& size) {
    struct _stat64 status {};
    if (_fstat64(_fileno(file), &status) != 0)
        return errno;
    size = status.st_size;
    return 0;
}

int seekFile(std::FILE* file, std::int64_t offset) {
    return _fseeki64(file, offset, SEEK_SET) == 0 ? 0 : errno;
}

// Latin-1 is the first 256 characters of Unicode: each byte is one UTF-16 character.
std::wstring systemName(const std::string& latin1) {
    std::wstring wide;
    wide.reserve(latin1.size());
    for (char c : latin1)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

int openForReading(const std::string& name, std::FILE*& file) {
    file = _wfopen(systemName(name).c_str(), L"rb");
    return file == nullptr ? errno : 0;
}

int createNewFile(const std::string& name, std::FILE*& file) {
    file = nullptr;
    int fd = _wopen(systemName(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                    _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return errno;
    file = _fdopen(fd, "wb");
    if (file == nullptr) {
        int error = errno;
        _close(fd);
        return error;
    }
    return 0;
}

int replaceFile(const std::string& from, const std::string& to) {
    if (MoveFileExW(systemName(from).c_str(), systemName(to).c_str(), MOVEFILE_REPLACE_EXISTING))
        return 0;
    return EACCES;
}

void removeFile(const std::string& name) {
    _wremove(systemName(name).c_str());
}

int makeFolders(const std::string& name) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(systemName(name)), error);
    return error.value();
}

void exitProgram(int status) {
    std::exit(status);
}

}  // namespace

Platform nativePlatform() {
    Platform p{};
    p.writeConsole = writeConsole;
    p.writeError = writeError;
    p.arguments = arguments;
    p.readWord = readWord;
    p.hasKeyboard = hasKeyboard;
    p.beginKeyWatch = beginKeyWatch;
    p.endKeyWatch = endKeyWatch;
    p.keyPressed = keyPressed;
    p.clockMs = clockMs;
    p.timeOfDay = timeOfDay;
    p.watchStopRequests = watchStopRequests;
    p.waitForStop = waitForStop;
    p.openForReading = openForReading;
    p.sizeOfFile = sizeOfFile;
    p.seekFile = seekFile;
    p.createNewFile = createNewFile;
    p.replaceFile = replaceFile;
    p.removeFile = removeFile;
    p.makeFolders = makeFolders;
    p.exitProgram = exitProgram;
    return p;
}

}  // namespace torvelin
