#include "driver/program.h"

#include <new>
#include <string>
#include <vector>

#include "base/console.h"
#include "base/platform.h"
#include "base/text.h"
#include "driver/dispatch.h"
#include "driver/log_file.h"
#include "driver/log_parts.h"
#include "report/analysis_page.h"
#include "report/discussions_page.h"
#include "report/statistics.h"

namespace torvelin {
namespace {

constexpr std::string_view logOpening = "*** Journal ouvert : ";
constexpr int linesPerDot = 100;

bool isChatLine(std::string_view line) {
    return startsWith(messageText(line), "@@");
}

void outOfMemory() {
    fatalError("memoire insuffisante");
}

// Reads every line: log commands first, then the parsers of the current part, and the chat and
// log-opening lines into the store.
void readLog(LogFile& log, LogParts& parts, ChatStore& chat, LineDispatch dispatch) {
    int progress = 0;
    std::string_view line;
    for (;;) {
        ++progress;
        if (!readLogLine(log, line))
            break;
        handleLogCommand(line, parts);
        bool chatLine = isChatLine(line);
        if (!chatLine)
            dispatch(line, parts.current());
        if (chatLine || startsWith(line, logOpening)) {
            if (chat.size() >= chatStoreCapacity)
                fatalError("trop de lignes de chat", line);
            chat.emplace_back(std::string(line), log.lastLineCut);
        }
        if (progress == linesPerDot) {
            consoleWrite(".");
            progress = 0;
        }
    }
}

void writePages(LogParts& parts, const std::vector<std::string>& files,
                std::string_view logFileName) {
    for (std::int32_t p = 0; p < parts.count(); ++p) {
        auto index = static_cast<std::size_t>(p);
        consoleWrite("\nanalyse et ecriture de la partie de log nommee \"");
        consoleWrite(parts.names[index]);
        consoleWrite("\"\n");
        writeAnalysisPage(*parts.records[index], logFileName, files[index]);
        parts.records[index].reset();
    }
}

void printClosing(const std::vector<std::string>& files, std::int64_t elapsedMs) {
    consoleWrite("\n\nTemps de traitement: ");
    consoleWrite(processingTimeText(elapsedMs));
    consoleWrite("s");
    consoleWrite("\n\nTraitement termine avec succes\n\nlire l'analyse dans les fichiers ");
    for (const std::string& file : files) {
        consoleWrite(file);
        consoleWrite(", ");
    }
    consoleWrite(
        " et le chat dans discussions.html\n(dans le meme dossier)\n\nappuyez sur une touche pour "
        "quitter");
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

int runProgram(LineDispatch dispatch) {
    std::set_new_handler(outOfMemory);
    std::string logFileName = "chat.log";
    ChatStore chat;
    consoleWrite("\t\tTORVELIN par Orsimel   version 0.9  (beta)\n\n");
    LogParts parts = newLogParts();
    OpenedLog opened = openLogFile(logFileName);
    if (!opened.log)
        return opened.exitStatus;
    LogFile& log = *opened.log;

    std::int64_t start = platform().clockMs();
    consoleWrite("Lecture en cours");
    readLog(log, parts, chat, dispatch != nullptr ? dispatch : dispatchLine);
    closeLogFile(log);
    std::vector<std::string> files = pageFileNames(parts.names);
    writePages(parts, files, logFileName);
    writeDiscussionsPage(chat, logFileName);
    printClosing(files, platform().clockMs() - start);
    closingCountdown();
    return exitSuccess;
}

}  // namespace torvelin
