#include "base/utf8.h"

#include <cstdint>
#include <cstring>

namespace torvelin {
namespace {

bool continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of a valid sequence of `length` bytes.
std::uint32_t codePoint(std::string_view bytes, int length) {
    auto at = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
    };
    switch (length) {
        case 1:
            return at(0);
        case 2:
            return (at(0) & 0x1F) << 6 | (at(1) & 0x3F);
        case 3:
            return (at(0) & 0x0F) << 12 | (at(1) & 0x3F) << 6 | (at(2) & 0x3F);
        default:
            return (at(0) & 0x07) << 18 | (at(1) & 0x3F) << 12 | (at(2) & 0x3F) << 6 |
                   (at(3) & 0x3F);
    }
}

}  // namespace

int utf8SequenceLength(std::string_view bytes) {
    auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong form
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (static_cast<std::size_t>(i) >= bytes.size())
            return -1;
        auto byte = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        if (i == 1 ? byte < low || byte > high : !continuation(byte))
            return 0;
    }
    return length;
}

bool looksLikeUtf8(std::string_view sample) {
    bool multiByte = false;
    for (std::size_t at = 0; at < sample.size();) {
        int length = utf8SequenceLength(sample.substr(at));
        if (length < 0)
            break;
        if (length == 0)
            return false;
        multiByte = multiByte || length > 1;
        at += static_cast<std::size_t>(length);
    }
    return multiByte;
}

std::size_t utf8ToLatin1InPlace(char* bytes, std::size_t size, bool atEnd, std::size_t& pending) {
    std::size_t out = 0;
    std::size_t at = 0;
    pending = 0;
    while (at < size) {
        auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            bytes[out++] = bytes[at++];
            continue;
        }
        std::string_view rest(bytes + at, size - at);
        int length = utf8SequenceLength(rest);
        if (length < 0 && !atEnd) {
            pending = size - at;
            std::memmove(bytes + out, bytes + at, pending);
            return out;
        }
        if (length <= 0) {
            bytes[out++] = bytes[at++];  // not UTF-8: the byte's own Latin-1 character
            continue;
        }
        std::uint32_t character = codePoint(rest, length);
        bytes[out++] = character <= 0xFF ? static_cast<char>(character) : '?';
        at += static_cast<std::size_t>(length);
    }
    return out;
}

std::string utf8OfLatin1(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size() * 2);
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

}  // namespace torvelin
