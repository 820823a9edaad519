#include "base/platform.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "base/platform_native.h"
#include "base/utf8.h"

namespace torvelin {

// The clocks are alike on every system, but for the name of the local-time call.
namespace native {

std::int64_t clockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string timeOfDay() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

}  // namespace native

FileName givenFileName(std::string system) {
    std::string shown = shownName(system);
    return {std::move(system), std::move(shown)};
}

std::string systemName(std::string_view latin1) {
    return utf8OfLatin1(latin1);
}

std::string shownName(std::string_view system) {
    std::string shown(system);
    std::size_t pending = 0;
    shown.resize(utf8ToLatin1InPlace(shown.data(), shown.size(), true, pending));
    return shown;
}

FileName fileInFolder(const FileName& folder, std::string_view latin1Name) {
    if (folder.system.empty())
        return {systemName(latin1Name), std::string(latin1Name)};
    return {folder.system + "/" + systemName(latin1Name),
            folder.shown + "/" + std::string(latin1Name)};
}

Platform nativePlatform() {
    using namespace native;
    Platform p{};
    p.writeConsole = writeConsole;
    p.writeError = writeError;
    p.arguments = arguments;
    p.readLine = readLine;
    p.hasKeyboard = hasKeyboard;
    p.beginKeyWatch = beginKeyWatch;
    p.endKeyWatch = endKeyWatch;
    p.keyPressed = keyPressed;
    p.clockMs = clockMs;
    p.timeOfDay = timeOfDay;
    p.watchStopRequests = watchStopRequests;
    p.waitForStop = waitForStop;
    p.handleSignals = handleSignals;
    p.setScratchName = setScratchName;
    p.openForReading = openForReading;
    p.sizeOfFile = sizeOfFile;
    p.seekFile = seekFile;
    p.createNewFile = createNewFile;
    p.factsOfOpenFile = factsOfOpenFile;
    p.factsOfName = factsOfName;
    p.listFolder = listFolder;
    p.fileClock = fileClock;
    p.replaceFile = replaceFile;
    p.removeFile = removeFile;
    p.makeFolders = makeFolders;
    p.exitProgram = exitProgram;
    return p;
}

Platform& platform() {
    static Platform current = nativePlatform();
    return current;
}

std::string systemErrorText(int error) {
    return std::strerror(error);
}

}  // namespace torvelin
