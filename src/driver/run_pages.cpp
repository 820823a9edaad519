#include "driver/run_pages.h"

#include <algorithm>

#include "base/console.h"
#include "report/combats_page.h"
#include "report/discussions_page.h"
#include "report/fights_json.h"
#include "report/page_output.h"

namespace torvelin {

std::vector<std::string> runPages(const std::vector<std::string>& partPages, bool json) {
    std::vector<std::string> pages = partPages;
    pages.emplace_back(combatsPageName);
    if (json)
        pages.emplace_back(fightsJsonName);
    pages.emplace_back(discussionsPageName);
    return pages;
}

void refuseLogAmongPages(const LogFile& log, const FileName& folder,
                         const std::vector<std::string>& pages) {
    for (const std::string& page : pages) {
        FileFacts facts;
        if (platform().factsOfName(fileInFolder(folder, page).system, facts) == 0 &&
            facts.identity == log.facts.identity) {
            fatalError("le journal " + log.name.shown +
                       " porte le nom d'une page ecrite : renommez-le");
        }
    }
}

void removeStalePages(const FileName& folder, const std::vector<std::string>& before,
                      const std::vector<std::string>& now) {
    for (const std::string& page : before) {
        if (std::find(now.begin(), now.end(), page) == now.end())
            removePage(folder, page);
    }
}

}  // namespace torvelin
