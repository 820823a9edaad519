// Opening the log (with the prompt when it is missing) and reading it line by line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"

namespace torvelin {

// Longest line delivered: a longer physical line keeps its first 299 bytes and loses the rest.
inline constexpr std::size_t maxLineLength = 299;

// An open log, read in large blocks; lines are views into the block. Closes itself.
struct LogFile {
    std::FILE* file = nullptr;
    FileName name;    // as opened
    FileFacts facts;  // what the open file is
    std::vector<char> block;
    std::size_t position = 0;  // the next unread byte of the block
    std::size_t ready = 0;     // the end of the Latin-1 text in the block
    std::size_t end = 0;       // the end of the bytes read into the block
    bool atEnd = false;        // nothing more to read from the file
    bool utf8 = false;         // the file is UTF-8, turned into Latin-1 as it is read
    std::int64_t left = -1;    // the bytes still to read from the file; -1: up to its end
    bool skipping = false;     // the rest of a cut line is still to be skipped
    bool lastLineCut = false;  // the latest line lost the rest of its physical line
    // While on, a read error ends the lines instead of the program, and is kept in `readError`
    // (the log is then read on a thread of its own, which must not end the program).
    bool keepReadError = false;
    int readError = 0;

    LogFile() = default;
    LogFile(LogFile&& other) noexcept;
    LogFile& operator=(LogFile&& other) noexcept;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile();
};

// Opens `name` (in the system's form), or `name` with ".log" appended, or asks the user for another
// name, a whole typed line, until one opens; the log's `name` is the name really opened.
// Without a file, returns the exit status of the program: 0 when the user quits (a line that is
// exactly "q"), 1 at the end of console input. A device (a terminal, /dev/zero) is no log: the
// program ends ("impossible de lire le fichier NAME : ce n'est pas un fichier").
//
// A log that starts with the UTF-8 byte order mark (skipped), or whose first 65,536 bytes hold a
// valid UTF-8 sequence of several bytes and no invalid one, is read as UTF-8 and turned into
// Latin-1 before anything else (see base/utf8.h).
struct OpenedLog {
    std::optional<LogFile> log;
    int exitStatus = 0;
};
OpenedLog openLogFile(std::string name);

// Ends the program on a log it cannot read: "impossible de lire le fichier NAME : REASON".
[[noreturn]] void cannotReadLog(const LogFile& log, std::string_view reason);

// Opens the log `name` again, without asking: nothing when it cannot be opened. The encoding is
// told by startReading.
std::optional<LogFile> reopenLogFile(const FileName& name);

// What tells the log read so far from another file that took its name: the file, and its first
// bytes (at most 4096 of those read).
struct LogMark {
    FileIdentity identity;
    std::string start;
};

// The mark of `log`, of which `readUpTo` bytes were read.
LogMark markOf(LogFile& log, std::int64_t readUpTo);

// Whether `log` (of `size` bytes) is still the log of `mark`, read up to `readUpTo`: the same file,
// no shorter than what was read, with the same first bytes. Otherwise the log was started again
// or replaced by another file.
bool isStillTheLog(LogFile& log, const LogMark& mark, std::int64_t readUpTo, std::int64_t size);

// Reads the next line: up to and including its line break, "\r\n" read as "\n". A line whose
// first 299 bytes hold no line break keeps those bytes; the rest of the physical line, its line
// break included, is skipped (`lastLineCut` tells). The last line may lack a line break. The view
// stays valid until the next call. False at the end of the log; a read error is fatal.
bool readLogLine(LogFile& log, std::string_view& line);

// Ends the program on the read error kept while `keepReadError` was on, if any.
void raiseKeptReadError(const LogFile& log);

// The size of the open log in bytes.
std::int64_t logSize(const LogFile& log);

// Reads the log anew from byte `from` up to byte `to` (its end when -1), as if the file held only
// these bytes; the encoding is told anew from them, unless `utf8` gives it.
void startReading(LogFile& log, std::int64_t from, std::int64_t to,
                  std::optional<bool> utf8 = std::nullopt);

// The start of the last line of the log that begins with `phrase`, or -1; the log is searched
// from its end backwards in blocks of `blockSize` bytes.
std::int64_t lastLineStartingWith(LogFile& log, std::string_view phrase,
                                  std::size_t blockSize = 1 << 16);

// The end of the last complete line (after its line break) among the bytes [from, to) of the log,
// or `from` when they hold no line break.
std::int64_t endOfCompleteLines(LogFile& log, std::int64_t from, std::int64_t to);

void closeLogFile(LogFile& log);

}  // namespace torvelin
