#include "test_support.h"

#include <deque>
#include <fstream>
#include <sstream>

#include "e2e/e2e_support.h"

namespace torvelin::testing {
namespace {

std::string capturedConsole;
std::deque<std::string> typedLines;

void captureWrite(std::string_view text) {
    capturedConsole.append(text);
}

bool typedLine(std::string& line) {
    if (typedLines.empty())
        return false;
    line = typedLines.front();
    typedLines.pop_front();
    return true;
}

bool noKeyboard() {
    return false;
}
void nothing() {}
bool noKey(int) {
    return false;
}
std::int64_t frozenClock() {
    return 0;
}

void stderrWrite(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace

// The native files and exit, with a scripted console, keyboard and clock.
Platform scriptedPlatform(void (*write)(std::string_view)) {
    Platform p = nativePlatform();
    p.writeConsole = write;
    p.readLine = typedLine;
    p.hasKeyboard = noKeyboard;
    p.beginKeyWatch = nothing;
    p.endKeyWatch = nothing;
    p.keyPressed = noKey;
    p.clockMs = frozenClock;
    return p;
}

ConsoleCapture::ConsoleCapture() : saved_(platform()) {
    capturedConsole.clear();
    typedLines.clear();
    platform() = scriptedPlatform(captureWrite);
}

ConsoleCapture::~ConsoleCapture() {
    platform() = saved_;
}

const std::string& ConsoleCapture::text() const {
    return capturedConsole;
}

void ConsoleCapture::typeLines(std::initializer_list<std::string> words) {
    typedLines.assign(words.begin(), words.end());
}

void routeConsoleToStderr() {
    platform() = scriptedPlatform(stderrWrite);
}

// In a file of a temporary folder: the tmpfile of Windows' C runtime puts its file in the root of
// the drive, which is seldom open to users.
std::string capturePage(const std::function<void(std::FILE*)>& write) {
    TempFolder folder;
    std::FILE* file = std::fopen(folder.file("page").c_str(), "w+b");
    write(file);
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

std::string logLine(std::string_view message, std::string_view stamp) {
    std::string line = "[";
    line += stamp;
    line += "] ";
    line += message;
    line += "\n";
    return line;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace torvelin::testing
