#include "base/text.h"

#include <algorithm>

namespace torvelin {

std::string cutText(std::string_view text, std::size_t begin, std::size_t end,
                    std::size_t maxLength) {
    end = std::min(end, text.size());
    if (begin >= end)
        return {};
    return std::string(text.substr(begin, std::min(end - begin, maxLength)));
}

std::int32_t firstNumber(std::string_view text) {
    constexpr std::int64_t limit = 2147483647;
    std::size_t i = 0;
    while (i < text.size() && (text[i] < '0' || text[i] > '9'))
        ++i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), limit);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace torvelin
