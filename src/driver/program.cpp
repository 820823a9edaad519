#include "driver/program.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "base/console.h"
#include "base/latin1.h"
#include "base/platform.h"
#include "base/text.h"
#include "driver/command_line.h"
#include "driver/dispatch.h"
#include "driver/fight_files.h"
#include "driver/line_feed.h"
#include "driver/log_file.h"
#include "driver/log_parts.h"
#include "driver/run_pages.h"
#include "fights/fight_tracker.h"
#include "report/analysis_page.h"
#include "report/combats_page.h"
#include "report/discussions_page.h"
#include "report/page_output.h"
#include "report/statistics.h"

namespace torvelin {
namespace {

constexpr std::string_view logOpening = "*** Journal ouvert : ";
constexpr int linesPerDot = 100;

bool isChatLine(std::string_view line) {
    return startsWith(messageText(line), "@@");
}

// "[HH:MM:SS]" at the start of the line.
bool hasTimeStamp(std::string_view line) {
    auto digits = [&](std::size_t at) {
        return line[at] >= '0' && line[at] <= '9' && line[at + 1] >= '0' && line[at + 1] <= '9';
    };
    return line.size() >= 10 && line[0] == '[' && digits(1) && line[3] == ':' && digits(4) &&
           line[6] == ':' && digits(7) && line[9] == ']';
}

// Whether this thread makes the discussions page beside the analysis pages (see
// writeAllPages): there, running out of memory goes back to the program's thread, which ends the
// program.
thread_local bool makingPageAside = false;

[[noreturn]] void outOfMemory() {
    if (makingPageAside)
        throw std::bad_alloc();
    fatalError("memoire insuffisante");
}

// What the reading loop builds from the lines.
struct Reading {
    LogParts parts = newLogParts();
    ChatStore chat;
    FightLog fights;
    int progress = 0;  // lines since the last dot
    bool anyLine = false;
    bool anyTimeStamp = false;
    std::int64_t leftOut = 0;  // lines that could not be read, and messages left out of the chat
    // Of the latest call of readLog: the lines read, the parts that received one, and whether
    // chat lines came.
    std::int64_t newLines = 0;
    std::vector<bool> partsReached;
    std::size_t partMarked = notFound;  // the part last marked in partsReached, in this call
    bool chatReached = false;
};

// What a run or a start again of the follow mode reads into, with the command line's pause.
Reading newReading(const CommandLine& command) {
    Reading reading;
    reading.fights.pauseSeconds = command.pauseSeconds;
    return reading;
}

// What the reading loop does with one line: log commands first, then the fight tracker, the
// parsers of the current part, and the chat and log-opening lines into the store. A line that
// cannot be read stops there (UnreadableLine): what was done with it before stays.
void readLine(const FedLine& fed, Reading& reading) {
    std::string_view line = fed.text;
    LogParts& parts = reading.parts;
    handleLogCommand(line, parts);
    trackFightLine(line, fed.fight, parts.currentPart, reading.fights);
    bool chatLine = isChatLine(line);
    if (!chatLine) {
        if (auto part = static_cast<std::size_t>(parts.currentPart); part != reading.partMarked) {
            if (part >= reading.partsReached.size())
                reading.partsReached.resize(parts.names.size(), false);
            reading.partsReached[part] = true;
            reading.partMarked = part;
        }
        dispatchSteps(line, fed.steps, parts.current());
    }
    if (chatLine || startsWith(line, logOpening)) {
        keepChatLine(reading.chat, line, fed.cut);
        reading.chatReached = true;
    }
}

// Reads every line into `reading`; a dot every hundred lines and a warning for each line left out
// (up to the number printed) when `report`. The lines are read and classified beside this loop
// (see driver/line_feed.h).
void readLog(LogFile& log, Reading& reading, LineChain chain, bool report) {
    LineFeed feed(log, chain);
    FedLine fed;
    reading.newLines = 0;
    reading.partsReached.assign(reading.parts.names.size(), false);
    reading.partMarked = notFound;
    reading.chatReached = false;
    for (;;) {
        ++reading.progress;
        if (!feed.next(fed))
            break;
        ++reading.newLines;
        reading.anyLine = true;
        reading.anyTimeStamp = reading.anyTimeStamp || hasTimeStamp(fed.text);
        try {
            readLine(fed, reading);
        } catch (const UnreadableLine& unreadable) {
            ++reading.leftOut;
            if (report) {
                consoleWrite(
                    leftOutWarning(reading.leftOut, "ligne ignoree", unreadable.reason, fed.text));
            }
        }
        if (reading.progress == linesPerDot) {
            if (report)
                consoleProgressDot();
            reading.progress = 0;
        }
    }
    consoleFlushProgress();
}

// Writes the page of each part, with the console's words for each. The records are dropped once
// written, unless `keepRecords` (the log is followed): a page is then written from a copy, since
// writing it changes the record.
void writePages(LogParts& parts, const std::vector<std::string>& files,
                std::string_view logFileName, const PageSetting& setting, bool keepRecords) {
    for (std::int32_t p = 0; p < parts.count(); ++p) {
        auto index = static_cast<std::size_t>(p);
        consoleWrite("\nanalyse et ecriture de la partie de log nommee \"");
        consoleWrite(parts.names[index]);
        consoleWrite("\"\n");
        if (keepRecords) {
            PartStats copy = *parts.records[index];
            writeAnalysisPage(copy, logFileName, files[index], setting);
        } else {
            writeAnalysisPage(*parts.records[index], logFileName, files[index], setting);
            parts.records[index].reset();
        }
    }
}

// A page made on the second thread, taken on this one: running out of memory there ends the
// program here.
template <typename Page>
Page takeAside(std::future<Page>& page) {
    try {
        return page.get();
    } catch (const std::bad_alloc&) {
        outOfMemory();  // thrown by the second thread
    }
}

// Writes the pages of every part, the fights' files, then discussions.html. The fights page, then
// the discussions page, are made in memory on a second thread meanwhile (here when no thread can
// be started), and each is written as soon as the pages before it are: the console text and
// every file come out in the same order as if they were made afterwards. A fatal error while the
// pages are written waits for that thread first.
void writeAllPages(Reading& reading, const std::vector<std::string>& files,
                   std::string_view logFileName, const PageSetting& setting,
                   const CommandLine& command) {
    auto makeCombats = [&reading, &files, logFileName, &setting] {
        return makeCombatsPage(reading.fights, reading.parts.names, files, logFileName, setting);
    };
    auto makeDiscussions = [&reading, logFileName, &setting] {
        return makeDiscussionsPage(reading.chat, logFileName, setting, reading.leftOut);
    };
    std::promise<std::string> combatsMade;
    std::future<std::string> combats = combatsMade.get_future();
    std::future<DiscussionsText> discussions;
    try {
        discussions = std::async(std::launch::async, [&combatsMade, makeCombats, makeDiscussions] {
            makingPageAside = true;
            try {
                combatsMade.set_value(makeCombats());
            } catch (const std::bad_alloc&) {
                combatsMade.set_exception(std::current_exception());
            }
            return makeDiscussions();
        });
    } catch (const std::system_error&) {
        combatsMade.set_value(makeCombats());
        discussions = std::async(std::launch::deferred, makeDiscussions);
    }
    setBackgroundWork([&discussions] {
        bool deferred =
            discussions.wait_for(std::chrono::seconds(0)) == std::future_status::deferred;
        if (!deferred)
            discussions.wait();
    });
    writePages(reading.parts, files, logFileName, setting, command.follow);
    writeFightFiles(takeAside(combats), reading.fights, reading.parts, logFileName, setting,
                    command.json);
    DiscussionsText made = takeAside(discussions);
    setBackgroundWork(nullptr);
    writeDiscussionsPage(made, setting);
    reading.leftOut += made.leftOut;
}

void printClosing(const std::vector<std::string>& files, const std::string& folder,
                  std::int64_t leftOut, std::int64_t elapsedMs) {
    consoleWrite(leftOutCount(leftOut));
    consoleWrite("\n\nTemps de traitement: ");
    consoleWrite(processingTimeText(elapsedMs));
    consoleWrite("s");
    consoleWrite("\n\nTraitement termine avec succes\n\nlire l'analyse dans les fichiers ");
    for (const std::string& file : files) {
        consoleWrite(file);
        consoleWrite(", ");
    }
    consoleWrite("les combats dans " + std::string(combatsPageName) + ", et le chat dans " +
                 std::string(discussionsPageName) + "\n");
    consoleWrite(folder.empty() ? "(dans le meme dossier)" : "(dans le dossier " + folder + ")");
    consoleWrite("\n\nappuyez sur une touche pour quitter");
}

// The part of the log a run reads: from the last log opening with --derniere-session, and up to
// the last complete line when the log is followed (a line still being written waits).
struct LogRange {
    std::int64_t from = 0;
    std::int64_t to = -1;
};

// --derniere-session looks for the last session from the end of the log, and the follow mode
// reads the log again and again: both need a file on a disk, not a pipe.
void requireOrdinaryLog(const LogFile& log, const CommandLine& command) {
    if (log.facts.kind == FileKind::regular || (!command.lastSession && !command.follow))
        return;
    cannotReadLog(log, command.lastSession ? "--derniere-session demande un fichier ordinaire"
                                           : "--suivre demande un fichier ordinaire");
}

LogRange rangeToRead(LogFile& log, const CommandLine& command) {
    LogRange range;
    if (command.lastSession)
        range.from = std::max<std::int64_t>(0, lastLineStartingWith(log, logOpening));
    if (command.follow)
        range.to = endOfCompleteLines(log, range.from, logSize(log));
    return range;
}

// Following the log after the first run: what was read, and how the pages are written.
struct Follower {
    const CommandLine& command;
    FileName logName;
    LineChain chain;
    PageSetting setting;
    Reading reading;
    std::int64_t readUpTo = 0;
    bool utf8 = false;
    LogMark mark;                    // what was read, to tell it from another file
    std::vector<std::string> pages;  // the pages written so far (see runPages)
};

// Writes the pages of the parts that received lines in the latest round, the fights' files, and
// the discussions when chat came; every page when `everyPage`. Returns the names of the pages
// written.
std::vector<std::string> writeFollowedPages(Follower& follower, bool everyPage) {
    Reading& reading = follower.reading;
    std::vector<std::string> files = pageFileNames(reading.parts.names);
    std::vector<std::string> written;
    for (std::size_t p = 0; p < files.size(); ++p) {
        if (!everyPage && (p >= reading.partsReached.size() || !reading.partsReached[p]))
            continue;
        PartStats copy = *reading.parts.records[p];
        writeAnalysisPage(copy, follower.logName.shown, files[p], follower.setting);
        written.push_back(files[p]);
    }
    std::string combats = makeCombatsPage(reading.fights, reading.parts.names, files,
                                          follower.logName.shown, follower.setting);
    writeFightFiles(combats, reading.fights, reading.parts, follower.logName.shown,
                    follower.setting, follower.command.json);
    for (std::string& file : fightFileNames(follower.command.json))
        written.push_back(std::move(file));
    if (reading.chatReached || everyPage) {
        writeDiscussionsPage(reading.chat, follower.logName.shown, follower.setting);
        written.emplace_back(discussionsPageName);
    }
    return written;
}

// Rewrites the pages a round touched; after a start again, every page, and the pages of parts the
// log no longer has go.
std::vector<std::string> rewritePages(Follower& follower, const LogFile& log, bool restarted) {
    std::vector<std::string> pages =
        runPages(pageFileNames(follower.reading.parts.names), follower.command.json);
    refuseLogAmongPages(log, follower.setting.folder, pages);
    if (restarted)
        removeStalePages(follower.setting.folder, follower.pages, pages);
    follower.pages = pages;
    return writeFollowedPages(follower, restarted);
}

// A console line of the follow mode, after the time of day.
void sayAtTime(std::string_view text) {
    std::string line = "[";
    line += platform().timeOfDay();
    line += "] ";
    line += text;
    consoleWrite(line);
}

// One round of the follow mode: reads the complete lines the log gained since the last round
// and rewrites the pages they touched. A log shorter than what was read, or another file under its
// name, was started again by the game or the player: the analysis starts again from its beginning.
void followRound(Follower& follower) {
    std::optional<LogFile> opened = reopenLogFile(follower.logName);
    if (!opened)
        return;  // the game may be starting the log again
    LogFile& log = *opened;
    std::int64_t size = logSize(log);
    std::optional<bool> utf8 = follower.utf8;
    bool restarted = !isStillTheLog(log, follower.mark, follower.readUpTo, size);
    if (restarted) {
        sayAtTime("le journal a ete recommence : l'analyse reprend depuis son debut\n");
        follower.reading = newReading(follower.command);
        LogRange range = rangeToRead(log, follower.command);
        follower.readUpTo = range.from;
        utf8.reset();
    }
    std::int64_t to = endOfCompleteLines(log, follower.readUpTo, size);
    if (to <= follower.readUpTo && !restarted)
        return;
    if (to > follower.readUpTo) {
        startReading(log, follower.readUpTo, to, utf8);
        follower.utf8 = log.utf8;
        readLog(log, follower.reading, follower.chain, false);
        follower.readUpTo = to;
    }
    follower.mark = markOf(log, follower.readUpTo);
    std::vector<std::string> written = rewritePages(follower, log, restarted);
    std::string report = std::to_string(follower.reading.newLines);
    report += " nouvelles lignes, pages reecrites : ";
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (i != 0)
            report += ", ";
        report += written[i];
    }
    report += "\n";
    sayAtTime(report);
}

// Watches the log until a key or an interruption asks to stop; the pages are whole at that time.
// Every page is then written once more, without the refresh tag, so that a browser stops
// reloading it.
void followLog(Follower& follower) {
    int seconds = follower.command.intervalSeconds;
    consoleWrite("\n\nsuivi du journal toutes les " + std::to_string(seconds) +
                 " secondes : une touche ou Ctrl-C pour arreter\n");
    platform().watchStopRequests(true);
    while (!platform().waitForStop(seconds * 1000))
        followRound(follower);
    platform().watchStopRequests(false);
    follower.setting.refreshSeconds = 0;
    writeFollowedPages(follower, true);
    consoleWrite("fin du suivi\n");
}

// The folder of the pages, made with its parents when missing.
FileName pageFolder(const CommandLine& command) {
    FileName folder = givenFileName(command.outputFolder);
    if (folder.system.empty())
        return folder;
    if (int error = platform().makeFolders(folder.system); error != 0)
        fatalError("impossible de creer le dossier " + folder.shown + " : " +
                   systemErrorText(error));
    return folder;
}

// Help, version and a wrong command line print only their own text.
int answerCommandLine(const CommandLine& command) {
    if (!command.error.empty()) {
        platform().writeError(command.error + "\n" + usageText());
        return exitUsage;
    }
    if (command.help)
        consoleWrite(usageText());
    else
        consoleWrite("TORVELIN 0.9 (beta)\n");
    return exitSuccess;
}

}  // namespace

std::string processingTimeText(std::int64_t elapsedMs) {
    double seconds = static_cast<double>(elapsedMs) / 1000.0;
    std::int64_t whole = truncated(seconds);
    std::int64_t tenths = roundHalfUp(10.0 * seconds - 10.0 * static_cast<double>(whole));
    if (tenths >= 10) {  // 1.96 s is 2,0 s
        whole += 1;
        tenths -= 10;
    }
    return std::to_string(whole) + "," + std::to_string(tenths);
}

int runProgram(const std::vector<std::string>& arguments, LineChain chain) {
    platform().handleSignals();
    std::int64_t runStart = platform().fileClock();
    CommandLine command = parseCommandLine(arguments);
    if (!command.error.empty() || command.help || command.version)
        return answerCommandLine(command);

    std::set_new_handler(outOfMemory);
    consoleWrite("\t\tTORVELIN par Orsimel   version 0.9  (beta)\n\n");
    OpenedLog opened = openLogFile(command.logName);
    if (!opened.log)
        return opened.exitStatus;
    LogFile& log = *opened.log;
    requireOrdinaryLog(log, command);
    FileName folder = pageFolder(command);

    std::int64_t start = platform().clockMs();
    LogRange range = rangeToRead(log, command);
    if (range.from != 0 || range.to >= 0)
        startReading(log, range.from, range.to);
    if (log.utf8)
        consoleWrite("journal en UTF-8, converti en Latin-1\n");
    consoleWrite("Lecture en cours");
    // The refresh of a followed page: never more often than every five seconds.
    PageSetting setting;
    setting.folder = folder;
    setting.refreshSeconds = command.follow ? std::max(5, command.intervalSeconds) : 0;
    Follower follower{command, log.name, chain, setting, newReading(command), 0, false, {}, {}};
    Reading& reading = follower.reading;
    readLog(log, reading, chain, true);
    follower.readUpTo = range.to;
    follower.utf8 = log.utf8;
    if (command.follow)
        follower.mark = markOf(log, follower.readUpTo);
    if (reading.anyLine && !reading.anyTimeStamp) {
        consoleWrite(
            "\nattention : aucune ligne horodatee dans ce fichier, est-ce bien un journal du "
            "jeu ?\n");
    }
    std::vector<std::string> files = pageFileNames(reading.parts.names);
    follower.pages = runPages(files, command.json);
    refuseLogAmongPages(log, folder, follower.pages);
    closeLogFile(log);
    writeAllPages(reading, files, log.name.shown, setting, command);
    removeLeftovers(folder, follower.pages, runStart);
    printClosing(files, folder.shown, reading.leftOut, platform().clockMs() - start);
    if (command.follow) {
        follower.setting.quiet = true;  // a round reports in one line
        followLog(follower);
        return exitSuccess;
    }
    // Without a keyboard there is no countdown: the shell's prompt starts on a line of its own.
    if (!platform().hasKeyboard())
        consoleWrite("\n");
    closingCountdown();
    return exitSuccess;
}

}  // namespace torvelin
