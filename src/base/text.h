// Small text helpers shared by the line parsers.
//
// A log line is "[HH:MM:SS] " followed by the message text from index 11. Lines are handled by
// their length (a NUL byte is an ordinary byte); a position beyond the end of a line gives an
// empty text, so every test on it fails and its first number is 0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvelin {

inline constexpr std::size_t messageStart = 11;
inline constexpr std::size_t notFound = std::string_view::npos;

// The text of `line` from `index` on; empty when `index` lies beyond the end.
inline std::string_view textFrom(std::string_view line, std::size_t index) {
    return index < line.size() ? line.substr(index) : std::string_view{};
}

// The message text: the line after its time stamp.
inline std::string_view messageText(std::string_view line) {
    return textFrom(line, messageStart);
}

inline bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

inline bool contains(std::string_view text, std::string_view pattern) {
    return text.find(pattern) != notFound;
}

// Whether `stored` is a leading part of `word`, compared over the length of `stored` (an empty
// stored name is a leading part of every word).
inline bool isLeadingPartOf(std::string_view stored, std::string_view word) {
    return stored.size() <= word.size() && word.substr(0, stored.size()) == stored;
}

// The text between `begin` and `end` (end excluded), cut to `maxLength` characters. A range
// whose end lies before its start, or beyond the text, is cut to what exists.
std::string_view cutView(std::string_view text, std::size_t begin, std::size_t end,
                         std::size_t maxLength);
inline std::string cutText(std::string_view text, std::size_t begin, std::size_t end,
                           std::size_t maxLength) {
    return std::string(cutView(text, begin, end, maxLength));
}

// A name cut to the usable length of its field.
inline std::string fitName(std::string_view name, std::size_t maxLength) {
    return std::string(name.substr(0, maxLength));
}

// The value of the first run of decimal digits of `text`, 0 when there is none. A run above the
// range of a signed 32-bit integer gives 2147483647.
std::int32_t firstNumber(std::string_view text);

// The first number of the line from `index` on. The two digits of a time stamp are read at once.
inline std::int32_t firstNumberAt(std::string_view line, std::size_t index) {
    auto digit = [&](std::size_t at) { return line[at] >= '0' && line[at] <= '9'; };
    if (index + 2 < line.size() && digit(index) && digit(index + 1) && !digit(index + 2))
        return (line[index] - '0') * 10 + (line[index + 1] - '0');
    return firstNumber(textFrom(line, index));
}

// Parts of the time stamp "[HH:MM:SS]".
inline std::int64_t stampHours(std::string_view line) {
    return firstNumberAt(line, 1);
}
inline std::int64_t stampMinutes(std::string_view line) {
    return firstNumberAt(line, 4);
}
inline std::int64_t stampSeconds(std::string_view line) {
    return firstNumberAt(line, 7);
}

// a + b, held at the largest (or smallest) 64-bit value instead of passing it.
inline std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

// a x b, held at the largest (or smallest) 64-bit value instead of passing it.
inline std::int64_t saturatingMultiply(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) == (b < 0) ? INT64_MAX : INT64_MIN;
    return product;
}

// Minutes x 100 + seconds: ties a follow-up line to the event of the same second.
inline std::int64_t lineTime(std::string_view line) {
    return stampMinutes(line) * 100 + stampSeconds(line);
}

// Hours x 10000 + minutes x 100 + seconds.
inline std::int64_t lineClock(std::string_view line) {
    return stampHours(line) * 10000 + lineTime(line);
}

}  // namespace torvelin
