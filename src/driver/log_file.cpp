#include "driver/log_file.h"

#include "driver/console.h"
#include "driver/platform.h"

namespace torvelin {
namespace {

constexpr std::size_t readBlock = 1 << 16;
// A typed name gets ".log" on the retry only while it is this short.
constexpr std::size_t maxNameForSuffix = 69;

std::optional<LogFile> tryOpen(const std::string& name) {
    std::FILE* file = nullptr;
    if (platform().openForReading(name, file) != 0)
        return std::nullopt;
    LogFile log;
    log.file = file;
    log.buffer.resize(readBlock);
    return log;
}

bool refill(LogFile& log) {
    log.position = 0;
    log.end = std::fread(log.buffer.data(), 1, log.buffer.size(), log.file);
    return log.end > 0;
}

int nextByte(LogFile& log) {
    if (log.position == log.end && !refill(log))
        return EOF;
    return static_cast<unsigned char>(log.buffer[log.position++]);
}

int peekByte(LogFile& log) {
    if (log.position == log.end && !refill(log))
        return EOF;
    return static_cast<unsigned char>(log.buffer[log.position]);
}

}  // namespace

OpenedLog openLogFile(std::string& name) {
    std::string working = name;
    for (;;) {
        std::optional<LogFile> log = tryOpen(working);
        if (!log && working.size() < maxNameForSuffix) {
            working += ".log";
            log = tryOpen(working);
        }
        if (log) {
            name = working;
            return {std::move(log), exitSuccess};
        }
        consoleWrite(
            "le fichier log n'a pas ete trouve \n quel fichier voulez-vous analyser ?(q pour "
            "quitter)\n");
        if (!platform().readWord(working))
            return {std::nullopt, exitFailure};
        if (!working.empty() && working[0] == 'q')
            return {std::nullopt, exitSuccess};
    }
}

bool readLogLine(LogFile& log, std::string& line) {
    line.clear();
    while (line.size() < maxLineLength) {
        int c = nextByte(log);
        if (c == EOF)
            break;
        if (c == '\r' && peekByte(log) == '\n')
            c = nextByte(log);
        line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return !line.empty();
}

void closeLogFile(LogFile& log) {
    if (log.file != nullptr)
        std::fclose(log.file);
    log.file = nullptr;
}

}  // namespace torvelin
