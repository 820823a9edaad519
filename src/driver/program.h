// The program from start to end: banner, log reading, pages, closing messages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/part_stats.h"

namespace torvelin {

// The processing time as the console shows it: seconds and rounded tenths ("2,4" for 2.36 s).
std::string processingTimeText(std::int64_t elapsedMs);

// How the reading loop hands a line to the parsers: the gated chain, or every parser on every
// line (the reference of the tests).
using LineDispatch = void (*)(std::string_view line, PartStats& stats);

// Runs the whole program with the arguments of its command line (after the program's name) and
// returns its exit status.
int runProgram(const std::vector<std::string>& arguments, LineDispatch dispatch = nullptr);

}  // namespace torvelin
