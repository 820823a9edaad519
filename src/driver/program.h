// The program from start to end: banner, log reading, pages, closing messages.
#pragma once

#include <cstdint>
#include <string>

namespace torvelin {

// The processing time as the console shows it: seconds and rounded tenths ("2,4" for 2.36 s).
std::string processingTimeText(std::int64_t elapsedMs);

// Runs the whole program in the current folder and returns its exit status.
int runProgram();

}  // namespace torvelin
