#include "report/page_tables.h"

#include "report/page_output.h"

namespace torvelin {
namespace {

// The frame after "<table ": the black background between the cells draws the grid.
constexpr std::string_view frame = "border=\"0\" bgcolor=\"#000000\">";

constexpr std::string_view headerShade = "#DEE3E7";
constexpr std::string_view rowShade = "#EFEFEF";

// What follows the width of a cell: nothing, a space, or the fixed height.
constexpr std::string_view plainCellEnd = ">";
constexpr std::string_view nameCellEnd = " >";
constexpr std::string_view tallCellEnd = " height=\"25\" >";

void openRowWith(std::FILE* out, std::string_view align, std::string_view shade) {
    put(out, "<tr align=\"");
    put(out, align);
    put(out, "\" bgcolor=\"");
    put(out, shade);
    put(out, "\">");
}

// "<td width="WIDTH"" and the end; "<td>" for a WIDTH of 0.
void openCellEndingWith(std::FILE* out, int width, std::string_view end) {
    if (width == 0) {
        put(out, "<td>");
        return;
    }
    put(out, "<td width=\"");
    putNumber(out, width);
    put(out, "\"");
    put(out, end);
}

void writeTextCell(std::FILE* out, int width, std::string_view end, std::string_view text) {
    openCellEndingWith(out, width, end);
    put(out, text);
    closeCell(out);
}

void writeFigureCell(std::FILE* out, int width, std::string_view end, std::int64_t value,
                     std::string_view unit) {
    openCellEndingWith(out, width, end);
    putNumber(out, value);
    put(out, unit);
    closeCell(out);
}

}  // namespace

void writeSectionAnchor(std::FILE* out, std::string_view anchor) {
    put(out, "\n\n<a name=\"");
    put(out, anchor);
    put(out, "\"></a>");
}

void openLargeFont(std::FILE* out) {
    put(out, "<font size=\"4\">");
}

void openLargeTitle(std::FILE* out, std::string_view title) {
    openLargeFont(out);
    put(out, "<b>");
    put(out, title);
    put(out, "</b>");
}

void writeSummaryLink(const PageContext& page) {
    putf(page.out, " (<a href=\"./%s.html#Sommaire\"><i>Sommaire</i></a>)", page.partLink.data());
}

void openSectionTitle(std::FILE* out, std::string_view title) {
    put(out, "<p>");
    openLargeTitle(out, title);
}

void closeSectionTitle(const PageContext& page) {
    put(page.out, "</font>");
    writeSummaryLink(page);
    put(page.out, "</p>");
}

void writeSectionTitle(const PageContext& page, std::string_view anchor, std::string_view title) {
    writeSectionAnchor(page.out, anchor);
    openSectionTitle(page.out, title);
    closeSectionTitle(page);
}

void openEntryTable(std::FILE* out, int width) {
    put(out, "<table  ");
    if (width != 0)
        putf(out, "width=\"%i\" ", width);
    put(out, frame);
}

void openSmallTable(std::FILE* out) {
    put(out, "<table ");
    put(out, frame);
}

void closeTable(std::FILE* out) {
    put(out, "</table>");
}

void openHeaderRow(std::FILE* out) {
    openRowWith(out, "center", headerShade);
}

void openRow(std::FILE* out) {
    openRowWith(out, "center", rowShade);
}

void openLeftRow(std::FILE* out) {
    openRowWith(out, "left", rowShade);
}

void closeRow(std::FILE* out) {
    put(out, "</tr>");
}

void openCell(std::FILE* out, int width) {
    openCellEndingWith(out, width, plainCellEnd);
}

void openNameCell(std::FILE* out, int width) {
    openCellEndingWith(out, width, nameCellEnd);
}

void openTallCell(std::FILE* out, int width) {
    openCellEndingWith(out, width, tallCellEnd);
}

void closeCell(std::FILE* out) {
    put(out, "</td>");
}

void writeCell(std::FILE* out, int width, std::string_view text) {
    writeTextCell(out, width, plainCellEnd, text);
}

void writeNumberCell(std::FILE* out, int width, std::int64_t value) {
    writeFigureCell(out, width, plainCellEnd, value, "");
}

void writePercentCell(std::FILE* out, int width, std::int64_t percent) {
    writeFigureCell(out, width, plainCellEnd, percent, "%");
}

void writeNameCell(std::FILE* out, int width, std::string_view text) {
    writeTextCell(out, width, nameCellEnd, text);
}

void writeTallCell(std::FILE* out, int width, std::string_view text) {
    writeTextCell(out, width, tallCellEnd, text);
}

void writeTallNumberCell(std::FILE* out, int width, std::int64_t value) {
    writeFigureCell(out, width, tallCellEnd, value, "");
}

void writeTallPercentCell(std::FILE* out, int width, std::int64_t percent) {
    writeFigureCell(out, width, tallCellEnd, percent, "%");
}

}  // namespace torvelin
