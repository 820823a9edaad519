// The command line: torvelin [options] [LOG].
#pragma once

#include <string>
#include <vector>

#include "record/fight_log.h"

namespace torvelin {

// Exit status of a wrong command line: nothing was read or written.
inline constexpr int exitUsage = 2;

// The names of the log and of the folder are in the system's form, as given (see FileName).
struct CommandLine {
    std::string logName = "chat.log";
    std::string outputFolder;  // empty: the current folder
    bool help = false;
    bool version = false;
    bool lastSession = false;              // --derniere-session
    bool follow = false;                   // --suivre
    int intervalSeconds = 5;               // --intervalle
    int pauseSeconds = defaultFightPause;  // --pause: the pause that ends a fight
    bool json = false;                     // --json: the fights also go to torvelin.json
    std::string error;                     // the message of a wrong command line; empty when right
};

// Reads the arguments (the system's words) left to right; the first help, version or error ends
// the reading. An interval without the follow mode is an error.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The usage text of --help, also written after the message of a wrong command line.
const std::string& usageText();

}  // namespace torvelin
