#include "report/discussions_page.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"
#include "report/page_context.h"
#include "report/page_output.h"

namespace torvelin {
namespace {

constexpr std::string_view logOpening = "*** Journal ouvert : ";
constexpr std::string_view chatMark = "@@";
constexpr std::string_view quotedSpeech = " : \"";

// How the messages of one channel are cut: the prefix of the message text, the mark that ends
// the speaker, the mark before the text and the mark after it.
struct Channel {
    std::string_view title;
    std::string_view consoleName;
    std::string_view prefix;
    std::string_view speakerEnd;
    std::string_view textMarker;
    std::string_view textEnd;
};

const std::array<Channel, 7>& channels() {
    static const std::array<Channel, 7> table = {{
        {"Chat Guilde", "du chat Guilde", "@@[Guilde] ", quotedSpeech, quotedSpeech, "\""},
        {"Chat Amis", "du chat Amis", "@@[Discussion] ", quotedSpeech, quotedSpeech, "\""},
        {"Chat Groupe", "du chat Groupe", "@@[Groupe] ", quotedSpeech, quotedSpeech, "\""},
        {"Messages privés"_l1, "des messages prives", "@@", " ", " envo", "\""},
        {"Chat Alliance", "du chat Alliance", "@@[Alliance] ", quotedSpeech, quotedSpeech, "\""},
        {"Chat Général"_l1, "du chat General", "@@", " ", " dit, \"", "\""},
        {"Chat Région"_l1, "du chat Region", "@@", ":", ": **", "**"},
    }};
    return table;
}

constexpr std::size_t privateChannel = 3;
constexpr std::size_t generalChannel = 5;

struct ChannelPass {
    LogDate date;
    bool headingWritten = false;
    bool datePending = false;
};

void addHeader(std::string& page, std::string_view logFileName, const PageSetting& setting) {
    page += pageHead("Discussions", logFileName, setting);
    page += "<a name=\"sommaire\"></a><a href=\"";
    page += siteAddress;
    page +=
        "\">Le site de TORVELIN</a></font></p><p align=\"center\"><font size=\"5\"><b>"
        "<font color=\"#003399\">TORVELIN par Orsimel   - version 0.8 "
        "(beta)</font></b></font></p>";
}

void addSummary(std::string& page) {
    page += "<table><tr align=\"center\">";
    for (std::size_t c = 0; c < channels().size(); ++c) {
        page += "<td width=\"100\"><a href=\"./discussions.html#balise";
        page += std::to_string(c);
        page += "\">";
        page += channels()[c].title;
        page += " </a></td>";
    }
    page += "</tr></table>";
}

// Whether the stored line is a message of channel `c`.
bool belongsTo(std::string_view text, std::size_t c) {
    const Channel& channel = channels()[c];
    if (!startsWith(text, chatMark) || !startsWith(text, channel.prefix))
        return false;
    std::size_t speakerEnd = text.find(channel.speakerEnd, channel.prefix.size());
    if (speakerEnd == notFound)
        return false;
    if (startsWith(text.substr(speakerEnd), channel.textMarker))
        return true;
    return c == generalChannel && startsWith(text.substr(channel.prefix.size()), "Vous dîtes"_l1);
}

// Adds the message of a line of channel `c`; false when the line has no message text.
bool addMessage(std::string& page, std::string_view line, bool cut, std::size_t c) {
    const Channel& channel = channels()[c];
    std::string_view text = messageText(line);
    std::size_t speakerEnd = text.find(channel.speakerEnd, channel.prefix.size());
    std::string_view speaker =
        text.substr(channel.prefix.size(), speakerEnd - channel.prefix.size());

    std::size_t start;
    if (c == generalChannel && startsWith(text.substr(channel.prefix.size()), "Vous dîtes"_l1)) {
        constexpr std::string_view said = "dîtes, \""_l1;
        start = text.find(said, speakerEnd);
        if (start != notFound)
            start += said.size();
    } else if (c == privateChannel) {
        start = text.find(", \"", speakerEnd);
        if (start != notFound)
            start += 3;
    } else {
        start = text.find(channel.textMarker, speakerEnd);
        if (start != notFound)
            start += channel.textMarker.size();
    }
    if (start == notFound)
        return false;
    std::size_t end = text.find(channel.textEnd, start);
    std::string_view recipient;
    if (end == notFound) {
        // A line cut at its length limit keeps the text it has.
        if (!cut)
            return false;
        end = text.size();
    } else if (c == privateChannel && startsWith(text.substr(end + 1), " à "_l1)) {
        recipient = text.substr(end + 1);
    }
    page += "<font size=2><i>";
    appendEscaped(page, line.substr(1, 8));
    page += "</i> - <b>";
    appendEscaped(page, speaker);
    appendEscaped(page, recipient);
    page += "</b> : ";
    appendEscaped(page, text.substr(start, end - start));
    page += "</font><br>";
    return true;
}

// What a stored line is to the channel passes: one bit per channel whose message it is, and
// `openingBit` for a log opening. Found once for the seven passes.
constexpr std::uint8_t openingBit = 0x80;
static_assert(std::tuple_size_v<std::remove_cvref_t<decltype(channels())>> < 8);

std::uint8_t lineKinds(std::string_view line) {
    std::uint8_t kinds = startsWith(line, logOpening) ? openingBit : 0;
    std::string_view text = messageText(line);
    if (startsWith(text, chatMark)) {
        for (std::size_t c = 0; c < channels().size(); ++c)
            kinds |= belongsTo(text, c) ? static_cast<std::uint8_t>(1u << c) : 0;
    }
    return kinds;
}

std::string_view frenchWeekday(std::string_view day) {
    static constexpr std::array<std::array<std::string_view, 2>, 7> names = {{
        {"Mon", "lundi"},
        {"Tue", "mardi"},
        {"Wed", "mercredi"},
        {"Thu", "jeudi"},
        {"Fri", "vendredi"},
        {"Sat", "samedi"},
        {"Sun", "dimanche"},
    }};
    for (const auto& name : names) {
        if (name[0] == day)
            return name[1];
    }
    return day;
}

std::string dateWarning(std::string_view storedLine) {
    std::string warning =
        "\nprobleme avec la conversion de la date du log, l'analyse se poursuit\nligne : ";
    warning += storedLine;
    warning += "\n";
    return warning;
}

// Cuts the log-opening line of `date` into the French heading; false when it cannot be cut.
bool frenchDate(LogDate& date) {
    std::string_view text = date.text;
    std::size_t cursor = text.find(": ");
    std::array<std::string_view, 4> tokens;
    if (cursor == notFound)
        return false;
    cursor += 2;
    for (std::string_view& token : tokens) {
        std::size_t blank = text.find(' ', cursor);
        if (blank == notFound)
            return false;
        token = text.substr(cursor, blank - cursor);
        cursor = blank + 1;
    }
    std::string_view year = text.substr(cursor, 4);
    std::string formatted;
    formatted.append(frenchWeekday(tokens[0])).append(" ");
    formatted.append(tokens[2]).append(" ").append(tokens[1]).append(" ");
    formatted.append(year).append(" - ").append(tokens[3]);
    date = LogDate{formatted, true};
    return true;
}

// Adds what stored line `i`, of kinds `kinds`, brings to the pass of channel `c`; false when it is
// a message without text, which is left out (the headings due before it are written all the same).
bool addLine(DiscussionsText& made, const ChatStore& store, std::size_t i, std::uint8_t kinds,
             std::size_t c, ChannelPass& pass, bool quiet) {
    std::string_view line = store.line(i);
    std::string& page = made.page;
    if ((kinds & openingBit) != 0) {
        pass.date = LogDate{std::string(line), false};
        if (!frenchDate(pass.date) && !quiet)
            made.console += dateWarning(line);
        pass.datePending = true;
    }
    if ((kinds >> c & 1) == 0)
        return true;
    if (!pass.headingWritten) {
        pass.headingWritten = true;
        page += "<br><b><a name=\"balise";
        page += std::to_string(c);
        page += "\"></a>";
        page += channels()[c].title;
        page += "</b> (<i><a href=\"./discussions.html#sommaire\">retour sommaire</a></i>)<br>";
    }
    if (pass.datePending) {
        page += "<br><font size=\"2\"><i>";
        appendEscaped(page, pass.date.text);
        if (pass.date.formatted)
            page += "<br>";
        page += "</i></font><br>";
        pass.datePending = false;
    }
    return addMessage(page, line, store.entries[i].cut, c);
}

}  // namespace

void formatLogDate(LogDate& date, std::string_view storedLine, bool warn) {
    if (!frenchDate(date) && warn)
        consoleWrite(dateWarning(storedLine));
}

void keepChatLine(ChatStore& store, std::string_view line, bool cut) {
    store.entries.push_back({store.bytes.size(), static_cast<std::uint32_t>(line.size()), cut});
    store.bytes.append(line);
}

DiscussionsText makeDiscussionsPage(const ChatStore& store, std::string_view logFileName,
                                    const PageSetting& setting, std::int64_t leftOutBefore) {
    DiscussionsText made;
    // Room for the whole page at once: each message's text and its markup. Room never written
    // costs no memory.
    made.page.reserve(4096 + store.bytes.size() + 96 * store.size());
    auto say = [&](std::string_view text) {
        if (!setting.quiet)
            made.console += text;
    };
    addHeader(made.page, logFileName, setting);
    addSummary(made.page);
    say("\n");
    std::vector<std::uint8_t> kinds(store.size());
    for (std::size_t i = 0; i < store.size(); ++i)
        kinds[i] = lineKinds(store.line(i));
    int progress = 0;
    for (std::size_t c = 0; c < channels().size(); ++c) {
        ChannelPass pass;
        say("analyse ");
        say(channels()[c].consoleName);
        for (std::size_t i = 0; i < store.size(); ++i) {
            if (++progress == 100) {
                say(".");
                progress = 0;
            }
            if ((kinds[i] & (openingBit | 1u << c)) != 0 &&
                !addLine(made, store, i, kinds[i], c, pass, setting.quiet)) {
                ++made.leftOut;
                say(leftOutWarning(leftOutBefore + made.leftOut, "message ignore", malformedLine,
                                   store.line(i)));
            }
        }
        say("\n");
    }
    made.page += "</html>";
    return made;
}

void writeDiscussionsPage(const DiscussionsText& made, const PageSetting& setting) {
    PageFile file = openPage(setting.folder, discussionsPageName);
    consoleWrite(made.console);
    put(file.out, made.page);
    closePage(file);
}

void writeDiscussionsPage(const ChatStore& store, std::string_view logFileName,
                          const PageSetting& setting) {
    writeDiscussionsPage(makeDiscussionsPage(store, logFileName, setting), setting);
}

}  // namespace torvelin
