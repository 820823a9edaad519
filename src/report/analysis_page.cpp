#include "report/analysis_page.h"

#include <string>
#include <unordered_set>

#include "base/latin1.h"
#include "base/text.h"
#include "report/attack_sections.h"
#include "report/combats_page.h"
#include "report/discussions_page.h"
#include "report/magic_sections.h"
#include "report/page_output.h"
#include "report/reward_sections.h"

namespace torvelin {

namespace {

constexpr std::string_view pageSuffix = ".html";

// Latin-1 letters in lower case: A-Z and the accented capitals from À to Þ (but ×).
char lowerLatin1(char c) {
    auto byte = static_cast<unsigned char>(c);
    bool capital = (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
    return capital ? static_cast<char>(byte + 0x20) : c;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = lowerLatin1(c);
    return lower;
}

bool isDeviceName(std::string_view name) {
    std::string stem = lowerCase(name.substr(0, name.find('.')));
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul")
        return true;
    return stem.size() == 4 && (startsWith(stem, "com") || startsWith(stem, "lpt")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string pageFileName(std::string_view partName) {
    std::string name(partName);
    for (char& c : name) {
        auto byte = static_cast<unsigned char>(c);
        bool control = byte < 0x20 || byte == 0x7F;
        if (control || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    std::string prefix = isDeviceName(name) ? "_" : "";
    return prefix + name + std::string(pageSuffix);
}

std::vector<std::string> pageFileNames(const std::vector<std::string>& partNames) {
    std::vector<std::string> files;
    std::unordered_set<std::string> taken{std::string(discussionsPageName),
                                          std::string(combatsPageName)};
    for (const std::string& part : partNames) {
        std::string file = pageFileName(part);
        std::string base = file.substr(0, file.size() - pageSuffix.size());
        for (int n = 2; taken.contains(lowerCase(file)); ++n)
            file = base + "_" + std::to_string(n) + std::string(pageSuffix);
        taken.insert(lowerCase(file));
        files.push_back(file);
    }
    return files;
}

SectionFlags spellAndDefenceFlags(const PartStats& stats) {
    SectionFlags flags;
    for (std::int32_t i = 0; i < stats.spellCount; ++i) {
        const SpellEntry& spell = stats.spells[static_cast<std::size_t>(i)];
        if (spell.hitDamage.empty()) {
            flags.hasNonOffensive = true;
        } else if (spell.spellKind == SpellKind::heal) {
            flags.hasHeals = true;
        } else {
            flags.hasSpells = true;
        }
    }
    flags.defenceTotal = std::int64_t{stats.meleeHitsTaken.count()} +
                         stats.receivedDamage[IncomingKind::melee].count() +
                         stats.receivedDamage[IncomingKind::arrow].count();
    return flags;
}

void writeNavigation(const PageContext& page, const PartStats& stats) {
    std::FILE* out = page.out;
    const char* part = page.partLink.data();
    const SectionFlags& flags = page.flags;
    if (stats.weaponStyleCount != 0) {
        putf(out, " <a href=\"./%s.html#Attaques\">Attaques</a> -", part);
    }
    if (flags.hasRanged)
        putf(out, " <a href=\"./%s.html#Range\">Archerie</a> -", part);
    if (flags.hasSpells)
        putf(out, " <a href=\"./%s.html#Sorts\">Sorts</a> -", part);
    if (flags.hasHeals)
        putf(out, " <a href=\"./%s.html#Soins\">Soins</a> -", part);
    if (flags.hasNonOffensive) {
        putf(out, " <a href=\"./%s.html#SortsNO\">Sorts non offensifs</a> -", part);
    }
    for (GivenEffect effect : allKinds<GivenEffect>()) {
        if (stats.givenEffects[effect].empty())
            continue;
        const char* title = givenEffectTitle(effect).data();
        putf(out, " <a href=\"./%s.html#%s\">%s</a> -", part, title, title);
    }
    if (flags.defenceTotal != 0) {
        putf(out, " <a href=\"./%s.html#Defense\">Défense</a> -"_l1.c_str(), part);
    }
    if (stats.killerCount() != 0) {
        putf(out, " <a href=\"./%s.html#Meurtriers\">Meurtriers</a> -", part);
    }
    if (stats.lastKill >= 0) {
        putf(out, " <a href=\"./%s.html#Tableau de chasse\">Tableau de chasse</a> -", part);
    }
    if (stats.monsterCount != 0) {
        putf(out, " <a href=\"./%s.html#XP\">XP, argent, loots</a> -", part);
    }
    if (stats.craftCount != 0) {
        putf(out, " <a href=\"./%s.html#Artisanat\">Artisanat</a> -", part);
    }
}

namespace {

void writeHeader(std::FILE* out, std::string_view logFileName, const PageSetting& setting) {
    put(out, pageHead("Analyse", logFileName, setting));
    put(out, "<a href=\"");
    put(out, siteAddress);
    put(out,
        "\">Le site de TORVELIN</a></font></p><p align=\"center\"><font size=\"5\"><b>"
        "<font color=\"#003399\"><a name=\"Sommaire\"></a>TORVELIN par Orsimel   - version 0.8 "
        "(beta)</font></b></font></p><p>&nbsp;</p>");
}

}  // namespace

void writeAnalysisPage(PartStats& stats, std::string_view logFileName, const std::string& fileName,
                       const PageSetting& setting) {
    SectionFlags flags = spellAndDefenceFlags(stats);
    separatePreciseShots(stats);
    AttackReport report = prepareAttackReport(stats);
    flags.hasRanged = !report.rangedEntries.empty();

    PageFile file = openPage(setting.folder, fileName);
    std::FILE* out = file.out;
    std::string fileBase = fileName.substr(0, fileName.size() - pageSuffix.size());
    std::string partLink = htmlEscape(fileBase);
    PageContext page{out, partLink, flags};

    writeHeader(out, logFileName, setting);
    put(out, "<p>");
    writeNavigation(page, stats);
    writeAttackSections(page, stats, report);
    writeSpellSection(page, stats);
    writeHealSection(page, stats);
    writeNonOffensiveSection(page, stats);
    writeDefenceSection(page, stats);
    writeKillerSection(page, stats);
    writeHuntingSection(page, stats);
    writeExperienceSection(page, stats);
    writeCraftingSection(page, stats);
    put(out, "<p>&nbsp;</p></body></html>");
    closePage(file);
}

}  // namespace torvelin
