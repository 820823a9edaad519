#include "driver/fight_files.h"

#include "report/combats_page.h"
#include "report/fights_json.h"

namespace torvelin {

std::vector<std::string> fightFileNames(bool json) {
    std::vector<std::string> names{std::string(combatsPageName)};
    if (json)
        names.emplace_back(fightsJsonName);
    return names;
}

void writeFightFiles(std::string_view combatsPage, const FightLog& fights, const LogParts& parts,
                     std::string_view logFileName, const PageSetting& setting, bool json) {
    writeCombatsPage(combatsPage, setting);
    if (json)
        writeFightsJson(fights, parts.names, logFileName, setting);
}

}  // namespace torvelin
