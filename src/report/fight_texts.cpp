#include "report/fight_texts.h"

#include <array>
#include <cstring>

namespace torvelin {
namespace {

// Writes a year with four digits at least, zeros in front, at `at`; returns its end.
char* putYear(char* at, std::int32_t year) {
    std::array<char, 24> digits;
    char* digitsEnd = putNumber(digits.data(), year);
    auto length = static_cast<std::size_t>(digitsEnd - digits.data());
    for (; length < 4; ++length)
        *at++ = '0';
    std::memcpy(at, digits.data(), static_cast<std::size_t>(digitsEnd - digits.data()));
    return at + (digitsEnd - digits.data());
}

// Writes `value` (0 to 99) as two digits at `at`.
void putTwoDigits(char* at, std::int32_t value) {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

char* putNumber(char* at, std::int64_t value) {
    // "00" to "99": two digits at a time.
    static constexpr std::array<char, 200> pairs = [] {
        std::array<char, 200> text{};
        for (std::size_t i = 0; i < 100; ++i) {
            text[2 * i] = static_cast<char>('0' + i / 10);
            text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
        return text;
    }();
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (value < 0)
        *at++ = '-';
    std::size_t length = 1;
    for (std::uint64_t power = 10; length < 20 && magnitude >= power; power *= 10)
        ++length;
    char* end = at + length;
    char* next = end;
    for (; magnitude >= 100; magnitude /= 100) {
        next -= 2;
        std::memcpy(next, pairs.data() + magnitude % 100 * 2, 2);
    }
    if (magnitude >= 10)
        std::memcpy(next - 2, pairs.data() + magnitude * 2, 2);
    else
        next[-1] = static_cast<char>('0' + magnitude);
    return end;
}

void appendNumber(std::string& to, std::int64_t value) {
    std::array<char, 24> text;
    to.append(text.data(), putNumber(text.data(), value));
}

char* putClock(char* at, std::int32_t clock) {
    putTwoDigits(at, clock / 3600 % 100);
    at[2] = ':';
    putTwoDigits(at + 3, clock / 60 % 60);
    at[5] = ':';
    putTwoDigits(at + 6, clock % 60);
    return at + clockLength;
}

char* putFrenchDate(char* at, const CalendarDate& date) {
    putTwoDigits(at, date.day);
    at[2] = '/';
    putTwoDigits(at + 3, date.month);
    at[5] = '/';
    return putYear(at + 6, date.year);
}

void appendClock(std::string& to, std::int32_t clock) {
    std::array<char, clockLength> text;
    to.append(text.data(), putClock(text.data(), clock));
}

void appendIsoDate(std::string& to, const CalendarDate& date) {
    std::array<char, longestFrenchDate> text;
    char* end = putYear(text.data(), date.year);
    *end++ = '-';
    putTwoDigits(end, date.month);
    end[2] = '-';
    putTwoDigits(end + 3, date.day);
    to.append(text.data(), end + 5);
}

void appendFrenchDate(std::string& to, const CalendarDate& date) {
    std::array<char, longestFrenchDate> text;
    to.append(text.data(), putFrenchDate(text.data(), date));
}

}  // namespace torvelin
