// The program from start to end: banner, log reading, pages, closing messages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "driver/dispatch.h"

namespace torvelin {

// The processing time as the console shows it: seconds and rounded tenths ("2,4" for 2.36 s).
std::string processingTimeText(std::int64_t elapsedMs);

// Runs the whole program with the arguments of its command line (after the program's name) and
// returns its exit status. The lines go to the gated chain, or to every step of the chain (the
// reference of the tests).
int runProgram(const std::vector<std::string>& arguments, LineChain chain = LineChain::gated);

}  // namespace torvelin
