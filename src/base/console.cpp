#include "base/console.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/platform.h"

namespace torvelin {

namespace {

constexpr std::int64_t progressIntervalMs = 100;

struct Progress {
    std::string dots;
    std::int64_t lastWriteMs = 0;
};

Progress& progress() {
    static Progress held;
    return held;
}

}  // namespace

void consoleFlushProgress() {
    Progress& held = progress();
    if (held.dots.empty())
        return;
    platform().writeConsole(held.dots);
    held.dots.clear();
    held.lastWriteMs = platform().clockMs();
}

void consoleProgressDot() {
    Progress& held = progress();
    held.dots.push_back('.');
    if (platform().clockMs() - held.lastWriteMs >= progressIntervalMs)
        consoleFlushProgress();
}

void consoleWrite(std::string_view latin1) {
    consoleFlushProgress();
    platform().writeConsole(latin1);
}

void consolePrintf(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length > 0) {
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        consoleWrite(std::string_view(text.data(), static_cast<std::size_t>(length)));
    }
    va_end(args);
}

namespace {

constexpr std::int64_t silentSeconds = 5;
constexpr std::int64_t countdownFrom = 5;
constexpr int pollSliceMs = 50;

// Waits until `seconds` whole seconds have passed since `start`; true when a key was pressed.
bool keyPressedBefore(std::int64_t start, std::int64_t seconds) {
    const Platform& p = platform();
    for (;;) {
        std::int64_t elapsed = p.clockMs() - start;
        if (elapsed / 1000 >= seconds)
            return false;
        std::int64_t left = seconds * 1000 - elapsed;
        int wait = left < pollSliceMs ? static_cast<int>(left) : pollSliceMs;
        if (p.keyPressed(wait))
            return true;
    }
}

void countDown() {
    const Platform& p = platform();
    if (keyPressedBefore(p.clockMs(), silentSeconds))
        return;
    consoleWrite("\n\n\tfermeture automatique dans  ");
    std::int64_t start = p.clockMs();
    for (std::int64_t step = 0; step <= countdownFrom; ++step) {
        if (keyPressedBefore(start, step))
            return;
        consolePrintf("\b%lld", static_cast<long long>(countdownFrom - step));
    }
}

}  // namespace

void closingCountdown() {
    const Platform& p = platform();
    if (!p.hasKeyboard())
        return;
    p.beginKeyWatch();
    countDown();
    consoleWrite("\n");  // the shell's prompt starts on a line of its own
    p.endKeyWatch();
}

namespace {
std::string scratchName;
std::FILE* scratchFile = nullptr;
std::function<void()> stopBackgroundWork;
}  // namespace

void setBackgroundWork(std::function<void()> stop) {
    stopBackgroundWork = std::move(stop);
}

void unreadableLine(std::string_view reason) {
    throw UnreadableLine{reason};
}

std::string leftOutWarning(std::int64_t number, std::string_view what, std::string_view reason,
                           std::string_view line) {
    if (number > shownLeftOutWarnings)
        return {};
    std::string warning = "\nattention : ";
    warning += what;
    warning += " (";
    warning += reason;
    warning += ") : ";
    warning += line;
    if (line.empty() || line.back() != '\n')
        warning += '\n';
    return warning;
}

std::string leftOutCount(std::int64_t count) {
    if (count <= shownLeftOutWarnings)
        return {};
    std::string text = "\n";
    text += std::to_string(count);
    text += " lignes ignorees en tout\n";
    return text;
}

void setScratchFile(std::string name, std::FILE* file) {
    platform().setScratchName(name);
    scratchName = std::move(name);
    scratchFile = file;
}

void fatalError(std::string_view message, std::optional<std::string_view> line) {
    if (stopBackgroundWork)
        std::exchange(stopBackgroundWork, nullptr)();
    if (scratchFile != nullptr)
        std::fclose(scratchFile);
    if (!scratchName.empty())
        platform().removeFile(scratchName);
    setScratchFile("");
    consoleWrite("\n\nERREUR\n\n");
    consoleWrite(message);
    if (line) {
        consoleWrite("\nl'erreur s'est produite dans la ligne : \n");
        consoleWrite(*line);
        consoleWrite("\n");
    }
    closingCountdown();
    platform().exitProgram(exitFailure);
    std::abort();  // an exit door never returns
}

}  // namespace torvelin
