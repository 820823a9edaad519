// The page "combats.html": every fight of the run with its damage per second, a summary, charts
// of the evening and of the biggest fights, the recap of each death, and links to every other
// page of the run, so that players may start their reading there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "record/fight_log.h"
#include "report/page_output.h"

namespace torvelin {

inline constexpr std::string_view combatsPageName = "combats.html";

// Makes combats.html in memory from the fights of `log`, as `setting` says. `partNames` are the
// names of the log parts and `partFiles` their pages (see pageFileNames), which the page links to
// with discussions.html. It writes nothing, so it may run on another thread than the one that
// writes the other pages.
std::string makeCombatsPage(const FightLog& log, const std::vector<std::string>& partNames,
                            const std::vector<std::string>& partFiles, std::string_view logFileName,
                            const PageSetting& setting);

// Writes a page made by makeCombatsPage into the folder of `setting`.
void writeCombatsPage(std::string_view page, const PageSetting& setting);

}  // namespace torvelin
