// The page "discussions.html": the chat conversations of the log, channel by channel, with the
// dates of the log-opening lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/page_output.h"

namespace torvelin {

// A line kept for the discussions page; `cut` when it lost the rest of a too long physical line.
struct ChatLine {
    std::string text;
    bool cut = false;

    ChatLine(std::string line, bool wasCut = false) : text(std::move(line)), cut(wasCut) {}
    ChatLine(const char* line) : text(line) {}
};

// The lines kept for the discussions page: chat lines and log-opening lines, in log order.
using ChatStore = std::vector<ChatLine>;
inline constexpr std::size_t chatStoreCapacity = 30000;

// A date heading: the text and whether it is a formatted date, which ends with the page's own
// line break "<br>".
struct LogDate {
    std::string text;
    bool formatted = false;
};

// Turns the copy of a log-opening line "*** Journal ouvert : Mon Dec 07 23:17:56 2026" into the
// French heading "lundi 07 Dec 2026 - 23:17:56<br>". A line that cannot be cut keeps its text,
// with a console warning naming `storedLine` (unless not `warn`).
void formatLogDate(LogDate& date, std::string_view storedLine, bool warn = true);

// The discussions page made in memory, with the console text that tells of its making. A stored
// line whose message has no text ends it: `malformedLine`, which writing the page reports.
struct DiscussionsText {
    std::string page;
    std::string console;
    std::optional<std::string> malformedLine;
};

// Makes the discussions page of `store`, as `setting` says. It writes nothing and prints
// nothing, so it may run on another thread than the one that writes the other pages.
DiscussionsText makeDiscussionsPage(const ChatStore& store, std::string_view logFileName,
                                    const PageSetting& setting = {});

// Writes a page made by makeDiscussionsPage: the console text, then the page; a malformed line is
// a fatal error once the console text is out.
void writeDiscussionsPage(const DiscussionsText& made, const PageSetting& setting = {});

// Makes and writes discussions.html, as `setting` says.
void writeDiscussionsPage(const ChatStore& store, std::string_view logFileName,
                          const PageSetting& setting = {});

}  // namespace torvelin
