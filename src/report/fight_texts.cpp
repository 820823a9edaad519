#include "report/fight_texts.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace torvelin {
namespace {

// `value` with at least `digits` digits, zeros in front.
void appendPadded(std::string& to, std::int64_t value, int digits) {
    std::array<char, 24> text;
    auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    auto length = static_cast<int>(end - text.data());
    to.append(static_cast<std::size_t>(std::max(0, digits - length)), '0');
    to.append(text.data(), end);
}

}  // namespace

void appendClock(std::string& to, std::int32_t clock) {
    appendPadded(to, clock / 3600, 2);
    to += ':';
    appendPadded(to, clock / 60 % 60, 2);
    to += ':';
    appendPadded(to, clock % 60, 2);
}

void appendIsoDate(std::string& to, const CalendarDate& date) {
    appendPadded(to, date.year, 4);
    to += '-';
    appendPadded(to, date.month, 2);
    to += '-';
    appendPadded(to, date.day, 2);
}

void appendFrenchDate(std::string& to, const CalendarDate& date) {
    appendPadded(to, date.day, 2);
    to += '/';
    appendPadded(to, date.month, 2);
    to += '/';
    appendPadded(to, date.year, 4);
}

}  // namespace torvelin
