// The analysis page of one log part: file, header, navigation line, sections, footer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "record/part_stats.h"
#include "report/page_context.h"
#include "report/page_output.h"

namespace torvelin {

// The page file of a part: its name with ".html", each character that a file name cannot hold
// (/ \ : * ? " < > | and control characters) replaced by "_", so that a page is always written
// in the current folder; a name that Windows keeps for a device (CON, NUL, COM1... up to its
// first dot, in any case) gets "_" in front, on every system alike.
std::string pageFileName(std::string_view partName);

// The page files of the parts, in part order: a name equal, ignoring case, to the name of an
// earlier part or to "discussions.html" or "combats.html" gets "_2" (or "_3"...) before ".html",
// so that no page overwrites another.
std::vector<std::string> pageFileNames(const std::vector<std::string>& partNames);

// The spell flags and the defence total of a record.
SectionFlags spellAndDefenceFlags(const PartStats& stats);

// Writes the navigation links whose conditions hold.
void writeNavigation(const PageContext& page, const PartStats& stats);

// Writes the page of a part into the file `fileName` (see pageFileNames), as `setting` says. The
// record is changed on the way (precise shots are moved out of the ranged hits).
void writeAnalysisPage(PartStats& stats, std::string_view logFileName, const std::string& fileName,
                       const PageSetting& setting = {});

}  // namespace torvelin
