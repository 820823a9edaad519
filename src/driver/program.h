// The program from start to end: banner, log reading, pages, closing messages.
#pragma once

namespace torvelin {

// Runs the whole program in the current folder and returns its exit status.
int runProgram();

}  // namespace torvelin
