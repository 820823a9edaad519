// The page "discussions.html": the chat conversations of the log, channel by channel, with the
// dates of the log-opening lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/page_output.h"

namespace torvelin {

// The file of the discussions page.
inline constexpr std::string_view discussionsPageName = "discussions.html";

// The lines kept for the discussions page: chat lines and log-opening lines, in log order. Their
// bytes stand one after the other in one text, so that a long log costs one small entry a line.
struct ChatStore {
    struct Entry {
        std::size_t offset;
        std::uint32_t size;
        bool cut;  // the line lost the rest of a too long physical line
    };
    std::string bytes;
    std::vector<Entry> entries;

    std::size_t size() const { return entries.size(); }
    std::string_view line(std::size_t i) const {
        return std::string_view(bytes).substr(entries[i].offset, entries[i].size);
    }
};

// Keeps a line at the end of the store.
void keepChatLine(ChatStore& store, std::string_view line, bool cut = false);

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

// The discussions page made in memory, with the console text that tells of its making. A message
// that cannot be cut is left out of the page, with a warning in the console text.
struct DiscussionsText {
    std::string page;
    std::string console;
    std::int64_t leftOut = 0;  // the messages left out
};

// Makes the discussions page of `store`, as `setting` says; the warnings of the messages left out
// are numbered after the `leftOutBefore` lines the run left out before (see leftOutWarning). It
// writes nothing and prints nothing, so it may run on another thread than the one that writes the
// other pages.
DiscussionsText makeDiscussionsPage(const ChatStore& store, std::string_view logFileName,
                                    const PageSetting& setting = {},
                                    std::int64_t leftOutBefore = 0);

// Writes a page made by makeDiscussionsPage: the console text, then the page.
void writeDiscussionsPage(const DiscussionsText& made, const PageSetting& setting = {});

// Makes and writes discussions.html, as `setting` says.
void writeDiscussionsPage(const ChatStore& store, std::string_view logFileName,
                          const PageSetting& setting = {});

}  // namespace torvelin
