#include "driver/fight_files.h"

#include "report/combats_page.h"
#include "report/fights_json.h"

namespace torvelin {

std::vector<std::string> writeFightFiles(std::string_view combatsPage, const FightLog& fights,
                                         const LogParts& parts, std::string_view logFileName,
                                         const PageSetting& setting, bool json) {
    writeCombatsPage(combatsPage, setting);
    std::vector<std::string> written{std::string(combatsPageName)};
    if (json) {
        writeFightsJson(fights, parts.names, logFileName, setting);
        written.emplace_back(fightsJsonName);
    }
    return written;
}

}  // namespace torvelin
