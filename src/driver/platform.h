// Everything that touches the operating system's console and clock.
//
// The program talks to the platform only through this table of functions. `nativePlatform`
// gives the implementation of the system the program was built for; tests install their own
// functions to feed typed words and to capture console text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvelin {

struct Platform {
    // Writes console text, given as Latin-1 bytes.
    void (*writeConsole)(std::string_view latin1);
    // Reads one whitespace-delimited word typed at the console; false at end of input.
    bool (*readWord)(std::string& word);
    // Whether a person can press keys: false when standard input is a file, a pipe or closed.
    bool (*hasKeyboard)();
    // Prepares the keyboard for key tests (no echo, no waiting for Enter) and restores it.
    void (*beginKeyWatch)();
    void (*endKeyWatch)();
    // Whether a key has been pressed, waiting at most `timeoutMs`; the key is not consumed.
    bool (*keyPressed)(int timeoutMs);
    // A monotonic clock in milliseconds.
    std::int64_t (*clockMs)();
};

// The implementation of the system the program runs on.
Platform nativePlatform();

// The functions in use; the driver and the tests may replace them.
Platform& platform();

}  // namespace torvelin
