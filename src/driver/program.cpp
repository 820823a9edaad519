#include "driver/program.h"

#include "driver/console.h"

namespace torvelin {

int runProgram() {
    consoleWrite("\t\tTORVELIN par Orsimel   version 0.9  (beta)\n\n");
    return exitSuccess;
}

}  // namespace torvelin
