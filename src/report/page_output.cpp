#include "report/page_output.h"

#include <cstdarg>

namespace torvelin {

void put(std::FILE* out, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), out);
}

void putf(std::FILE* out, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::vfprintf(out, format, args);
    va_end(args);
}

std::string htmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped.push_back(c);
        }
    }
    return escaped;
}

}  // namespace torvelin
