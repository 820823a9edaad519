// The pages a run writes, as one list: the page of each log part, then the pages of the whole log.
// What must hold of them goes by that list: no page is the log itself, no temporary file of a
// stopped run stays beside them, and the follow mode leaves no page of a part the log lost.
#pragma once

#include <string>
#include <vector>

#include "base/platform.h"
#include "driver/log_file.h"

namespace torvelin {

// The pages of a run, in the order it writes them: `partPages` (see pageFileNames), then the
// pages of the whole log: the fights page, the fights' export when `json`, the discussions page.
std::vector<std::string> runPages(const std::vector<std::string>& partPages, bool json);

// Ends the program before a page replaces the log, when one of `pages` in `folder` is the log's
// own file, whatever the spelling of its name: "le journal NAME porte le nom d'une page ecrite :
// renommez-le".
void refuseLogAmongPages(const LogFile& log, const FileName& folder,
                         const std::vector<std::string>& pages);

// Removes the pages of `before` that `now` does not hold.
void removeStalePages(const FileName& folder, const std::vector<std::string>& before,
                      const std::vector<std::string>& now);

}  // namespace torvelin
