// The single entry from the reading loop into the line parsers.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// Hands a log line (not a chat line) to every line parser, in a fixed order.
void dispatchLine(std::string_view line, PartStats& stats);

}  // namespace torvelin
