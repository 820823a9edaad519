// The single entry from the reading loop into the line parsers.
#pragma once

#include <string_view>

#include "driver/line_classifier.h"
#include "record/part_stats.h"

namespace torvelin {

// Which steps of the chain a line is handed to: those whose gate may hold for the line (see
// record/line_gate.h), as the classifier tells, or every step on every line (the reference the
// gated chain must match).
enum class LineChain { gated, everyStep };

// The steps of the chain that may act on `line`: a set of places in the chain. It depends on the
// line alone, so it may be found on another thread than the one that hands the line on.
ParserSet stepsFor(std::string_view line, LineChain which);

// Hands a log line (not a chat line) to the steps `steps`, and to the steps whose gate asks the
// record and holds when their turn comes, in the chain's fixed order.
void dispatchSteps(std::string_view line, ParserSet steps, PartStats& stats);

// The line to the steps whose gate may hold: stepsFor then dispatchSteps.
void dispatchLine(std::string_view line, PartStats& stats);

}  // namespace torvelin
