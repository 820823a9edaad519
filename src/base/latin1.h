// Latin-1 text literals.
//
// The game writes its log in single-byte Latin-1 and the pages declare that charset, so every
// text the program compares or writes must be Latin-1 bytes. Source files are UTF-8; the literal
// operator below turns a UTF-8 string literal into Latin-1 bytes at compile time:
//
//     startsWith(text, "Vous exécutez parfaitement"_l1)
//
// A character outside Latin-1 in such a literal is a compile-time error.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace torvelin {

template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};
    constexpr Utf8Literal(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = text[i];
    }
};

template <std::size_t N>
struct Latin1Text {
    char bytes[N]{};
    std::size_t length = 0;

    constexpr operator std::string_view() const { return {bytes, length}; }
    constexpr std::string_view view() const { return {bytes, length}; }
    operator std::string() const { return {bytes, length}; }
    constexpr const char* data() const { return bytes; }
    // The bytes are always terminated, so the text can serve as a format string.
    constexpr const char* c_str() const { return bytes; }
    constexpr std::size_t size() const { return length; }
};

namespace detail {

// A throw inside a constant evaluation makes the literal ill-formed, so a wrong character is
// reported by the compiler instead of becoming wrong bytes.
template <std::size_t N>
consteval Latin1Text<N> toLatin1(const Utf8Literal<N>& source) {
    Latin1Text<N> out{};
    std::size_t in = 0;
    std::size_t last = N - 1;  // the terminator of the literal
    while (in < last) {
        auto lead = static_cast<unsigned char>(source.bytes[in]);
        if (lead < 0x80) {
            out.bytes[out.length++] = static_cast<char>(lead);
            in += 1;
        } else if ((lead == 0xC2 || lead == 0xC3) && in + 1 < last) {
            auto next = static_cast<unsigned char>(source.bytes[in + 1]);
            if ((next & 0xC0) != 0x80)
                throw "invalid UTF-8 in a Latin-1 literal";
            out.bytes[out.length++] = static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
            in += 2;
        } else {
            throw "character outside Latin-1 in a Latin-1 literal";
        }
    }
    out.bytes[out.length] = '\0';
    return out;
}

template <Utf8Literal S>
inline constexpr auto latin1Of = toLatin1(S);

}  // namespace detail

inline namespace literals {
template <Utf8Literal S>
constexpr const auto& operator""_l1() {
    return detail::latin1Of<S>;
}
}  // namespace literals

}  // namespace torvelin
