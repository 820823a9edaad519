#include "driver/log_parts.h"

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"

namespace torvelin {
namespace {

constexpr std::string_view logCommand = "[TOUS]:  ]log ";
constexpr std::string_view targetLine = "Vous visez [";
constexpr std::size_t commandWordStart = messageStart + logCommand.size();

std::int32_t announce(const LogParts& parts, std::int32_t index) {
    consoleWrite("\nnouvelle partie de log : ");
    consoleWrite(parts.names[static_cast<std::size_t>(index)]);
    return index;
}

}  // namespace

LogParts newLogParts() {
    LogParts parts;
    parts.records.push_back(newPartStats());
    return parts;
}

std::int32_t selectLogPart(std::string_view& line, LogParts& parts) {
    std::string_view word = textFrom(line, commandWordStart);
    std::string name;
    bool select = startsWith(word, "select");
    bool named = startsWith(word, "name ");
    if (select)
        name = parts.currentTarget;
    if (named) {
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
        name = fitName(textFrom(line, commandWordStart + 5), nameLength);
    }
    if (startsWith(word, "ini"))
        return announce(parts, 0);
    if (!named && !select) {
        fatalError("erreur de ligne de commande pour le choix du nom du résultat"_l1, line);
    }
    for (std::int32_t i = 0; i < parts.count(); ++i) {
        if (parts.names[static_cast<std::size_t>(i)] == name)
            return announce(parts, i);
    }
    if (parts.count() >= maxLogParts) {
        consolePrintf(
            "\nERREUR\n\nle log a été découpe en trop de morceaux (limite : %i morceaux).\n"_l1
                .c_str(),
            maxLogParts);
        consoleWrite("la partie nommee ");
        consoleWrite(name);
        consoleWrite(" est rajoutee par defaut à la partie initiale nommee "_l1);
        consoleWrite(parts.names[0]);
        consoleWrite(".\n");
        return 0;
    }
    parts.names.push_back(name);
    parts.records.push_back(newPartStats());
    return announce(parts, parts.count() - 1);
}

void handleLogCommand(std::string_view& line, LogParts& parts) {
    std::string_view text = messageText(line);
    if (startsWith(text, logCommand))
        parts.currentPart = selectLogPart(line, parts);
    text = messageText(line);
    if (startsWith(text, targetLine)) {
        std::size_t close = text.find(']', targetLine.size());
        if (close == notFound)
            fatalMalformedLine(line);
        parts.currentTarget = cutText(text, targetLine.size(), close, nameLength);
    }
}

}  // namespace torvelin
