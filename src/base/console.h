// Console messages, the closing countdown and the fatal-error exit.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/format_check.h"

namespace torvelin {

// Exit statuses of the program.
inline constexpr int exitSuccess = 0;
inline constexpr int exitFailure = 1;

// Writes Latin-1 text to the console.
void consoleWrite(std::string_view latin1);

// A progress dot. Dots are held and written together, with the next console text or once a tenth
// of a second has passed since the last write, so that a long log costs few writes; the console
// shows the same text.
void consoleProgressDot();

// Writes the dots still held.
void consoleFlushProgress();

// Writes formatted Latin-1 text to the console.
void consolePrintf(const char* format, ...) TORVELIN_PRINTF_FORMAT(1, 2);

// Waits for a key or counts down before the program closes. Returns at once when no keyboard is
// attached.
void closingCountdown();

// The one way out on an error: prints the error block with the message and, when given, the
// offending log line; removes the scratch file, counts down and ends the program with the failure
// status through the platform's exit.
[[noreturn]] void fatalError(std::string_view message,
                             std::optional<std::string_view> line = std::nullopt);

// The fatal error of a log line that lacks a mark it must have: "ligne incomplete ou mal formee".
[[noreturn]] void fatalMalformedLine(std::string_view line);

// The work running beside the program's own (the reader of the log) that a fatal error stops,
// before anything else, so that the program ends alone; `stop` returns once it has stopped. An
// empty function when there is none.
void setBackgroundWork(std::function<void()> stop);

// The file being written that a fatal error closes and removes (the temporary file of a page not
// complete yet); an empty name when there is none.
void setScratchFile(std::string name, std::FILE* file = nullptr);

}  // namespace torvelin
