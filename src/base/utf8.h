// UTF-8 text turned into the program's Latin-1: a character of Latin-1 becomes its byte, a
// character beyond it becomes "?", and a byte that is not valid UTF-8 stands for its own Latin-1
// character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace torvelin {

// The length of the valid UTF-8 sequence at the start of `bytes` (1 for a byte below 0x80), 0 when
// the bytes there are no valid sequence, or -1 when they are the start of a valid sequence cut by
// the end of `bytes`.
int utf8SequenceLength(std::string_view bytes);

// Whether a sample of a file reads as UTF-8: at least one valid sequence of several bytes and no
// invalid one (a sequence cut by the end of the sample does not count).
bool looksLikeUtf8(std::string_view sample);

// Turns the UTF-8 bytes [0, size) of `bytes` into Latin-1 in place and returns the length of the
// Latin-1 text. Unless `atEnd`, a sequence cut by the end is left undecoded: `pending` receives
// the number of its bytes, which stay after the text.
std::size_t utf8ToLatin1InPlace(char* bytes, std::size_t size, bool atEnd, std::size_t& pending);

// The UTF-8 form of a Latin-1 text.
std::string utf8OfLatin1(std::string_view latin1);

}  // namespace torvelin
