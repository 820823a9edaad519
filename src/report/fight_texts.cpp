#include "report/fight_texts.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace torvelin {
namespace {

// Writes `value` (0 to 99) as two digits at `at`.
void putTwoDigits(char* at, std::int32_t value) {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
}

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
    std::array<char, 8> text{'0', '0', ':', '0', '0', ':', '0', '0'};
    putTwoDigits(text.data(), clock / 3600 % 100);
    putTwoDigits(text.data() + 3, clock / 60 % 60);
    putTwoDigits(text.data() + 6, clock % 60);
    to.append(text.data(), text.size());
}

void appendIsoDate(std::string& to, const CalendarDate& date) {
    appendPadded(to, date.year, 4);
    std::array<char, 6> text{'-', '0', '0', '-', '0', '0'};
    putTwoDigits(text.data() + 1, date.month);
    putTwoDigits(text.data() + 4, date.day);
    to.append(text.data(), text.size());
}

void appendFrenchDate(std::string& to, const CalendarDate& date) {
    std::array<char, 6> text{'0', '0', '/', '0', '0', '/'};
    putTwoDigits(text.data(), date.day);
    putTwoDigits(text.data() + 3, date.month);
    to.append(text.data(), text.size());
    appendPadded(to, date.year, 4);
}

}  // namespace torvelin
