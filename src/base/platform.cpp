#include "base/platform.h"

#include <cstring>

#include "base/platform_native.h"

namespace torvelin {

Platform nativePlatform() {
    using namespace native;
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

Platform& platform() {
    static Platform current = nativePlatform();
    return current;
}

std::string systemErrorText(int error) {
    return std::strerror(error);
}

}  // namespace torvelin
