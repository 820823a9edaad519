#include "driver/log_parts.h"

#include <utility>

#include "base/console.h"
#include "base/latin1.h"
#include "base/text.h"

namespace torvelin {
namespace {

constexpr std::size_t commandWordStart = messageStart + logCommand.size();
constexpr auto& unknownCommand = "erreur de ligne de commande pour le choix du nom du résultat"_l1;

std::int32_t announce(const LogParts& parts, std::int32_t index) {
    consoleWrite("\nnouvelle partie de log : ");
    consoleWrite(parts.names[static_cast<std::size_t>(index)]);
    return index;
}

// The index of the part called `name`, or nullptr when there is none.
const std::int32_t* findPart(const LogParts& parts, const std::string& name) {
    auto found = parts.indexByName.find(name);
    return found == parts.indexByName.end() ? nullptr : &found->second;
}

}  // namespace

LogParts newLogParts() {
    LogParts parts;
    parts.records.push_back(newPartStats());
    parts.indexByName.emplace(parts.names[0], 0);
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
    if (!named && !select)
        unreadableLine(unknownCommand);
    if (const std::int32_t* known = findPart(parts, name))
        return announce(parts, *known);
    parts.indexByName.emplace(name, parts.count());
    parts.names.push_back(std::move(name));
    parts.records.push_back(newPartStats());
    return announce(parts, parts.count() - 1);
}

void readLogCommand(std::string_view& line, LogParts& parts) {
    std::string_view text = messageText(line);
    if (startsWith(text, logCommand))
        parts.currentPart = selectLogPart(line, parts);
    text = messageText(line);
    if (startsWith(text, targetLine)) {
        std::size_t close = text.find(']', targetLine.size());
        if (close == notFound)
            unreadableLine();
        parts.currentTarget = cutText(text, targetLine.size(), close, nameLength);
    }
}

}  // namespace torvelin
