#include "driver/program.h"

#include <new>
#include <string>
#include <vector>

#include "base/console.h"
#include "base/latin1.h"
#include "base/platform.h"
#include "base/text.h"
#include "driver/command_line.h"
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

// "[HH:MM:SS]" at the start of the line.
bool hasTimeStamp(std::string_view line) {
    auto digits = [&](std::size_t at) {
        return line[at] >= '0' && line[at] <= '9' && line[at + 1] >= '0' && line[at + 1] <= '9';
    };
    return line.size() >= 10 && line[0] == '[' && digits(1) && line[3] == ':' && digits(4) &&
           line[6] == ':' && digits(7) && line[9] == ']';
}

void outOfMemory() {
    fatalError("memoire insuffisante");
}

// What the reading loop builds from the lines.
struct Reading {
    LogParts parts = newLogParts();
    ChatStore chat;
    int progress = 0;  // lines since the last dot
    bool anyLine = false;
    bool anyTimeStamp = false;
};

// Reads every line: log commands first, then the parsers of the current part, and the chat and
// log-opening lines into the store.
void readLog(LogFile& log, Reading& reading, LineDispatch dispatch) {
    std::string_view line;
    LogParts& parts = reading.parts;
    for (;;) {
        ++reading.progress;
        if (!readLogLine(log, line))
            break;
        reading.anyLine = true;
        reading.anyTimeStamp = reading.anyTimeStamp || hasTimeStamp(line);
        handleLogCommand(line, parts);
        bool chatLine = isChatLine(line);
        if (!chatLine)
            dispatch(line, parts.current());
        if (chatLine || startsWith(line, logOpening)) {
            if (reading.chat.size() >= chatStoreCapacity)
                fatalError("trop de lignes de chat", line);
            reading.chat.emplace_back(std::string(line), log.lastLineCut);
        }
        if (reading.progress == linesPerDot) {
            consoleWrite(".");
            reading.progress = 0;
        }
    }
}

void writePages(LogParts& parts, const std::vector<std::string>& files,
                std::string_view logFileName, const std::string& folder) {
    for (std::int32_t p = 0; p < parts.count(); ++p) {
        auto index = static_cast<std::size_t>(p);
        consoleWrite("\nanalyse et ecriture de la partie de log nommee \"");
        consoleWrite(parts.names[index]);
        consoleWrite("\"\n");
        writeAnalysisPage(*parts.records[index], logFileName, files[index], folder);
        parts.records[index].reset();
    }
}

void printClosing(const std::vector<std::string>& files, const std::string& folder,
                  std::int64_t elapsedMs) {
    consoleWrite("\n\nTemps de traitement: ");
    consoleWrite(processingTimeText(elapsedMs));
    consoleWrite("s");
    consoleWrite("\n\nTraitement termine avec succes\n\nlire l'analyse dans les fichiers ");
    for (const std::string& file : files) {
        consoleWrite(file);
        consoleWrite(", ");
    }
    consoleWrite(" et le chat dans discussions.html\n");
    consoleWrite(folder.empty() ? "(dans le meme dossier)" : "(dans le dossier " + folder + ")");
    consoleWrite("\n\nappuyez sur une touche pour quitter");
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

int runProgram(const std::vector<std::string>& arguments, LineDispatch dispatch) {
    CommandLine command = parseCommandLine(arguments);
    if (!command.error.empty() || command.help || command.version)
        return answerCommandLine(command);

    std::set_new_handler(outOfMemory);
    consoleWrite("\t\tTORVELIN par Orsimel   version 0.9  (beta)\n\n");
    const std::string& folder = command.outputFolder;
    if (!folder.empty()) {
        if (int error = platform().makeFolders(folder); error != 0)
            fatalError("impossible de creer le dossier " + folder + " : " + systemErrorText(error));
    }
    std::string logFileName = command.logName;
    OpenedLog opened = openLogFile(logFileName);
    if (!opened.log)
        return opened.exitStatus;
    LogFile& log = *opened.log;

    std::int64_t start = platform().clockMs();
    if (log.utf8)
        consoleWrite("journal en UTF-8, converti en Latin-1\n");
    consoleWrite("Lecture en cours");
    Reading reading;
    readLog(log, reading, dispatch != nullptr ? dispatch : dispatchLine);
    closeLogFile(log);
    if (reading.anyLine && !reading.anyTimeStamp) {
        consoleWrite(
            "\nattention : aucune ligne horodatee dans ce fichier, est-ce bien un journal du "
            "jeu ?\n");
    }
    std::vector<std::string> files = pageFileNames(reading.parts.names);
    writePages(reading.parts, files, logFileName, folder);
    writeDiscussionsPage(reading.chat, logFileName, folder);
    printClosing(files, folder, platform().clockMs() - start);
    // Without a keyboard there is no countdown: the shell's prompt starts on a line of its own.
    if (!platform().hasKeyboard())
        consoleWrite("\n");
    closingCountdown();
    return exitSuccess;
}

}  // namespace torvelin
