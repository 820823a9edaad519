// The markup of the analysis page's sections: the title paragraph with its anchor and the link
// back to the summary, the black frame whose background shows between the cells as grid lines,
// the two row shades, and cells of a given width.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "report/page_context.h"

namespace torvelin {

// "\n\n<a name="ANCHOR"></a>": the break before a section and the target of its navigation link.
void writeSectionAnchor(std::FILE* out, std::string_view anchor);

// "<font size="4">": the large font of titles.
void openLargeFont(std::FILE* out);

// "<font size="4"><b>TITLE</b>"; the font stays open for notes that follow the title.
void openLargeTitle(std::FILE* out, std::string_view title);

// " (<a href="./PART.html#Sommaire"><i>Sommaire</i></a>)": the link back to the top of the page.
void writeSummaryLink(const PageContext& page);

// "<p>" and the large title: the title paragraph of a section, open for notes...
void openSectionTitle(std::FILE* out, std::string_view title);

// ...closed by "</font>", the summary link and "</p>".
void closeSectionTitle(const PageContext& page);

// The anchor and the title paragraph of a section with no note after its title.
void writeSectionTitle(const PageContext& page, std::string_view anchor, std::string_view title);

// "<table  border="0" bgcolor="#000000">", with width="WIDTH" before the border when WIDTH is not
// 0: the frame of a table with a row per entry (weapon style, spell, monster, item).
void openEntryTable(std::FILE* out, int width = 0);

// "<table border="0" bgcolor="#000000">": the same frame around a table of set rows (a list in
// one cell, the figures of one sample list, the avoided attacks).
void openSmallTable(std::FILE* out);

void closeTable(std::FILE* out);

// "<tr align="center" bgcolor="#DEE3E7">": column titles, and the rows that stand out from the
// others (totals, crafted items).
void openHeaderRow(std::FILE* out);

// "<tr align="center" bgcolor="#EFEFEF">": an ordinary row.
void openRow(std::FILE* out);

// "<tr align="left" bgcolor="#EFEFEF">": the total line under a list.
void openLeftRow(std::FILE* out);

void closeRow(std::FILE* out);

// "<td width="WIDTH">", or "<td>" for a WIDTH of 0.
void openCell(std::FILE* out, int width = 0);

// "<td width="WIDTH" >": the name at the head of a row of the spell and archery tables.
void openNameCell(std::FILE* out, int width);

// "<td width="WIDTH" height="25" >": a cell of the rows of a fixed height (weapon styles, monsters,
// crafted items).
void openTallCell(std::FILE* out, int width);

void closeCell(std::FILE* out);

// Whole cells of the kinds above: a text, a number, or a percentage ("12%").
void writeCell(std::FILE* out, int width, std::string_view text);
void writeNumberCell(std::FILE* out, int width, std::int64_t value);
void writePercentCell(std::FILE* out, int width, std::int64_t percent);
void writeNameCell(std::FILE* out, int width, std::string_view text);
void writeTallCell(std::FILE* out, int width, std::string_view text);
void writeTallNumberCell(std::FILE* out, int width, std::int64_t value);
void writeTallPercentCell(std::FILE* out, int width, std::int64_t percent);

}  // namespace torvelin
