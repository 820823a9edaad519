#include "report/analysis_page.h"

#include <string>

#include "driver/console.h"
#include "report/attack_sections.h"
#include "report/magic_sections.h"
#include "report/page_output.h"
#include "report/reward_sections.h"
#include "stats/latin1.h"

namespace torvelin {

const std::array<std::string_view, effectTitleCount>& effectTitles() {
    static const std::array<std::string_view, effectTitleCount> titles = {
        "Poisons donnés"_l1,         "Add dmg donnés"_l1,
        "Bouclier dmg donnés"_l1,    "Saignements donnés"_l1,
        "Poisons acides donnés"_l1,  "Maladies données"_l1,
        "Coups de poisons recus"_l1, "Coups recus au corps à corps en rvr"_l1,
        "Flèches recues"_l1,         "Maladies recues"_l1,
        "Poisons violents recus"_l1, "Add dommages recus"_l1,
        "Saignements subis"_l1,      "Sorts recus"_l1,
    };
    return titles;
}

std::string pageFileName(std::string_view partName) {
    std::string name(partName);
    for (char& c : name) {
        auto byte = static_cast<unsigned char>(c);
        bool control = byte < 0x20 || byte == 0x7F;
        if (control || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    return name + ".html";
}

SectionFlags spellAndDefenceFlags(const PartStats& stats) {
    SectionFlags flags;
    for (std::int32_t i = 0; i < stats.spellCount; ++i) {
        const SpellEntry& spell = stats.spells[static_cast<std::size_t>(i)];
        if (spell.hitDamage.empty()) {
            flags.hasNonOffensive = 1;
        } else if (spell.spellKind == spellHeal) {
            flags.hasHeals = 1;
        } else {
            flags.hasSpells = 1;
        }
    }
    flags.defenceTotal = std::int64_t{stats.meleeHitsTaken.count()} +
                         stats.receivedDamage[1].count() + stats.receivedDamage[2].count();
    return flags;
}

void writeSummaryLink(const PageContext& page) {
    putf(page.out, " (<a href=\"./%s.html#Sommaire\"><i>Sommaire</i></a>)</p>",
         page.partLink.data());
}

void writeNavigation(const PageContext& page, const PartStats& stats) {
    std::FILE* out = page.out;
    const char* part = page.partLink.data();
    const SectionFlags& flags = page.flags;
    if (stats.weaponStyleCount != 0) {
        putf(out, " <a href=\"./%s.html#Attaques\">Attaques</a> -", part);
    }
    if (flags.hasRanged != 0)
        putf(out, " <a href=\"./%s.html#Range\">Archerie</a> -", part);
    if (flags.hasSpells == 1)
        putf(out, " <a href=\"./%s.html#Sorts\">Sorts</a> -", part);
    if (flags.hasHeals == 1)
        putf(out, " <a href=\"./%s.html#Soins\">Soins</a> -", part);
    if (flags.hasNonOffensive == 1) {
        putf(out, " <a href=\"./%s.html#SortsNO\">Sorts non offensifs</a> -", part);
    }
    for (std::size_t k = 0; k < givenEffectCount; ++k) {
        if (stats.givenEffects[k].empty())
            continue;
        const char* title = effectTitles()[k].data();
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

void writeHeader(std::FILE* out, std::string_view logFileName) {
    put(out, "<html><head><title>Analyse du fichier ");
    put(out, htmlEscape(logFileName));
    put(out,
        "</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
        "</head><body bgcolor=\"#EFEFEF\" text=\"#074385\" vlink=\"#0066FF\"><p><font size=\"2\">"
        "<a href=\"");
    put(out, siteAddress);
    put(out,
        "\">Le site de TORVELIN</a></font></p><p align=\"center\"><font size=\"5\"><b>"
        "<font color=\"#003399\"><a name=\"Sommaire\"></a>TORVELIN par Orsimel   - version 0.8 "
        "(beta)</font></b></font></p><p>&nbsp;</p>");
}

}  // namespace

void writeAnalysisPage(PartStats& stats, std::string_view logFileName, std::string_view partName) {
    SectionFlags flags = spellAndDefenceFlags(stats);
    separatePreciseShots(stats);
    AttackReport report = prepareAttackReport(stats);
    flags.hasRanged = static_cast<std::int32_t>(report.rangedEntries.size());

    std::string fileName = pageFileName(partName);
    std::FILE* out = std::fopen(fileName.c_str(), "wb");
    if (out == nullptr)
        fatalError("impossible d'ecrire le fichier " + fileName);

    std::string fileBase = fileName.substr(0, fileName.size() - 5);
    std::string partLink = htmlEscape(fileBase);
    PageContext page{out, partLink, flags};

    writeHeader(out, logFileName);
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
    std::fclose(out);
}

}  // namespace torvelin
