// Log parts: while playing, the player cuts the log into named parts by typing commands into the
// game's chat ("[TOUS]:  ]log name <part>", "]log select", "]log ini"); each part gets a page of
// its own. The player's current target can name a part.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/text.h"
#include "record/part_stats.h"

namespace torvelin {

// The parts of the log, in the order they were first named; a log may hold any number of them.
struct LogParts {
    std::vector<std::string> names{"Resultats"};
    std::unordered_map<std::string, std::int32_t> indexByName;
    std::vector<std::unique_ptr<PartStats>> records;
    std::int32_t currentPart = 0;
    std::string currentTarget = unknownName;

    std::int32_t count() const { return static_cast<std::int32_t>(names.size()); }
    PartStats& current() { return *records[static_cast<std::size_t>(currentPart)]; }
};

// The table of parts at start-up: part 0, "Resultats", with its new record.
LogParts newLogParts();

// The starts of the message texts of the log commands and of the target line.
inline constexpr std::string_view logCommand = "[TOUS]:  ]log ";
inline constexpr std::string_view targetLine = "Vous visez [";

// Recognises the log commands and the target line; may add a part, change the current part or
// the current target. A "name " command loses its line break, so that the line dispatched
// afterwards is the command without it. Every line comes here: a line whose text does not start
// with the first eight bytes of either is known at once to be neither.
void readLogCommand(std::string_view& line, LogParts& parts);

inline void handleLogCommand(std::string_view& line, LogParts& parts) {
    static_assert(logCommand.size() >= 8 && targetLine.size() >= 8);
    std::string_view text = messageText(line);
    if (startsWith(text, logCommand.substr(0, 8)) || startsWith(text, targetLine.substr(0, 8)))
        readLogCommand(line, parts);
}

// The part that a log command selects (created when new); returns its index.
std::int32_t selectLogPart(std::string_view& line, LogParts& parts);

}  // namespace torvelin
