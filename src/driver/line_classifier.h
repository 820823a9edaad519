// The classifier of the reading loop: it looks at a line once and tells which line parsers may act
// on it, from the phrases of their gates (see record/line_gate.h).
//
// Phrases at the start of the message text are looked up by the text's first eight bytes in a
// hash table, then compared whole. Phrases that may stand anywhere are found by one scan of the
// line for their anchors: a phrase of seven bytes or more has four, the windows of four bytes at
// four places in a row among its least common bytes, so that the scan need look up only one
// window in four. A window is looked up in a table of one bit per hash of an anchor, and a whole
// phrase is compared only where its anchor stands. A shorter phrase is sought where its least
// common two bytes in a row stand, sixteen places at a time.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace torvelin {

// A set of line parsers: bit i for the parser at place i of the dispatch chain.
using ParserSet = std::uint64_t;

class LineClassifier {
  public:
    // Declares that the parsers `parsers` may act on a line whose message text starts with
    // `phrase` (`atTextStart`) or that holds `phrase` anywhere. A phrase holds at least eight
    // bytes at the start of the text, two anywhere.
    void addPhrase(std::string_view phrase, bool atTextStart, ParserSet parsers);

    // The parsers that may act on `line`: those of every phrase the line holds.
    ParserSet parsersFor(std::string_view line) const;

  private:
    struct Phrase {
        std::uint64_t key;     // the first eight bytes of a start, or the anchor of a phrase
        std::uint32_t offset;  // of the anchor in the phrase
        std::string_view text;
        ParserSet parsers;
        std::uint64_t head;      // the first eight bytes of the text, as far as it goes
        std::uint64_t headMask;  // the bits of `head` the text fills
    };

    // Phrases sorted by key, with an index from a key, by its hash, to the phrases that have it.
    class PhraseTable {
      public:
        void add(const Phrase& entry);
        // The phrases whose key is `key`, of hash `hash`.
        std::span<const Phrase> find(std::uint64_t key, unsigned hash) const;

      private:
        struct Slot {
            std::uint64_t key = 0;
            std::uint32_t first = 0;
            std::uint32_t count = 0;  // 0: a free slot
        };
        std::vector<Phrase> phrases_;
        std::array<Slot, 512> slots_{};
    };

    static bool holdsAt(std::string_view line, std::size_t start, const Phrase& phrase);
    ParserSet startsOf(std::string_view text) const;
    ParserSet anywhereIn(std::string_view line) const;

    PhraseTable starts_;
    PhraseTable anchors_;
    std::vector<Phrase> short_;  // phrases too short for anchors, `offset` at their rarest pair
    // The anchors by a hash of their four bytes, one bit each.
    std::array<std::uint64_t, 65536 / 64> anchorBits_{};
};

}  // namespace torvelin
