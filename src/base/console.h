// Console messages, the closing countdown and the fatal-error exit.
#pragma once

#include <cstdint>
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

// Waits for a key or counts down before the program closes, then ends the line; the keys pressed
// are dropped, so that none reaches the shell. Returns at once when no keyboard is attached.
void closingCountdown();

// The one way out on an error: prints the error block with the message and, when given, the
// offending log line; removes the scratch file, counts down and ends the program with the failure
// status through the platform's exit.
[[noreturn]] void fatalError(std::string_view message,
                             std::optional<std::string_view> line = std::nullopt);

// A log line that cannot be read: the line is left out of the run from the step that met it on,
// with a warning, and the run goes on. `reason` is a text that lives as long as the program.
struct UnreadableLine {
    std::string_view reason;
};

// The reason of a log line that lacks a mark it must have.
inline constexpr std::string_view malformedLine = "ligne incomplete ou mal formee";

// Leaves the line being read out of the run (throws UnreadableLine), because it lacks a mark it
// must have, or for `reason`.
[[noreturn]] void unreadableLine(std::string_view reason = malformedLine);

// How many warnings of lines left out a run prints; the others are only counted.
inline constexpr std::int64_t shownLeftOutWarnings = 20;

// The warning of a line left out of the run, "\nattention : WHAT (REASON) : LINE", the line
// ending in a line break; empty when `number` (1 for the run's first) is past those printed.
std::string leftOutWarning(std::int64_t number, std::string_view what, std::string_view reason,
                           std::string_view line);

// The count of the lines left out, printed before the processing time when they were more than
// the warnings printed: "\nN lignes ignorees en tout\n"; empty otherwise.
std::string leftOutCount(std::int64_t count);

// The work running beside the program's own (the reader of the log) that a fatal error stops,
// before anything else, so that the program ends alone; `stop` returns once it has stopped. An
// empty function when there is none.
void setBackgroundWork(std::function<void()> stop);

// The file being written that a fatal error closes and removes, and a signal that stops the
// program removes too (the temporary file of a page not complete yet, named in the system's form);
// an empty name when there is none.
void setScratchFile(std::string name, std::FILE* file = nullptr);

}  // namespace torvelin
