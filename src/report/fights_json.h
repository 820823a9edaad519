// "torvelin.json" (--json): the fights of the run for other programs, as UTF-8 JSON.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "record/fight_log.h"
#include "report/page_output.h"

namespace torvelin {

inline constexpr std::string_view fightsJsonName = "torvelin.json";

// Writes torvelin.json into the folder of `setting`: the program, the log `logFileName`, the pause
// and every fight of `log` in log order, each with the name of its part from `partNames`.
void writeFightsJson(const FightLog& log, const std::vector<std::string>& partNames,
                     std::string_view logFileName, const PageSetting& setting);

}  // namespace torvelin
