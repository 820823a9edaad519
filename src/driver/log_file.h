// Opening the log (with the prompt when it is missing) and reading it line by line.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace torvelin {

// Longest piece of a physical line delivered as one log line.
inline constexpr std::size_t maxLineLength = 299;

// An open log, read as bytes through a buffer.
struct LogFile {
    std::FILE* file = nullptr;
    std::vector<char> buffer;
    std::size_t position = 0;
    std::size_t end = 0;
};

// Opens `name`, or `name` with ".log" appended, or asks the user for another name until one
// opens. On success `name` holds the name really opened. Without a file, returns the exit status
// of the program: 0 when the user quits (a word beginning with "q"), 1 at end of console input.
struct OpenedLog {
    std::optional<LogFile> log;
    int exitStatus = 0;
};
OpenedLog openLogFile(std::string& name);

// Reads the next line into `line`: up to and including the next line break, but at most 299
// characters, so a longer physical line comes in pieces. A carriage return before a line feed is
// dropped. False at end of file.
bool readLogLine(LogFile& log, std::string& line);

void closeLogFile(LogFile& log);

}  // namespace torvelin
