// The analysis page of one log part: file, header, navigation line, sections, footer.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "stats/part_stats.h"

namespace torvelin {

inline constexpr std::string_view siteAddress = "https://torvelin.example/";

// Titles of the six given-effect lists (0 to 5) and of the eight kinds of damage received (6 to
// 13). The given-effect titles are also the anchors of their sections.
inline constexpr std::size_t effectTitleCount = 14;
const std::array<std::string_view, effectTitleCount>& effectTitles();

// Which sections the page holds, decided before the page is opened.
struct SectionFlags {
    std::int32_t hasRanged = 0;
    std::int32_t hasSpells = 0;
    std::int32_t hasHeals = 0;
    std::int32_t hasNonOffensive = 0;
    std::int64_t defenceTotal = 0;
};

// What every section writer receives.
struct PageContext {
    std::FILE* out;
    // The part's page name as written into links (file-name safe and HTML-escaped).
    std::string_view partLink;
    SectionFlags flags;
};

// The page file of a part: its name with ".html", each character that a file name cannot hold
// (/ \ : * ? " < > | and control characters) replaced by "_", so that a page is always written
// in the current folder; a name that Windows keeps for a device (CON, NUL, COM1... up to its
// first dot, in any case) gets "_" in front, on every system alike.
std::string pageFileName(std::string_view partName);

// The page files of the parts, in part order: a name equal, ignoring case, to the name of an
// earlier part or to "discussions.html" gets "_2" (or "_3"...) before ".html", so that no page
// overwrites another.
std::vector<std::string> pageFileNames(const std::vector<std::string>& partNames);

// The spell flags and the defence total of a record.
SectionFlags spellAndDefenceFlags(const PartStats& stats);

// The link back to the top of the page that ends the title paragraph of every section.
void writeSummaryLink(const PageContext& page);

// Writes the navigation links whose conditions hold.
void writeNavigation(const PageContext& page, const PartStats& stats);

// Writes the page of a part into the file `fileName` (see pageFileNames). The record is changed on
// the way (precise shots are moved out of the ranged hits).
void writeAnalysisPage(PartStats& stats, std::string_view logFileName, const std::string& fileName);

}  // namespace torvelin
