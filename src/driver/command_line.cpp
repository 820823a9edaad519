#include "driver/command_line.h"

#include <charconv>

#include "base/latin1.h"
#include "base/platform.h"

namespace torvelin {
namespace {

// The range of the seconds of --intervalle and --pause.
constexpr int fewestSeconds = 1;
constexpr int mostSeconds = 3600;

// Reads the seconds given to `option` into `seconds`; the message of a wrong value otherwise.
std::string readSeconds(const std::string& option, const std::string& given, int& seconds) {
    int parsed = 0;
    auto [end, error] = std::from_chars(given.data(), given.data() + given.size(), parsed);
    bool whole = error == std::errc() && end == given.data() + given.size();
    if (!whole || parsed < fewestSeconds || parsed > mostSeconds)
        return "valeur invalide pour l'option " + option + " : " + shownName(given);
    seconds = parsed;
    return "";
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool logGiven = false;
    bool intervalGiven = false;
    for (std::size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& word = arguments[i];
        // The argument of an option: the next word, whatever it looks like.
        auto value = [&]() -> const std::string* {
            if (i + 1 >= arguments.size()) {
                line.error = "argument manquant pour l'option " + word;
                return nullptr;
            }
            return &arguments[++i];
        };
        if (word == "-h" || word == "--help") {
            line.help = true;
            return line;
        }
        if (word == "--version") {
            line.version = true;
            return line;
        }
        if (word == "-o" || word == "--sortie") {
            if (const std::string* folder = value())
                line.outputFolder = *folder;
        } else if (word == "--derniere-session") {
            line.lastSession = true;
        } else if (word == "--suivre") {
            line.follow = true;
        } else if (word == "--intervalle") {
            if (const std::string* seconds = value()) {
                line.error = readSeconds(word, *seconds, line.intervalSeconds);
                intervalGiven = true;
            }
        } else if (word == "--pause") {
            if (const std::string* seconds = value())
                line.error = readSeconds(word, *seconds, line.pauseSeconds);
        } else if (word == "--json") {
            line.json = true;
        } else if (word.size() > 1 && word[0] == '-') {
            line.error = "option inconnue : " + shownName(word);
        } else if (logGiven) {
            line.error = "argument en trop : " + shownName(word);
        } else {
            line.logName = word;
            logGiven = true;
        }
    }
    // An interval means nothing without the follow mode: a line that gives one alone is wrong.
    if (line.error.empty() && intervalGiven && !line.follow)
        line.error = "l'option --intervalle demande --suivre";
    return line;
}

const std::string& usageText() {
    static const std::string text =
        "usage : torvelin [options] [JOURNAL]\n"
        "\n"
        "Lit le journal de discussion du jeu (JOURNAL, chat.log par défaut) et écrit une page\n"_l1
        "de statistiques par partie du journal (Resultats.html et les parties nommées par\n"_l1
        "]log name), la page combats.html et la page discussions.html, dans le dossier\n"_l1
        "courant.\n"
        "\n"
        "options :\n"
        "  -o, --sortie DOSSIER  écrit les pages dans DOSSIER (créé au besoin)\n"_l1
        "  --derniere-session    n'analyse que la dernière session du journal\n"_l1
        "  --suivre              puis suit le journal pendant le jeu et réécrit les pages\n"_l1
        "  --intervalle N        secondes entre deux lectures du suivi (1 à 3600, 5 par défaut)\n"_l1
        "  --pause N             secondes sans action hostile qui terminent un combat\n"
        "                        (1 à 3600, 15 par défaut)\n"_l1
        "  --json                écrit aussi les combats dans torvelin.json\n"_l1
        "  -h, --help            affiche cette aide\n"
        "  --version             affiche la version\n"
        "\n"
        "exemple :\n"
        "  torvelin -o pages ~/jeu/chat.log\n";
    return text;
}

}  // namespace torvelin
