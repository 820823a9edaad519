#include "base/text.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace torvelin {

std::string_view cutView(std::string_view text, std::size_t begin, std::size_t end,
                         std::size_t maxLength) {
    end = std::min(end, text.size());
    if (begin >= end)
        return {};
    return text.substr(begin, std::min(end - begin, maxLength));
}

namespace {

// The place of the first decimal digit of `text`, or its size; sixteen bytes at a time, since the
// number of a line mostly stands after a few words.
std::size_t firstDigit(std::string_view text) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Signed comparisons: the bytes from 0x80 on are below '0'.
    const __m128i belowDigits = _mm_set1_epi8('0' - 1);
    const __m128i aboveDigits = _mm_set1_epi8('9' + 1);
    for (; i + 16 <= text.size(); i += 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        auto digits = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpgt_epi8(bytes, belowDigits), _mm_cmplt_epi8(bytes, aboveDigits))));
        if (digits != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(digits));
    }
#endif
    while (i < text.size() && (text[i] < '0' || text[i] > '9'))
        ++i;
    return i;
}

}  // namespace

std::int32_t firstNumber(std::string_view text) {
    constexpr std::int64_t limit = 2147483647;
    std::size_t i = firstDigit(text);
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), limit);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace torvelin
