#include "report/fights_json.h"

#include <array>
#include <charconv>

#include "report/fight_texts.h"

namespace torvelin {
namespace {

constexpr std::array<std::string_view, static_cast<std::size_t>(DealtKind::count)> dealtKindNames =
    {"weapon", "ranged", "spell", "proc", "critical", "effect"};

// Appends `latin1` as a JSON string in UTF-8, quotes included; control characters are escaped.
void appendJsonString(std::string& to, std::string_view latin1) {
    static constexpr std::string_view hexDigits = "0123456789abcdef";
    to += '"';
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                to += "\\\"";
                continue;
            case '\\':
                to += "\\\\";
                continue;
            case '\n':
                to += "\\n";
                continue;
            case '\r':
                to += "\\r";
                continue;
            case '\t':
                to += "\\t";
                continue;
            default:
                break;
        }
        // The controls of ASCII and of Latin-1 (C0, DEL and C1) as \u00XX.
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
            to += "\\u00";
            to += hexDigits[byte >> 4];
            to += hexDigits[byte & 0xF];
        } else if (byte < 0x80) {
            to += c;
        } else {
            to += static_cast<char>(0xC0 | byte >> 6);
            to += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    to += '"';
}

// Appends a rate as a JSON number: the shortest text that reads back as the same double.
void appendJsonRate(std::string& to, double rate) {
    std::array<char, 32> text;
    auto end = std::to_chars(text.data(), text.data() + text.size(), rate).ptr;
    to.append(text.data(), end);
}

// ", "NAME": " before a member, the first one of an object without the comma.
void appendKey(std::string& to, std::string_view name, bool first = false) {
    if (!first)
        to += ", ";
    to += '"';
    to += name;
    to += "\": ";
}

void appendNumberMember(std::string& to, std::string_view name, std::int64_t value) {
    appendKey(to, name);
    appendNumber(to, value);
}

void appendRateMember(std::string& to, std::string_view name, double rate) {
    appendKey(to, name);
    appendJsonRate(to, rate);
}

void appendClockMember(std::string& to, std::string_view name, std::int32_t clock,
                       bool first = false) {
    appendKey(to, name, first);
    to += '"';
    appendClock(to, clock);
    to += '"';
}

void appendDeath(std::string& to, const FightDeath& death) {
    to += "{";
    appendClockMember(to, "time", death.clock, true);
    appendKey(to, "last_hits");
    to += "[";
    for (std::int32_t i = 0; i < death.recapLength; ++i) {
        const TakenHit& hit = death.recap[static_cast<std::size_t>(i)];
        to += i == 0 ? "{" : ", {";
        appendClockMember(to, "time", hit.clock, true);
        appendNumberMember(to, "amount", hit.amount);
        to += "}";
    }
    to += "]}";
}

void appendFight(std::string& to, const FightLog& log, std::size_t index,
                 const std::vector<std::string>& partNames) {
    const Fight& fight = log.fights[index];
    std::int64_t duration = fight.durationSeconds();
    to += "{";
    appendKey(to, "number", true);
    appendNumber(to, static_cast<std::int64_t>(index + 1));
    appendKey(to, "part");
    appendJsonString(to, partNames[static_cast<std::size_t>(fight.part)]);
    appendKey(to, "date");
    if (fight.dated) {
        to += '"';
        appendIsoDate(to, fight.date);
        to += '"';
    } else {
        to += "null";
    }
    appendClockMember(to, "start", fight.start);
    appendClockMember(to, "end", fight.end);
    appendNumberMember(to, "duration_s", duration);
    appendNumberMember(to, "active_s", fight.activeSeconds());
    appendNumberMember(to, "damage_dealt", fight.damageDealt);
    appendNumberMember(to, "hits_dealt", fight.hitsDealt);
    appendRateMember(to, "dps", damagePerSecond(fight));
    appendRateMember(to, "active_dps", activeDamagePerSecond(fight));
    appendNumberMember(to, "damage_taken", fight.damageTaken);
    appendNumberMember(to, "hits_taken", fight.hitsTaken);
    appendRateMember(to, "dtps", perSecond(fight.damageTaken, duration));
    appendNumberMember(to, "healing", fight.healing);
    appendNumberMember(to, "heals", fight.heals);
    appendRateMember(to, "hps", perSecond(fight.healing, duration));
    appendNumberMember(to, "missed", fight.missed);
    appendNumberMember(to, "avoided", fight.avoided);
    appendKey(to, "dealt_by_kind");
    to += "{";
    for (DealtKind kind : allKinds<DealtKind>()) {
        appendKey(to, dealtKindNames[static_cast<std::size_t>(kind)], kind == DealtKind::weapon);
        appendNumber(to, fight.dealtByKind[kind]);
    }
    to += "}";
    appendKey(to, "kills");
    to += "[";
    for (std::size_t i = 0; i < fight.victims.size(); ++i) {
        if (i != 0)
            to += ", ";
        appendJsonString(to, fight.victims[i]);
    }
    to += "]";
    appendKey(to, "deaths");
    to += "[";
    if (fight.death >= 0)
        appendDeath(to, log.deaths[static_cast<std::size_t>(fight.death)]);
    to += "]}";
}

}  // namespace

void writeFightsJson(const FightLog& log, const std::vector<std::string>& partNames,
                     std::string_view logFileName, const PageSetting& setting) {
    PageFile file = openPage(setting.folder, fightsJsonName);
    std::string text = "{\n  \"program\": \"TORVELIN\",\n  \"version\": \"0.9\",\n  \"log\": ";
    appendJsonString(text, logFileName);
    text += ",\n  \"fight_pause_s\": ";
    appendNumber(text, log.pauseSeconds);
    text += ",\n  \"fights\": [";
    for (std::size_t i = 0; i < log.fights.size(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        appendFight(text, log, i, partNames);
        put(file.out, text);
        text.clear();
    }
    text += log.fights.empty() ? "]\n}\n" : "\n  ]\n}\n";
    put(file.out, text);
    closePage(file);
}

}  // namespace torvelin
