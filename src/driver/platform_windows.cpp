// The console and clock of Windows (built with MinGW).
#include <conio.h>
#include <io.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <iostream>

#include "driver/platform.h"

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

}  // namespace

Platform nativePlatform() {
    return {writeConsole, readWord, hasKeyboard, beginKeyWatch, endKeyWatch, keyPressed, clockMs};
}

}  // namespace torvelin
