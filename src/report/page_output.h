// Writing page text: plain and formatted output to an open page file, and HTML escaping of every
// text that comes from the log.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "stats/format_check.h"

namespace torvelin {

// Writes text as it is.
void put(std::FILE* out, std::string_view text);

// Writes formatted text; "%%" writes one percent sign.
void putf(std::FILE* out, const char* format, ...) TORVELIN_PRINTF_FORMAT(2, 3);

// An integer as printf's "%lld" takes it.
inline long long printable(std::int64_t value) {
    return static_cast<long long>(value);
}

// A text from the log made safe for a page: & < > " become &amp; &lt; &gt; &quot;.
std::string htmlEscape(std::string_view text);

}  // namespace torvelin
