// The single entry from the reading loop into the line parsers.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// Hands a log line (not a chat line) to the line parsers, in a fixed order: to each parser whose
// gate may hold for the line (see record/line_gate.h), as the classifier tells.
void dispatchLine(std::string_view line, PartStats& stats);

// The same chain calling every parser on every line: the reference the gated chain must match.
void dispatchLineToEveryParser(std::string_view line, PartStats& stats);

}  // namespace torvelin
