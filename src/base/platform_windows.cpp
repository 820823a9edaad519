// The console, files and console events of Windows (built with MinGW-w64).
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "base/platform.h"
#include "base/platform_native.h"
#include "base/utf8.h"

namespace torvelin::native {

// Names in the system's form are UTF-8 in the program, UTF-16 at the door.
std::wstring wideName(const std::string& utf8) {
    if (utf8.empty())
        return {};
    int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// A UTF-16 text of the system in UTF-8. Half of a character without its other half (which no
// file name can hold) becomes "?", so that the name fails to open rather than naming another file.
std::string utf8Name(std::wstring_view wide) {
    std::string utf8;
    std::wstring whole;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wchar_t c = wide[i];
        bool first = c >= 0xD800 && c <= 0xDBFF;
        bool second = c >= 0xDC00 && c <= 0xDFFF;
        if (first && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            whole.push_back(c);
            whole.push_back(wide[++i]);
        } else {
            whole.push_back(first || second ? L'?' : c);
        }
    }
    if (whole.empty())
        return utf8;
    int size = WideCharToMultiByte(CP_UTF8, 0, whole.data(), static_cast<int>(whole.size()),
                                   nullptr, 0, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, whole.data(), static_cast<int>(whole.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

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

// The words of the command line as Windows keeps them, in UTF-16; the C runtime's words, in the
// ANSI code page, only when those cannot be had.
std::vector<std::string> arguments(int argc, char** argv) {
    std::vector<std::string> words;
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            words.push_back(utf8Name(wide[i]));
        LocalFree(wide);
        return words;
    }
    for (int i = 1; i < argc; ++i) {
        int size = MultiByteToWideChar(CP_ACP, 0, argv[i], -1, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
        MultiByteToWideChar(CP_ACP, 0, argv[i], -1, wide.data(), size);
        words.push_back(utf8Name(wide.c_str()));
    }
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

// A line typed at the console, without its line break, in the system's form. False at the end of
// input when nothing was typed before it.
bool readConsoleLine(std::string& line) {
    wchar_t c = 0;
    bool more = nextTypedChar(c);
    if (!more)
        return false;
    std::wstring wide;
    while (more && c != L'\n') {
        wide.push_back(c);
        more = nextTypedChar(c);
    }
    line = utf8Name(wide);
    return true;
}

// Typed at the console, or read as Latin-1 bytes from a file or a pipe.
bool readLine(std::string& line) {
    line.clear();
    static const bool fromConsole = isConsole(consoleInput());
    bool read =
        fromConsole ? readConsoleLine(line) : static_cast<bool>(std::getline(std::cin, line));
    if (read && !line.empty() && line.back() == '\r')
        line.pop_back();
    if (read && !fromConsole)
        line = utf8OfLatin1(line);
    return read;
}

bool hasKeyboard() {
    return isConsole(consoleInput());
}

// The console reads keys without echo and without Enter through _kbhit; nothing to prepare.
void beginKeyWatch() {}

// The keys pressed and not read yet are dropped, so that none reaches the shell after the program.
void endKeyWatch() {
    if (isConsole(consoleInput()))
        FlushConsoleInputBuffer(consoleInput());
}

bool keyPressed(int timeoutMs) {
    if (_kbhit() != 0)
        return true;
    Sleep(static_cast<DWORD>(timeoutMs));
    return _kbhit() != 0;
}

// The scratch file's name, for the console handler, which runs on a thread of its own: two
// buffers, the one in use named by `scratchSlot` (-1: none). A new name is written into the other
// buffer, then the slot turns to it, so that the handler never reads a name being written.
constexpr std::size_t scratchRoom = 32768;
wchar_t scratchNames[2][scratchRoom];
std::atomic<int> scratchSlot{-1};

// The program is stopped (Ctrl-C, Ctrl-Break, the console window closed): the scratch file goes,
// and the next handler, Windows' own, ends the program. The file was opened to be removed while
// open.
BOOL WINAPI removeScratchOnStop(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        int slot = scratchSlot.load();
        if (slot >= 0)
            DeleteFileW(scratchNames[slot]);
    }
    return FALSE;
}

// A file-size limit and a closed pipe end no Windows program.
void handleSignals() {
    static const bool handled = SetConsoleCtrlHandler(removeScratchOnStop, TRUE) != 0;
    (void)handled;
}

void setScratchName(const std::string& name) {
    std::wstring wide = wideName(name);
    if (wide.empty() || wide.size() >= scratchRoom) {
        scratchSlot.store(-1);
        return;
    }
    int slot = scratchSlot.load() == 0 ? 1 : 0;
    std::copy(wide.begin(), wide.end(), scratchNames[slot]);
    scratchNames[slot][wide.size()] = L'\0';
    scratchSlot.store(slot);
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
    file = _wfopen(wideName(name).c_str(), L"rb");
    return file == nullptr ? errno : 0;
}

// A new file that may be removed while it is open (by the console handler of a stopped run).
int createNewFile(const std::string& name, std::FILE*& file) {
    file = nullptr;
    HANDLE handle = CreateFileW(wideName(name).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return errorNumber(GetLastError());
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        int error = errno;
        CloseHandle(handle);
        return error;
    }
    file = _fdopen(fd, "wb");
    if (file == nullptr) {
        int error = errno;
        _close(fd);
        return error;
    }
    return 0;
}

int replaceFile(const std::string& from, const std::string& to) {
    if (MoveFileExW(wideName(from).c_str(), wideName(to).c_str(), MOVEFILE_REPLACE_EXISTING))
        return 0;
    return errorNumber(GetLastError());
}

void removeFile(const std::string& name) {
    _wremove(wideName(name).c_str());
}

std::int64_t fileTime(FILETIME time) {
    return static_cast<std::int64_t>(std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime);
}

// The facts of an open handle; `kind` is the handle's type as GetFileType tells it.
int factsOfHandle(HANDLE handle, FileFacts& facts) {
    facts = {};
    switch (GetFileType(handle)) {
        case FILE_TYPE_DISK:
            facts.kind = FileKind::regular;
            break;
        case FILE_TYPE_PIPE:
            facts.kind = FileKind::pipe;
            return 0;
        case FILE_TYPE_CHAR:
            facts.kind = FileKind::device;
            return 0;
        default:
            return 0;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information))
        return errorNumber(GetLastError());
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        facts.kind = FileKind::other;
    facts.identity = {information.dwVolumeSerialNumber,
                      std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
    facts.modified = fileTime(information.ftLastWriteTime);
    return 0;
}

int factsOfOpenFile(std::FILE* file, FileFacts& facts) {
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE)
        return EBADF;
    return factsOfHandle(handle, facts);
}

// The name is opened without any right to its content, so that a file open elsewhere answers too.
int factsOfName(const std::string& name, FileFacts& facts) {
    HANDLE handle =
        CreateFileW(wideName(name).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return errorNumber(GetLastError());
    int error = factsOfHandle(handle, facts);
    CloseHandle(handle);
    return error;
}

int listFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((wideName(folder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? 0 : errorNumber(code);
    }
    do {
        std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(utf8Name(name));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return 0;
}

std::int64_t fileClock() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return fileTime(now);
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
    std::filesystem::create_directories(std::filesystem::path(wideName(name)), error);
    return error.value();
}

void exitProgram(int status) {
    std::exit(status);
}

}  // namespace torvelin::native
