// The files of the fights, written after the analysis pages: combats.html, and torvelin.json when
// asked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/log_parts.h"
#include "record/fight_log.h"
#include "report/page_output.h"

namespace torvelin {

// The names of those files, in the order they are written.
std::vector<std::string> fightFileNames(bool json);

// Writes `combatsPage` (see makeCombatsPage) as combats.html, then torvelin.json from `fights` when
// `json`.
void writeFightFiles(std::string_view combatsPage, const FightLog& fights, const LogParts& parts,
                     std::string_view logFileName, const PageSetting& setting, bool json);

}  // namespace torvelin
