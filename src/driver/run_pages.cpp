#include "driver/run_pages.h"

#include <algorithm>
#include <utility>

#include "base/console.h"
#include "driver/fight_files.h"
#include "report/discussions_page.h"
#include "report/page_output.h"

namespace torvelin {

std::vector<std::string> runPages(const std::vector<std::string>& partPages, bool json) {
    std::vector<std::string> pages = partPages;
    for (std::string& file : fightFileNames(json))
        pages.push_back(std::move(file));
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
