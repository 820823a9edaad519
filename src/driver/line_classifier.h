// The classifier of the reading loop: it looks at a line once and tells which line parsers may act
// on it, from the phrases of their gates (see record/line_gate.h).
//
// Phrases at the start of the message text are looked up by the text's first eight bytes, then
// compared whole. Phrases that may stand anywhere are found by one scan of the line for their
// anchors (a group of four of their bytes, chosen among their least common ones): every window of
// four bytes is looked up in a table of one bit per hash of an anchor, and a whole phrase is
// compared only where its anchor stands.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace torvelin {

// A set of line parsers: bit i for the parser at place i of the dispatch chain.
using ParserSet = std::uint64_t;

class LineClassifier {
  public:
    // Declares that the parsers `parsers` may act on a line whose message text starts with
    // `phrase` (`atTextStart`) or that holds `phrase` anywhere. A phrase holds at least eight
    // bytes at the start of the text, five anywhere.
    void addPhrase(std::string_view phrase, bool atTextStart, ParserSet parsers);

    // The parsers that may act on `line`: those of every phrase the line holds.
    ParserSet parsersFor(std::string_view line) const;

  private:
    struct Phrase {
        std::uint64_t key;     // the first eight bytes of a start, or the anchor of a phrase
        std::uint32_t offset;  // of the anchor in the phrase
        std::string_view text;
        ParserSet parsers;
    };

    ParserSet startsOf(std::string_view text) const;
    ParserSet anywhereIn(std::string_view line) const;

    std::vector<Phrase> starts_;   // sorted by key
    std::vector<Phrase> anchors_;  // sorted by key
    // The anchors by a hash of their four bytes, one bit each.
    std::array<std::uint64_t, 65536 / 64> anchorBits_{};
};

}  // namespace torvelin
