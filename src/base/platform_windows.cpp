// The console, clock and files of Windows (built with MinGW-w64).
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <shellapi.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "base/platform.h"
#include "base/platform_native.h"

namespace torvelin::native {

// Latin-1 is the first 256 characters of Unicode: each byte is one UTF-16 character.
std::wstring wideText(std::string_view latin1) {
    std::wstring wide;
    wide.reserve(latin1.size());
    for (char c : latin1)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

// Whether `handle` is a console (not a file, a pipe or the NUL device, which C's _isatty takes
// for a terminal too).
bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

HANDLE consoleInput() {
    return GetStdHandle(STD_INPUT_HANDLE);
}

// A console is given UTF-16 text, so that accented letters show whatever its code page;
// redirected output keeps the program's own bytes.
void writeTo(HANDLE output, bool toConsole, std::FILE* stream, std::string_view latin1) {
    if (!toConsole) {
        std::fwrite(latin1.data(), 1, latin1.size(), stream);
        std::fflush(stream);
        return;
    }
    std::wstring wide = wideText(latin1);
    const wchar_t* next = wide.data();
    std::size_t left = wide.size();
    while (left > 0) {
        DWORD chunk = left < 8192 ? static_cast<DWORD>(left) : 8192;
        DWORD written = 0;
        if (!WriteConsoleW(output, next, chunk, &written, nullptr) || written == 0)
            return;
        next += written;
        left -= written;
    }
}

void writeConsole(std::string_view latin1) {
    static const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    static const bool toConsole = isConsole(output);
    writeTo(output, toConsole, stdout, latin1);
}

void writeError(std::string_view latin1) {
    static const HANDLE output = GetStdHandle(STD_ERROR_HANDLE);
    static const bool toConsole = isConsole(output);
    writeTo(output, toConsole, stderr, latin1);
}

// A text of the system in Latin-1: a character beyond it becomes '?' (one for a character written
// as two UTF-16 units).
std::string latin1Text(const wchar_t* wide) {
    std::string text;
    for (; *wide != L'\0'; ++wide) {
        bool secondHalf = *wide >= 0xDC00 && *wide <= 0xDFFF;
        if (!secondHalf)
            text.push_back(*wide <= 0xFF ? static_cast<char>(*wide) : '?');
    }
    return text;
}

// The words of the command line as Windows keeps them, in UTF-16.
std::vector<std::string> arguments(int argc, char** argv) {
    std::vector<std::string> words;
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            words.push_back(latin1Text(wide[i]));
        LocalFree(wide);
        return words;
    }
    for (int i = 1; i < argc; ++i)
        words.emplace_back(argv[i]);
    return words;
}

// Characters typed at the console and not taken by a word yet.
std::wstring typedLine;
std::size_t typedAt = 0;
constexpr wchar_t endOfInputKey = 0x1A;  // Ctrl+Z

// The next character typed at the console; false at the end of input.
bool nextTypedChar(wchar_t& c) {
    if (typedAt == typedLine.size()) {
        wchar_t buffer[256];
        DWORD count = 0;
        if (!ReadConsoleW(consoleInput(), buffer, 256, &count, nullptr) || count == 0)
            return false;
        typedLine.assign(buffer, count);
        typedAt = 0;
    }
    c = typedLine[typedAt++];
    return c != endOfInputKey;
}

// A line typed at the console, without its line break, in Latin-1: a character beyond it becomes
// '?' (one for a character written as two UTF-16 units). False at the end of input when nothing
// was typed before it.
bool readConsoleLine(std::string& line) {
    wchar_t c = 0;
    bool more = nextTypedChar(c);
    if (!more)
        return false;
    while (more && c != L'\n') {
        bool secondHalf = c >= 0xDC00 && c <= 0xDFFF;
        if (!secondHalf)
            line.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
        more = nextTypedChar(c);
    }
    return true;
}

// Typed at the console, or read as bytes from a file or a pipe.
bool readLine(std::string& line) {
    line.clear();
    static const bool fromConsole = isConsole(consoleInput());
    bool read =
        fromConsole ? readConsoleLine(line) : static_cast<bool>(std::getline(std::cin, line));
    if (read && !line.empty() && line.back() == '\r')
        line.pop_back();
    return read;
}

bool hasKeyboard() {
    return isConsole(consoleInput());
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
    bool keyboard = hasKeyboard();
    for (int waited = 0; stopAsked == 0 && waited < timeoutMs; waited += sliceMs) {
        if (keyboard && _kbhit() != 0) {
            stopAsked = 1;
            break;
        }
        Sleep(static_cast<DWORD>(timeoutMs - waited < sliceMs ? timeoutMs - waited : sliceMs));
    }
    return stopAsked != 0;
}

// The error number of the C runtime for a Windows error code.
int errorNumber(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_CURRENT_DIRECTORY:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return EINVAL;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        default:
            return EIO;
    }
}

int openForReading(const std::string& name, std::FILE*& file) {
    file = _wfopen(wideText(name).c_str(), L"rb");
    return file == nullptr ? errno : 0;
}

int createNewFile(const std::string& name, std::FILE*& file) {
    file = nullptr;
    int fd =
        _wopen(wideText(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
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
    if (MoveFileExW(wideText(from).c_str(), wideText(to).c_str(), MOVEFILE_REPLACE_EXISTING))
        return 0;
    return errorNumber(GetLastError());
}

void removeFile(const std::string& name) {
    _wremove(wideText(name).c_str());
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

int makeFolders(const std::string& name) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(wideText(name)), error);
    return error.value();
}

void exitProgram(int status) {
    std::exit(status);
}

}  // namespace torvelin::native
