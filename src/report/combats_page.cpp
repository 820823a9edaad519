#include "report/combats_page.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>

#include "base/latin1.h"
#include "report/fight_texts.h"
#include "report/page_context.h"
#include "report/statistics.h"

namespace torvelin {
namespace {

// The page is made as one text: a log of thousands of fights makes a page of megabytes, made
// without a copy of any part of it.

constexpr std::string_view viewportTag =
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">";

constexpr std::string_view dealtColour = "#2F6DB5";
constexpr std::string_view takenColour = "#C0392B";
constexpr std::string_view gridColour = "#C5CDD5";
constexpr std::string_view inkColour = "#074385";
// The bars of the fights of each log part.
constexpr std::array<std::string_view, 10> partColours = {
    "#2F6DB5", "#E08E0B", "#2E9E5B", "#8E44AD", "#C0392B",
    "#16A2B8", "#7F8C2D", "#D35490", "#5D6D7E", "#A0522D",
};

std::string_view partColour(std::int32_t part) {
    return partColours[static_cast<std::size_t>(part) % partColours.size()];
}

// What the sections read.
struct PageInput {
    const FightLog& log;
    const std::vector<std::string>& partNames;
    const std::vector<std::string>& partFiles;
};

// --- Texts ---------------------------------------------------------------------------------

// The text of the parts of the page made for each fight (a row of the table, a bar of a chart),
// gathered in place before it joins the page: a text of known length is copied without a call and
// a number written digit by digit, where each append to the page would be a call of its own.
struct Gathered {
    explicit Gathered(std::string& to) : page(to) {}

    std::string& page;
    std::array<char, 4096> bytes;  // written before read
    std::size_t size = 0;
};

void flush(Gathered& to) {
    to.page.append(to.bytes.data(), to.size);
    to.size = 0;
}

// Room for `count` bytes (at most the size of `bytes`) after the gathered text.
[[gnu::always_inline]] inline char* roomFor(Gathered& to, std::size_t count) {
    if (count > to.bytes.size() - to.size)
        flush(to);
    return to.bytes.data() + to.size;
}

// Takes the end of what was written in the room.
void wrote(Gathered& to, const char* end) {
    to.size = static_cast<std::size_t>(end - to.bytes.data());
}

[[gnu::always_inline]] inline void add(Gathered& to, std::string_view text) {
    if (text.size() > to.bytes.size()) {
        flush(to);
        to.page.append(text);
        return;
    }
    std::memcpy(roomFor(to, text.size()), text.data(), text.size());
    to.size += text.size();
}

void add(Gathered& to, char c) {
    *roomFor(to, 1) = c;
    to.size += 1;
}

void addNumber(Gathered& to, std::int64_t value) {
    wrote(to, putNumber(roomFor(to, 20), value));
}

void addClock(Gathered& to, std::int32_t clock) {
    wrote(to, putClock(roomFor(to, clockLength), clock));
}

void addFrenchDate(Gathered& to, const CalendarDate& date) {
    wrote(to, putFrenchDate(roomFor(to, longestFrenchDate), date));
}

// A page's text from the log (see appendEscaped).
void addEscaped(Gathered& to, std::string_view text) {
    flush(to);
    appendEscaped(to.page, text);
}

// A coordinate of a picture, with one decimal at most.
void appendCoordinate(std::string& to, double value) {
    std::int64_t tenths = roundHalfUp(value * 10.0);
    if (tenths < 0) {
        to += '-';
        tenths = -tenths;
    }
    appendNumber(to, tenths / 10);
    if (tenths % 10 != 0) {
        to += '.';
        to += static_cast<char>('0' + tenths % 10);
    }
}

// ` NAME="VALUE"`: an attribute of a picture's element, a coordinate.
void appendAttribute(std::string& to, std::string_view name, double value) {
    to += ' ';
    to += name;
    to += "=\"";
    appendCoordinate(to, value);
    to += '"';
}

// A rate rounded to one decimal, with a decimal comma: "123,4".
void addRate(Gathered& to, double rate) {
    std::int64_t tenths = roundHalfUp(rate * 10.0);
    addNumber(to, tenths / 10);
    add(to, ',');
    add(to, static_cast<char>('0' + tenths % 10));
}

void appendRate(std::string& to, double rate) {
    Gathered text(to);
    addRate(text, rate);
    flush(text);
}

// "1 h 02 min 05 s", "4 min 05 s", "45 s".
void addDuration(Gathered& to, std::int64_t seconds) {
    std::int64_t hours = seconds / 3600;
    std::int64_t minutes = seconds / 60 % 60;
    auto addPart = [&to](std::int64_t value, std::string_view unit, bool padded) {
        if (padded && value < 10)
            add(to, '0');
        addNumber(to, value);
        add(to, unit);
    };
    if (hours > 0)
        addPart(hours, " h ", false);
    if (hours > 0 || minutes > 0)
        addPart(minutes, " min ", hours > 0);
    addPart(seconds % 60, " s", hours > 0 || minutes > 0);
}

void appendDuration(std::string& to, std::int64_t seconds) {
    Gathered duration(to);
    addDuration(duration, seconds);
    flush(duration);
}

// "le 09/12/2026 à 21:03:15", or "à 21:03:15" when the date is unknown.
void appendStart(std::string& to, const Fight& fight) {
    if (fight.dated) {
        to += "le ";
        appendFrenchDate(to, fight.date);
        to += ' ';
    }
    to += "à "_l1;
    appendClock(to, fight.start);
}

// "href="#combat-N"", the link to the row of the fight at `index`.
void appendFightLink(std::string& to, std::size_t index) {
    to += "href=\"#combat-";
    appendNumber(to, static_cast<std::int64_t>(index + 1));
    to += '"';
}

// The victims in the order of their first kill, "2 × " before a name killed twice.
// `groups` is room for the work, kept from fight to fight.
void addVictims(Gathered& to, const Fight& fight,
                std::vector<std::pair<std::size_t, std::size_t>>& groups) {
    const std::vector<std::string>& victims = fight.victims;
    if (victims.size() < 2) {
        if (victims.empty())
            add(to, '-');
        else
            addEscaped(to, victims[0]);
        return;
    }
    // The kills sorted by name, then in log order, give for each name its first kill and count.
    groups.clear();
    for (std::size_t i = 0; i < victims.size(); ++i)
        groups.emplace_back(i, 0);
    std::stable_sort(groups.begin(), groups.end(), [&victims](const auto& a, const auto& b) {
        return victims[a.first] < victims[b.first];
    });
    std::size_t names = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (names > 0 && victims[groups[names - 1].first] == victims[groups[i].first]) {
            groups[names - 1].second += 1;
        } else {
            groups[names++] = {groups[i].first, 1};
        }
    }
    groups.resize(names);
    std::sort(groups.begin(), groups.end());
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i != 0)
            add(to, ", ");
        if (groups[i].second > 1) {
            addNumber(to, static_cast<std::int64_t>(groups[i].second));
            add(to, " × "_l1);
        }
        addEscaped(to, victims[groups[i].first]);
    }
}

// The markup of the analysis pages' sections: the anchor, the title and the link back to the top.
void appendSectionTitle(std::string& to, std::string_view anchor, std::string_view title) {
    to += "\n\n<a name=\"";
    to += anchor;
    to += "\"></a><p><font size=\"4\"><b>";
    to += title;
    to += "</b></font> (<a href=\"./combats.html#Sommaire\"><i>Sommaire</i></a>)</p>";
}

// The black frame of the analysis pages' tables, with some room around the figures.
constexpr std::string_view framedTable =
    "<table border=\"0\" cellpadding=\"3\" bgcolor=\"#000000\">";
constexpr std::string_view headerRow = "<tr align=\"center\" bgcolor=\"#DEE3E7\">";
// The group of the rows under the header row, which take their alignment and shade from it.
constexpr std::string_view shadedRows = "<tbody align=\"center\" bgcolor=\"#EFEFEF\">";

// --- Pictures ------------------------------------------------------------------------------

// The graduation of an axis from 0 to at least `highest`: about `ticks` steps of 1, 2 or 5 times
// a power of ten, and no step below a tenth.
struct AxisScale {
    double step = 1.0;
    double top = 1.0;
};

// The least whole number of steps that reaches `highest`.
double stepsUpTo(double highest, double step) {
    return std::ceil(highest / step - 1e-9) * step;
}

AxisScale axisScale(double highest, int ticks) {
    AxisScale scale;
    if (highest <= 0.0)
        return scale;
    double rough = highest / ticks;
    double power = std::pow(10.0, std::floor(std::log10(rough)));
    scale.step = 10.0 * power;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            scale.step = factor * power;
            break;
        }
    }
    scale.step = std::max(scale.step, 0.1);
    scale.top = stepsUpTo(highest, scale.step);
    return scale;
}

// A value of an axis: whole from a step of 1, with a decimal comma below.
void appendAxisValue(std::string& to, double value, const AxisScale& scale) {
    if (scale.step >= 1.0)
        appendNumber(to, roundHalfUp(value));
    else
        appendRate(to, value);
}

// Appends a text of the program or of the log for the inside of an SVG picture: & < > " as
// XML's entities and every byte from 0x80 on as a numeric character reference, so that the
// picture is plain ASCII and reads as XML whatever encoding a reader assumes; a control character
// that XML cannot hold becomes the replacement character.
void appendSvgText(std::string& to, std::string_view latin1) {
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                to += "&amp;";
                break;
            case '<':
                to += "&lt;";
                break;
            case '>':
                to += "&gt;";
                break;
            case '"':
                to += "&quot;";
                break;
            default:
                if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                    to += "&#65533;";  // XML holds no other control character
                } else if (byte < 0x80) {
                    to += c;
                } else {
                    to += "&#";
                    appendNumber(to, byte);
                    to += ';';
                }
        }
    }
}

void openSvg(std::string& to, double width, double height, bool shrinks,
             std::string_view description) {
    to += "<div style=\"overflow-x:auto\"><svg xmlns=\"http://www.w3.org/2000/svg\"";
    appendAttribute(to, "width", width);
    appendAttribute(to, "height", height);
    to += " viewBox=\"0 0 ";
    appendCoordinate(to, width);
    to += ' ';
    appendCoordinate(to, height);
    to += "\" font-family=\"Verdana, Arial, sans-serif\" font-size=\"11\" fill=\"";
    to += inkColour;
    to += '"';
    // A picture as wide as a phone's screen or less shrinks with it; a wider one scrolls in its
    // box.
    if (shrinks)
        to += " style=\"max-width:100%;height:auto\"";
    to += " role=\"img\"><title>";
    appendSvgText(to, description);
    to += "</title>";
}

constexpr std::string_view closeSvg = "</svg></div>";

void appendLine(std::string& to, double x1, double y1, double x2, double y2,
                std::string_view extra = {}) {
    to += "<line";
    appendAttribute(to, "x1", x1);
    appendAttribute(to, "y1", y1);
    appendAttribute(to, "x2", x2);
    appendAttribute(to, "y2", y2);
    to += " stroke=\"";
    to += gridColour;
    to += '"';
    to += extra;
    to += "/>";
}

// Opens a text at (x, y); `anchor` is SVG's text-anchor. Its content and "</text>" follow.
void openLabel(std::string& to, double x, double y, std::string_view anchor) {
    to += "<text";
    appendAttribute(to, "x", x);
    appendAttribute(to, "y", y);
    to += " text-anchor=\"";
    to += anchor;
    to += "\">";
}

void appendLabel(std::string& to, double x, double y, std::string_view anchor,
                 std::string_view latin1) {
    openLabel(to, x, y, anchor);
    appendSvgText(to, latin1);
    to += "</text>";
}

// The horizontal lines of a scale from `zeroY` upwards (`direction` -1) or downwards (1), with
// their values at the left of the plot.
void appendGrid(std::string& to, const AxisScale& scale, double zeroY, double pixelsPerUnit,
                int direction, double left, double right) {
    auto steps = static_cast<int>(std::lround(scale.top / scale.step));
    for (int i = 1; i <= steps; ++i) {
        double value = i * scale.step;
        double y = zeroY + direction * value * pixelsPerUnit;
        appendLine(to, left, y, right, y);
        openLabel(to, left - 6, y + 4, "end");
        appendAxisValue(to, value, scale);
        to += "</text>";
    }
}

// The distance between two labelled ticks of an axis of `pixelsPerUnit`: the smallest of 1, 2, 5,
// 10, 20, 50... times `unit` that leaves `room` pixels between two labels.
std::int64_t tickEvery(double pixelsPerUnit, double room, std::int64_t unit = 1) {
    for (std::int64_t power = 1;; power *= 10) {
        for (std::int64_t factor : {1, 2, 5}) {
            std::int64_t every = factor * power * unit;
            if (static_cast<double>(every) * pixelsPerUnit >= room || every > INT64_MAX / 100)
                return every;
        }
    }
}

// The picture of the DPS of every fight, one bar each in log order, coloured by log part, with
// the dates where they change. Each bar tells its fight in a tooltip.
struct DpsLayout {
    static constexpr double left = 52;
    static constexpr double right = 14;
    static constexpr double top = 26;
    static constexpr double bottom = 36;
    static constexpr double plotHeight = 170;
    static constexpr double narrowWidth = 700;
    static constexpr double slimmestSlot = 3;
};

bool sameDay(const Fight& a, const Fight& b) {
    return a.dated == b.dated && a.date == b.date;
}

void appendDpsChart(std::string& to, const FightLog& log) {
    using L = DpsLayout;
    const std::vector<Fight>& fights = log.fights;
    auto count = static_cast<double>(fights.size());
    double plotWidth = std::max(L::narrowWidth, count * L::slimmestSlot);
    double slot = plotWidth / count;
    double width = L::left + plotWidth + L::right;
    double height = L::top + L::plotHeight + L::bottom;
    double plotBottom = L::top + L::plotHeight;
    double highest = 0.0;
    for (const Fight& fight : fights)
        highest = std::max(highest, damagePerSecond(fight));
    AxisScale scale = axisScale(highest, 4);
    double perUnit = L::plotHeight / scale.top;

    openSvg(to, width, height, plotWidth <= L::narrowWidth,
            "DPS de chaque combat, dans l'ordre du journal");
    appendGrid(to, scale, plotBottom, perUnit, -1, L::left, L::left + plotWidth);
    appendLabel(to, 4, 14, "start", "DPS");
    // The dates: a dashed line where the date changes, its day and month above the plot.
    double lastLabel = -1e9;
    for (std::size_t i = 0; i < fights.size(); ++i) {
        const Fight& fight = fights[i];
        if (!fight.dated || (i != 0 && sameDay(fights[i - 1], fight)))
            continue;
        double x = L::left + static_cast<double>(i) * slot;
        if (i != 0)
            appendLine(to, x, L::top - 8, x, plotBottom, " stroke-dasharray=\"3,3\"");
        if (x - lastLabel >= 44) {
            std::string day;
            appendFrenchDate(day, fight.date);
            appendLabel(to, x + 2, L::top - 10, "start", day.substr(0, 5));
            lastLabel = x;
        }
    }
    // The bars, in a group for each run of fights of one part. Whole pixels, and a tooltip in
    // plain words: a log of thousands of fights has thousands of bars.
    std::int64_t every = tickEvery(slot, 36);
    std::string ticks;
    auto barWidth = static_cast<std::int64_t>(std::max(std::floor(slot * 0.75), 1.0));
    barWidth = std::min<std::int64_t>(barWidth, 40);
    Gathered bars{to};
    for (std::size_t i = 0; i < fights.size(); ++i) {
        const Fight& fight = fights[i];
        if (i == 0 || fights[i - 1].part != fight.part) {
            if (i != 0)
                add(bars, "</g>");
            add(bars, "<g fill=\"");
            add(bars, partColour(fight.part));
            add(bars, "\">");
        }
        double middle = L::left + (static_cast<double>(i) + 0.5) * slot;
        std::int64_t x = roundHalfUp(middle) - barWidth / 2;
        double dps = damagePerSecond(fight);
        std::int64_t barHeight = std::max<std::int64_t>(roundHalfUp(dps * perUnit), 1);
        add(bars, "<rect x=\"");
        addNumber(bars, x);
        add(bars, "\" y=\"");
        addNumber(bars, static_cast<std::int64_t>(plotBottom) - barHeight);
        add(bars, "\" width=\"");
        addNumber(bars, barWidth);
        add(bars, "\" height=\"");
        addNumber(bars, barHeight);
        add(bars, "\"><title>Combat ");
        addNumber(bars, static_cast<std::int64_t>(i + 1));
        add(bars, ", ");
        if (fight.dated)
            addFrenchDate(bars, fight.date);
        else
            add(bars, "date inconnue");
        add(bars, ' ');
        addClock(bars, fight.start);
        add(bars, ", ");
        addRate(bars, dps);
        add(bars, " DPS</title></rect>");
        auto number = static_cast<std::int64_t>(i + 1);
        if (number % every == 0 || i == 0) {
            appendLine(ticks, middle, plotBottom, middle, plotBottom + 4);
            openLabel(ticks, middle, plotBottom + 16, "middle");
            appendNumber(ticks, number);
            ticks += "</text>";
        }
    }
    flush(bars);
    to += "</g>";
    to += ticks;
    appendLine(to, L::left, plotBottom, L::left + plotWidth, plotBottom, " stroke-width=\"1.5\"");
    appendLabel(to, L::left + plotWidth, height - 4, "end", "combat n°"_l1);
    to += closeSvg;
}

// The picture of one fight: the damage dealt above the line and the damage taken below it, per
// second (or per bin of seconds, as a mean per second).
struct SecondsLayout {
    static constexpr double left = 56;
    static constexpr double right = 14;
    static constexpr double top = 26;
    static constexpr double bottom = 34;
    static constexpr double plotHeight = 180;
    static constexpr double plotWidth = 690;
};

// The bars of one series as one path, each bar from the zero line upwards (`direction` -1) or
// downwards (1).
void appendBars(std::string& to, std::span<const std::int64_t> bins, double binSeconds,
                double zeroY, double perUnit, int direction, double slot, std::string_view colour) {
    using L = SecondsLayout;
    if (std::all_of(bins.begin(), bins.end(), [](std::int64_t bin) { return bin == 0; }))
        return;
    double barWidth = std::max(slot * 0.8, std::min(slot, 1.0));
    to += "<path fill=\"";
    to += colour;
    to += "\" d=\"";
    for (std::size_t i = 0; i < bins.size(); ++i) {
        if (bins[i] == 0)
            continue;
        double barHeight = std::max(static_cast<double>(bins[i]) / binSeconds * perUnit, 0.5);
        to += 'M';
        appendCoordinate(to, L::left + static_cast<double>(i) * slot + (slot - barWidth) / 2);
        to += ',';
        appendCoordinate(to, zeroY);
        to += 'v';
        appendCoordinate(to, direction * barHeight);
        to += 'h';
        appendCoordinate(to, barWidth);
        to += 'v';
        appendCoordinate(to, -direction * barHeight);
        to += 'z';
    }
    to += "\"/>";
}

// A time into a fight on its axis: "45 s" in a fight of a minute at most, "1:30" in a longer one.
void appendSecondsLabel(std::string& to, std::int64_t seconds, bool inMinutes) {
    if (!inMinutes) {
        appendNumber(to, seconds);
        to += " s";
        return;
    }
    appendNumber(to, seconds / 60);
    to += seconds % 60 < 10 ? ":0" : ":";
    appendNumber(to, seconds % 60);
}

void appendLegendItem(std::string& to, double x, std::string_view colour, std::string_view latin1) {
    to += "<rect";
    appendAttribute(to, "x", x);
    to += " y=\"6\" width=\"10\" height=\"10\" fill=\"";
    to += colour;
    to += "\"/>";
    appendLabel(to, x + 14, 15, "start", latin1);
}

double highestRate(std::span<const std::int64_t> bins, double binSeconds) {
    std::int64_t highest = 0;
    for (std::int64_t bin : bins)
        highest = std::max(highest, bin);
    return static_cast<double>(highest) / binSeconds;
}

void appendSecondsChart(std::string& to, const FightLog& log, const FightSeries& series) {
    using L = SecondsLayout;
    const Fight& fight = log.fights[series.fight];
    std::int64_t bins = ((fight.durationSeconds() - 1) >> series.binShift) + 1;
    double slot = L::plotWidth / static_cast<double>(bins);
    auto binSeconds = static_cast<double>(series.binSeconds());
    std::span<const std::int64_t> dealt(series.dealt.data(), series.bins);
    std::span<const std::int64_t> taken(series.taken.data(), series.bins);
    double highestDealt = highestRate(dealt, binSeconds);
    double highestTaken = highestRate(taken, binSeconds);
    // One scale for both, the plot's height shared between them as their highest values.
    AxisScale scale = axisScale(std::max(highestDealt, highestTaken), 4);
    AxisScale upper = scale;
    AxisScale lower = scale;
    upper.top = highestDealt > 0 ? stepsUpTo(highestDealt, scale.step) : 0;
    lower.top = highestTaken > 0 ? stepsUpTo(highestTaken, scale.step) : 0;
    if (upper.top == 0 && lower.top == 0)
        upper.top = scale.step;
    double perUnit = L::plotHeight / (upper.top + lower.top);
    double zeroY = L::top + upper.top * perUnit;
    double width = L::left + L::plotWidth + L::right;
    double height = L::top + L::plotHeight + L::bottom;

    std::string description = "Combat n° "_l1;
    appendNumber(description, static_cast<std::int64_t>(series.fight + 1));
    description += " : dégâts infligés et subis par seconde"_l1;
    openSvg(to, width, height, true, description);
    appendGrid(to, upper, zeroY, perUnit, -1, L::left, L::left + L::plotWidth);
    appendGrid(to, lower, zeroY, perUnit, 1, L::left, L::left + L::plotWidth);
    appendLegendItem(to, L::left, dealtColour, "dégâts infligés par seconde"_l1);
    appendLegendItem(to, L::left + 230, takenColour, "dégâts subis par seconde"_l1);
    appendBars(to, dealt, binSeconds, zeroY, perUnit, -1, slot, dealtColour);
    appendBars(to, taken, binSeconds, zeroY, perUnit, 1, slot, takenColour);
    appendLine(to, L::left, zeroY, L::left + L::plotWidth, zeroY, " stroke-width=\"1.5\"");
    appendLabel(to, L::left - 6, zeroY + 4, "end", "0");
    double plotBottom = L::top + L::plotHeight;
    double pixelsPerSecond = slot / binSeconds;
    std::int64_t every = tickEvery(pixelsPerSecond, 60);
    if (every >= 60)
        every = tickEvery(pixelsPerSecond, 60, 60);
    bool inMinutes = fight.durationSeconds() > 60;
    for (std::int64_t second = 0; second < fight.durationSeconds(); second += every) {
        double x = L::left + static_cast<double>(second) * pixelsPerSecond;
        appendLine(to, x, plotBottom, x, plotBottom + 4);
        openLabel(to, x, plotBottom + 16, "middle");
        appendSecondsLabel(to, second, inMinutes);
        to += "</text>";
    }
    std::string axis = inMinutes ? "temps du combat (min:s)" : "temps du combat";
    if (series.binShift > 0)
        axis += ", une barre pour " + std::to_string(series.binSeconds()) + " secondes";
    appendLabel(to, L::left + L::plotWidth, height - 2, "end", axis);
    to += closeSvg;
}

// --- Sections ------------------------------------------------------------------------------

struct Totals {
    std::int64_t seconds = 0;
    std::int64_t dealt = 0;
    std::int64_t taken = 0;
    std::size_t best = 0;  // the fight of the highest DPS, the earlier on a tie
};

Totals totalsOf(const FightLog& log) {
    Totals totals;
    for (std::size_t i = 0; i < log.fights.size(); ++i) {
        const Fight& fight = log.fights[i];
        totals.seconds += fight.durationSeconds();
        totals.dealt += fight.damageDealt;
        totals.taken += fight.damageTaken;
        if (damagePerSecond(fight) > damagePerSecond(log.fights[totals.best]))
            totals.best = i;
    }
    return totals;
}

void appendTop(std::string& to, const PageInput& in, std::string_view logFileName,
               const PageSetting& setting) {
    to += pageHead("Combats", logFileName, setting, viewportTag);
    to += "<a href=\"";
    to += siteAddress;
    to +=
        "\">Le site de TORVELIN</a></font></p><p align=\"center\"><font size=\"5\"><b>"
        "<font color=\"#003399\"><a name=\"Sommaire\"></a>TORVELIN par Orsimel - les "
        "combats</font></b></font></p>";
    to += "<p>Les autres pages : ";
    for (std::size_t p = 0; p < in.partFiles.size(); ++p) {
        to += "<a href=\"./";
        appendEscaped(to, in.partFiles[p]);
        to += "\">";
        appendEscaped(to, in.partNames[p]);
        to += "</a> - ";
    }
    to += "<a href=\"./discussions.html\">Discussions</a><br>";
    to += "Sur cette page : <a href=\"#Resume\">Résumé</a>"_l1;
    if (!in.log.fights.empty()) {
        to +=
            " - <a href=\"#DPS\">DPS de chaque combat</a> - <a href=\"#Secondes\">Seconde par "
            "seconde</a> - <a href=\"#Tableau\">Tous les combats</a>";
    }
    if (!in.log.deaths.empty())
        to += " - <a href=\"#Morts\">Morts</a>";
    to += "</p>";
}

// A row of the summary: the label, then its value, which the caller appends before closing it
// with "</td></tr>".
void openSummaryRow(std::string& to, std::string_view label) {
    to += "<tr bgcolor=\"#EFEFEF\"><td bgcolor=\"#DEE3E7\">";
    to += label;
    to += "</td><td>";
}

void appendSummary(std::string& to, const FightLog& log, const Totals& totals) {
    appendSectionTitle(to, "Resume", "Résumé"_l1);
    if (log.fights.empty()) {
        to +=
            "<p>Aucun combat dans ce journal : pas un coup donné ni reçu, pas une attaque ratée "
            "ni évitée.</p>"_l1;
        return;
    }
    to += framedTable;
    openSummaryRow(to, "Combats");
    appendNumber(to, static_cast<std::int64_t>(log.fights.size()));
    to += "</td></tr>";
    openSummaryRow(to, "Temps en combat");
    appendDuration(to, totals.seconds);
    to += "</td></tr>";
    openSummaryRow(to, "Dégâts infligés"_l1);
    appendNumber(to, totals.dealt);
    to += "</td></tr>";
    openSummaryRow(to, "Dégâts subis"_l1);
    appendNumber(to, totals.taken);
    to += "</td></tr>";
    openSummaryRow(to, "DPS moyen");
    appendRate(to, perSecond(totals.dealt, totals.seconds));
    to += " (dégâts infligés / temps en combat)</td></tr>"_l1;
    openSummaryRow(to, "Meilleur combat");
    const Fight& best = log.fights[totals.best];
    to += "<a ";
    appendFightLink(to, totals.best);
    to += ">n° "_l1;
    appendNumber(to, static_cast<std::int64_t>(totals.best + 1));
    to += "</a> : ";
    appendRate(to, damagePerSecond(best));
    to += " DPS, ";
    appendStart(to, best);
    to += "</td></tr></table>";
}

// The colours of the log parts that have fights, when there are several.
void appendPartLegend(std::string& to, const PageInput& in) {
    std::vector<bool> used(in.partNames.size(), false);
    for (const Fight& fight : in.log.fights)
        used[static_cast<std::size_t>(fight.part)] = true;
    if (std::count(used.begin(), used.end(), true) < 2)
        return;
    to += "<p>Couleur des barres, par partie du journal :";
    for (std::size_t p = 0; p < used.size(); ++p) {
        if (!used[p])
            continue;
        to += " <font color=\"";
        to += partColour(static_cast<std::int32_t>(p));
        to += "\">&#9632;</font> ";
        appendEscaped(to, in.partNames[p]);
    }
    to += "</p>";
}

void appendCharts(std::string& to, const PageInput& in) {
    const FightLog& log = in.log;
    appendSectionTitle(to, "DPS", "DPS de chaque combat");
    to +=
        "<p>Une barre par combat, dans l'ordre du journal ; le pointeur sur une barre en donne le "
        "numéro, le début et le DPS.</p>"_l1;
    appendPartLegend(to, in);
    appendDpsChart(to, log);

    std::vector<const FightSeries*> charted = chartedFights(log);
    appendSectionTitle(to, "Secondes", "Seconde par seconde");
    to += "<p>Les dégâts infligés (en haut) et subis (en bas) à chaque seconde "_l1;
    if (charted.size() > 1) {
        to += "des ";
        appendNumber(to, static_cast<std::int64_t>(charted.size()));
        to += " combats";
    } else {
        to += "du combat";
    }
    to += " aux plus gros dégâts infligés, dans l'ordre du journal.</p>"_l1;
    for (const FightSeries* series : charted) {
        const Fight& fight = log.fights[series->fight];
        to += "<p><b><a ";
        appendFightLink(to, series->fight);
        to += ">Combat n° "_l1;
        appendNumber(to, static_cast<std::int64_t>(series->fight + 1));
        to += "</a></b> - ";
        appendEscaped(to, in.partNames[static_cast<std::size_t>(fight.part)]);
        to += ", ";
        appendStart(to, fight);
        to += ", ";
        appendDuration(to, fight.durationSeconds());
        to += ", ";
        appendNumber(to, fight.damageDealt);
        to += " dégâts infligés, "_l1;
        appendRate(to, damagePerSecond(fight));
        to += " DPS</p>";
        appendSecondsChart(to, log, *series);
    }
}

void appendFightTable(std::string& to, const PageInput& in) {
    appendSectionTitle(to, "Tableau", "Tous les combats");
    to += "<div style=\"overflow-x:auto\">";
    to += framedTable;
    to += headerRow;
    for (std::string_view title :
         {"N°"_l1.view(), std::string_view("Partie"), std::string_view("Date"),
          std::string_view("Début"_l1), std::string_view("Durée"_l1), std::string_view("Victimes"),
          std::string_view("Dégâts infligés"_l1), std::string_view("DPS"),
          std::string_view("DPS actif"), std::string_view("Dégâts subis"_l1),
          std::string_view("Soins"), std::string_view("Attaques ratées"_l1),
          std::string_view("Attaques évitées"_l1), std::string_view("Morts")}) {
        to += "<td>";
        to += title;
        to += "</td>";
    }
    // The rows take their alignment and shade from their group, and a cell or a row ends where
    // the next one begins (HTML lets their end tags out): a log of thousands of fights makes a
    // page of megabytes.
    to += "</tr>";
    to += shadedRows;
    std::vector<std::string> partCells;
    for (const std::string& name : in.partNames)
        partCells.push_back("<td>" + htmlEscape(name));
    std::vector<std::pair<std::size_t, std::size_t>> victimGroups;
    Gathered rows{to};
    for (std::size_t i = 0; i < in.log.fights.size(); ++i) {
        const Fight& fight = in.log.fights[i];
        auto number = static_cast<std::int64_t>(i + 1);
        add(rows, "<tr id=\"combat-");
        addNumber(rows, number);
        add(rows, "\"><td>");
        addNumber(rows, number);
        add(rows, partCells[static_cast<std::size_t>(fight.part)]);
        add(rows, "<td>");
        if (fight.dated)
            addFrenchDate(rows, fight.date);
        else
            add(rows, '-');
        add(rows, "<td>");
        addClock(rows, fight.start);
        add(rows, "<td>");
        addDuration(rows, fight.durationSeconds());
        add(rows, "<td align=\"left\">");
        addVictims(rows, fight, victimGroups);
        add(rows, "<td>");
        addNumber(rows, fight.damageDealt);
        add(rows, "<td><b>");
        addRate(rows, damagePerSecond(fight));
        add(rows, "</b><td>");
        addRate(rows, activeDamagePerSecond(fight));
        add(rows, "<td>");
        addNumber(rows, fight.damageTaken);
        add(rows, "<td>");
        addNumber(rows, fight.healing);
        add(rows, "<td>");
        addNumber(rows, fight.missed);
        add(rows, "<td>");
        addNumber(rows, fight.avoided);
        if (fight.death >= 0) {
            add(rows, "<td><a href=\"#mort-");
            addNumber(rows, number);
            add(rows, "\">1</a>");
        } else {
            add(rows, "<td>0");
        }
    }
    flush(rows);
    to += "</tbody></table></div>";
}

void appendDeaths(std::string& to, const PageInput& in) {
    appendSectionTitle(to, "Morts", "Morts");
    to +=
        "<p>Les derniers coups reçus avant chaque mort : au plus 10, dans les 30 secondes qui "
        "la précèdent.</p>"_l1;
    for (const FightDeath& death : in.log.deaths) {
        const Fight& fight = in.log.fights[death.fight];
        auto number = static_cast<std::int64_t>(death.fight + 1);
        to += "<p id=\"mort-";
        appendNumber(to, number);
        to += "\"><b>Mort à "_l1;
        appendClock(to, death.clock);
        to += "</b>, au combat <a ";
        appendFightLink(to, death.fight);
        to += ">n° "_l1;
        appendNumber(to, number);
        to += "</a> (";
        appendEscaped(to, in.partNames[static_cast<std::size_t>(fight.part)]);
        to += "), commencé "_l1;
        appendStart(to, fight);
        to += "</p>";
        if (death.recapLength == 0) {
            to += "<p>Aucun coup reçu dans les 30 secondes avant la mort.</p>"_l1;
            continue;
        }
        to += framedTable;
        to += headerRow;
        to += "<td width=\"80\">Heure</td><td width=\"80\">Dégâts</td></tr>"_l1;
        to += shadedRows;  // as in the table of the fights
        Gathered hits{to};
        for (std::int32_t h = 0; h < death.recapLength; ++h) {
            const TakenHit& hit = death.recap[static_cast<std::size_t>(h)];
            add(hits, "<tr><td>");
            addClock(hits, hit.clock);
            add(hits, "<td>");
            addNumber(hits, hit.amount);
        }
        flush(hits);
        to += "</tbody></table>";
    }
}

void appendFooter(std::string& to, std::int32_t pause) {
    to += "<p>&nbsp;</p><p><font size=\"2\">Un combat prend fin après "_l1;
    appendNumber(to, pause);
    to +=
        " secondes sans action hostile (coup donné ou reçu, attaque ratée ou évitée) ; un soin "
        "seul n'ouvre ni ne prolonge aucun combat.<br>"
        "Le DPS (dégâts par seconde) divise les dégâts infligés par la durée du combat, de sa "
        "première à sa dernière action hostile, ces deux secondes comprises.<br>"
        "Le DPS actif les divise par le temps actif, où chaque attente entre deux actions "
        "hostiles compte pour 5 secondes au plus.</font></p></body></html>"_l1;
}

}  // namespace

std::string makeCombatsPage(const FightLog& log, const std::vector<std::string>& partNames,
                            const std::vector<std::string>& partFiles, std::string_view logFileName,
                            const PageSetting& setting) {
    PageInput in{log, partNames, partFiles};
    Totals totals = totalsOf(log);
    std::string page;
    // Room for the whole page at once: a row and a bar for each fight, the charts of ten.
    page.reserve(16384 + log.fights.size() * 512 + chartedFightCount * 16384);
    appendTop(page, in, logFileName, setting);
    appendSummary(page, log, totals);
    if (!log.fights.empty()) {
        appendCharts(page, in);
        appendFightTable(page, in);
    }
    if (!log.deaths.empty())
        appendDeaths(page, in);
    appendFooter(page, log.pauseSeconds);
    return page;
}

void writeCombatsPage(std::string_view page, const PageSetting& setting) {
    PageFile file = openPage(setting.folder, combatsPageName);
    put(file.out, page);
    closePage(file);
}

}  // namespace torvelin
