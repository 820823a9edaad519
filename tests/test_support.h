// Helpers shared by the tests: console capture, page capture, log lines.
#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "base/platform.h"

namespace torvelin::testing {

// Captures console text and feeds typed words while it lives; there is no keyboard, so the
// closing countdown returns at once.
class ConsoleCapture {
  public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    // Console text written so far.
    const std::string& text() const;
    // Lines that the next prompts will read, then end of input.
    void typeLines(std::initializer_list<std::string> words);

  private:
    Platform saved_;
};

// Console output of fatal errors goes to the standard error stream, so that death tests can
// match it; call at the start of the dying statement.
void routeConsoleToStderr();

// What `write` writes into a page file.
std::string capturePage(const std::function<void(std::FILE*)>& write);

// A log line at 12:34:56 (or the given stamp) with a message text, ending in its line break.
std::string logLine(std::string_view message, std::string_view stamp = "12:34:56");

// Reads a whole file as bytes; empty when it does not exist.
std::string readFile(const std::string& path);

// The last `size` bytes of `text`, or all of it when it is shorter.
inline std::string_view lastBytes(std::string_view text, std::size_t size) {
    return text.substr(text.size() - std::min(size, text.size()));
}

}  // namespace torvelin::testing
