#include "driver/log_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "base/console.h"
#include "base/platform.h"
#include "base/text.h"
#include "base/utf8.h"

namespace torvelin {
namespace {

constexpr std::size_t readBlockSize = 1 << 18;
// A line and the byte after it: enough to tell a whole line from a cut one.
constexpr std::size_t lineWindow = maxLineLength + 1;
// A typed name gets ".log" on the retry only while it is this short.
constexpr std::size_t maxNameForSuffix = 69;
// The start of a log that tells UTF-8 from Latin-1.
constexpr std::size_t encodingSample = 65536;
// The start of a log that tells it from another file in the follow mode.
constexpr std::int64_t markedStart = 4096;
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

struct OpenAttempt {
    std::optional<LogFile> log;
    int error = 0;
};

OpenAttempt tryOpen(const std::string& name) {
    std::FILE* file = nullptr;
    int error = platform().openForReading(name, file);
    if (error != 0)
        return {std::nullopt, error};
    LogFile log;
    log.file = file;
    log.name = givenFileName(name);
    // A file the system tells nothing of is taken for no device, pipe or page.
    platform().factsOfOpenFile(file, log.facts);
    log.block.resize(readBlockSize);
    return {std::move(log), 0};
}

// Turns what was read after the Latin-1 text into Latin-1 (a UTF-8 sequence cut by the end of
// what was read waits for the rest).
void decode(LogFile& log) {
    if (!log.utf8) {
        log.ready = log.end;
        return;
    }
    std::size_t pending = 0;
    log.ready +=
        utf8ToLatin1InPlace(log.block.data() + log.ready, log.end - log.ready, log.atEnd, pending);
    log.end = log.ready + pending;
}

[[noreturn]] void readFailed(const LogFile& log, int error) {
    cannotReadLog(log, systemErrorText(error != 0 ? error : EIO));
}

// Reads the file into the free end of the block.
void readMore(LogFile& log) {
    errno = 0;
    std::size_t room = log.block.size() - log.end;
    if (log.left >= 0 && static_cast<std::uint64_t>(log.left) < room)
        room = static_cast<std::size_t>(log.left);
    std::size_t got = room == 0 ? 0 : std::fread(log.block.data() + log.end, 1, room, log.file);
    log.end += got;
    if (log.left >= 0)
        log.left -= static_cast<std::int64_t>(got);
    if (got == 0) {
        if (room != 0 && std::ferror(log.file) != 0) {
            if (!log.keepReadError)
                readFailed(log, errno);
            log.readError = errno != 0 ? errno : EIO;
        }
        log.atEnd = true;
    }
    decode(log);
}

// Reads `size` bytes at `offset` of the log.
std::string readAt(LogFile& log, std::int64_t offset, std::size_t size) {
    if (int error = platform().seekFile(log.file, offset); error != 0)
        readFailed(log, error);
    std::string bytes(size, '\0');
    errno = 0;
    if (std::fread(bytes.data(), 1, size, log.file) != size)
        readFailed(log, errno);
    return bytes;
}

// Moves the unread bytes to the front of the block and reads until it holds a whole line window
// or the file ends.
void refill(LogFile& log) {
    std::size_t unread = log.end - log.position;
    if (log.position != 0 && unread != 0)
        std::memmove(log.block.data(), log.block.data() + log.position, unread);
    log.ready -= log.position;
    log.end = unread;
    log.position = 0;
    while (!log.atEnd && log.ready < lineWindow)
        readMore(log);
}

// Reads the start of the log and tells its encoding.
void detectEncoding(LogFile& log, std::optional<bool> utf8) {
    if (utf8) {
        log.utf8 = *utf8;
        decode(log);
        return;
    }
    while (!log.atEnd && log.end < encodingSample)
        readMore(log);
    std::string_view start(log.block.data(), log.end);
    if (startsWith(start, byteOrderMark)) {
        log.position = byteOrderMark.size();
        log.utf8 = true;
    } else {
        log.utf8 = looksLikeUtf8(start.substr(0, encodingSample));
    }
    if (log.utf8) {
        log.ready = log.position;
        decode(log);
    }
}

// Skips the rest of a cut line, up to and including its line break.
void skipRestOfLine(LogFile& log) {
    while (log.skipping) {
        const char* from = log.block.data() + log.position;
        const void* found = std::memchr(from, '\n', log.ready - log.position);
        if (found != nullptr) {
            log.position += static_cast<std::size_t>(static_cast<const char*>(found) - from) + 1;
            log.skipping = false;
        } else {
            log.position = log.ready;
            if (log.atEnd)
                log.skipping = false;
            else
                refill(log);
        }
    }
}

}  // namespace

LogFile::LogFile(LogFile&& other) noexcept
    : file(std::exchange(other.file, nullptr)),
      name(std::move(other.name)),
      facts(other.facts),
      block(std::move(other.block)),
      position(other.position),
      ready(other.ready),
      end(other.end),
      atEnd(other.atEnd),
      utf8(other.utf8),
      left(other.left),
      skipping(other.skipping),
      lastLineCut(other.lastLineCut),
      keepReadError(other.keepReadError),
      readError(other.readError) {}

LogFile& LogFile::operator=(LogFile&& other) noexcept {
    if (this != &other) {
        closeLogFile(*this);
        file = std::exchange(other.file, nullptr);
        name = std::move(other.name);
        facts = other.facts;
        block = std::move(other.block);
        position = other.position;
        ready = other.ready;
        end = other.end;
        atEnd = other.atEnd;
        utf8 = other.utf8;
        left = other.left;
        skipping = other.skipping;
        lastLineCut = other.lastLineCut;
        keepReadError = other.keepReadError;
        readError = other.readError;
    }
    return *this;
}

LogFile::~LogFile() {
    closeLogFile(*this);
}

OpenedLog openLogFile(std::string working) {
    for (;;) {
        OpenAttempt attempt = tryOpen(working);
        std::string failedName = working;
        int failure = attempt.error;
        if (!attempt.log && working.size() < maxNameForSuffix) {
            working += ".log";
            attempt = tryOpen(working);
            // A name that exists but cannot be opened is worth telling over a missing one.
            if (failure == ENOENT && attempt.error != 0) {
                failedName = working;
                failure = attempt.error;
            }
        }
        if (attempt.log) {
            if (attempt.log->facts.kind == FileKind::device)
                cannotReadLog(*attempt.log, "ce n'est pas un fichier");
            detectEncoding(*attempt.log, std::nullopt);
            return {std::move(attempt.log), exitSuccess};
        }
        if (failure != ENOENT) {
            consoleWrite("impossible d'ouvrir le fichier " + shownName(failedName) + " : " +
                         systemErrorText(failure) + "\n");
        } else {
            consoleWrite("le fichier log n'a pas ete trouve \n");
        }
        consoleWrite(" quel fichier voulez-vous analyser ?(q pour quitter)\n");
        if (!platform().readLine(working))
            return {std::nullopt, exitFailure};
        if (working == "q")
            return {std::nullopt, exitSuccess};
    }
}

void cannotReadLog(const LogFile& log, std::string_view reason) {
    fatalError("impossible de lire le fichier " + log.name.shown + " : " + std::string(reason));
}

std::optional<LogFile> reopenLogFile(const FileName& name) {
    return tryOpen(name.system).log;
}

namespace {

// The first `size` bytes of the log, or fewer when it has fewer now: the game may be starting it
// again meanwhile.
std::string startOf(LogFile& log, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    if (platform().seekFile(log.file, 0) == 0)
        got = std::fread(bytes.data(), 1, size, log.file);
    bytes.resize(got);
    return bytes;
}

}  // namespace

LogMark markOf(LogFile& log, std::int64_t readUpTo) {
    return {log.facts.identity,
            startOf(log, static_cast<std::size_t>(std::min(readUpTo, markedStart)))};
}

bool isStillTheLog(LogFile& log, const LogMark& mark, std::int64_t readUpTo, std::int64_t size) {
    return log.facts.identity == mark.identity && size >= readUpTo &&
           startOf(log, mark.start.size()) == mark.start;
}

bool readLogLine(LogFile& log, std::string_view& line) {
    skipRestOfLine(log);
    if (log.ready - log.position < lineWindow && !log.atEnd)
        refill(log);
    if (log.readError != 0)
        return false;  // no further line, as when the error ends the program
    std::size_t available = log.ready - log.position;
    if (available == 0)
        return false;
    char* start = log.block.data() + log.position;
    std::size_t window = available < lineWindow ? available : lineWindow;
    log.lastLineCut = false;
    if (const void* found = std::memchr(start, '\n', window)) {
        auto breakAt = static_cast<std::size_t>(static_cast<const char*>(found) - start);
        log.position += breakAt + 1;
        if (breakAt > 0 && start[breakAt - 1] == '\r') {
            start[breakAt - 1] = '\n';  // "\r\n" is one line break
            line = std::string_view(start, breakAt);
            return true;
        }
        if (breakAt < maxLineLength) {
            line = std::string_view(start, breakAt + 1);
            return true;
        }
        // Exactly 299 bytes before the line break: the break is the rest, and is skipped.
        line = std::string_view(start, maxLineLength);
        log.lastLineCut = true;
        return true;
    }
    if (available <= maxLineLength) {  // the last line, without a line break
        log.position = log.ready;
        line = std::string_view(start, available);
        return true;
    }
    log.position += maxLineLength;
    log.skipping = true;
    log.lastLineCut = true;
    line = std::string_view(start, maxLineLength);
    return true;
}

void raiseKeptReadError(const LogFile& log) {
    if (log.readError != 0)
        readFailed(log, log.readError);
}

std::int64_t logSize(const LogFile& log) {
    std::int64_t size = 0;
    if (int error = platform().sizeOfFile(log.file, size); error != 0)
        readFailed(log, error);
    return size;
}

void startReading(LogFile& log, std::int64_t from, std::int64_t to, std::optional<bool> utf8) {
    if (int error = platform().seekFile(log.file, from); error != 0)
        readFailed(log, error);
    std::clearerr(log.file);
    log.position = 0;
    log.ready = 0;
    log.end = 0;
    log.atEnd = false;
    log.skipping = false;
    log.lastLineCut = false;
    log.readError = 0;
    log.left = to < 0 ? -1 : to - from;
    detectEncoding(log, utf8);
}

namespace {

// Walks the bytes [from, to) of the log backwards, in blocks of `blockSize`. `find` looks at each
// block followed by the first `overlap` bytes of the block after it (so that what stands across
// the boundary is seen whole), and gives the place in them of what it seeks, or npos. Returns the
// offset in the log of the first place found, or -1.
template <class Find>
std::int64_t findBackwards(LogFile& log, std::int64_t from, std::int64_t to, std::size_t blockSize,
                           std::size_t overlap, Find find) {
    std::string later;
    for (std::int64_t blockEnd = to; blockEnd > from;) {
        auto size = static_cast<std::int64_t>(blockSize);
        std::int64_t blockStart = blockEnd - from > size ? blockEnd - size : from;
        std::string bytes =
            readAt(log, blockStart, static_cast<std::size_t>(blockEnd - blockStart)) + later;
        std::size_t at = find(std::string_view(bytes), blockStart);
        if (at != std::string::npos)
            return blockStart + static_cast<std::int64_t>(at);
        later = bytes.substr(0, overlap);
        blockEnd = blockStart;
    }
    return -1;
}

}  // namespace

std::int64_t lastLineStartingWith(LogFile& log, std::string_view phrase, std::size_t blockSize) {
    return findBackwards(log, 0, logSize(log), blockSize, phrase.size(),
                         [&](std::string_view bytes, std::int64_t blockStart) {
                             for (std::size_t at = bytes.rfind(phrase); at != notFound;
                                  at = at == 0 ? notFound : bytes.rfind(phrase, at - 1)) {
                                 if (at > 0 ? bytes[at - 1] == '\n' : blockStart == 0)
                                     return at;
                             }
                             return notFound;
                         });
}

std::int64_t endOfCompleteLines(LogFile& log, std::int64_t from, std::int64_t to) {
    std::int64_t lineBreak =
        findBackwards(log, from, to, std::size_t{1} << 16, 0,
                      [](std::string_view bytes, std::int64_t) { return bytes.rfind('\n'); });
    return lineBreak < 0 ? from : lineBreak + 1;
}

void closeLogFile(LogFile& log) {
    if (log.file != nullptr)
        std::fclose(log.file);
    log.file = nullptr;
}

}  // namespace torvelin
