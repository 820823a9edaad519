#include "driver/line_classifier.h"

#include <algorithm>
#include <cstring>

#include "base/text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace torvelin {
namespace {

constexpr std::size_t startKeyLength = 8;
constexpr std::size_t anchorLength = 4;
// The scan looks up one window of four bytes in `stride`. A phrase of at least `anchoredLength`
// bytes has `stride` anchors, its windows at `stride` places in a row, so that one of them lies
// where the scan looks wherever the phrase stands.
constexpr std::size_t stride = 4;
constexpr std::size_t anchoredLength = anchorLength + stride - 1;

std::uint64_t startKey(const char* at) {
    std::uint64_t key = 0;
    std::memcpy(&key, at, startKeyLength);
    return key;
}

std::uint64_t anchorKey(const char* at) {
    std::uint32_t key = 0;
    std::memcpy(&key, at, anchorLength);
    return key;
}

// 16 bits of a key: its place in the anchors' bit table and in the tables of phrases.
unsigned keyHash(std::uint64_t key) {
    return static_cast<unsigned>((key * 0x9E3779B97F4A7C15u) >> 48);
}

// How often a byte stands in the text of a log: the anchors of a phrase are its bytes least
// likely to stand elsewhere, so that the scan compares few phrases.
int commonness(unsigned char byte) {
    if (std::string_view("esaitnrulo ").find(static_cast<char>(byte)) != notFound)
        return 3;
    if (byte >= 'a' && byte <= 'z')
        return 2;
    return byte >= 0x80 || std::string_view("!'[,.:*").find(static_cast<char>(byte)) != notFound
               ? 1
               : 2;
}

// The place of the `length` bytes in a row of a phrase least likely to stand elsewhere: the
// anchors of a long phrase are the windows of its rarest `anchoredLength` bytes, and a short
// phrase is sought by its rarest pair.
std::size_t leastCommonRun(std::string_view phrase, std::size_t length) {
    std::size_t best = 0;
    int bestScore = 1 << 30;
    for (std::size_t at = 0; at + length <= phrase.size(); ++at) {
        int score = 0;
        for (std::size_t i = 0; i < length; ++i)
            score += commonness(static_cast<unsigned char>(phrase[at + i]));
        if (score < bestScore) {
            bestScore = score;
            best = at;
        }
    }
    return best;
}

// The places among the sixteen at `at` where the bytes `first` and `second` stand one after the
// other, one bit each; the byte after the sixteenth place is read too.
unsigned pairsAt(const char* at, char first, char second) {
#if defined(__SSE2__)
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
        _mm_cmpeq_epi8(bytes, _mm_set1_epi8(first)), _mm_cmpeq_epi8(next, _mm_set1_epi8(second)))));
#else
    unsigned pairs = 0;
    for (unsigned i = 0; i < 16; ++i)
        pairs |= static_cast<unsigned>(at[i] == first && at[i + 1] == second) << i;
    return pairs;
#endif
}

}  // namespace

void LineClassifier::PhraseTable::add(const Phrase& entry) {
    // A phrase of several gates is compared once, for all their parsers.
    for (Phrase& phrase : phrases_) {
        if (phrase.key == entry.key && phrase.offset == entry.offset && phrase.text == entry.text) {
            phrase.parsers |= entry.parsers;
            return;
        }
    }
    phrases_.insert(
        std::upper_bound(phrases_.begin(), phrases_.end(), entry,
                         [](const Phrase& a, const Phrase& b) { return a.key < b.key; }),
        entry);
    slots_.fill({});
    for (std::size_t i = 0; i < phrases_.size(); ++i) {
        unsigned slot = keyHash(phrases_[i].key) % slots_.size();
        while (slots_[slot].count != 0 && slots_[slot].key != phrases_[i].key)
            slot = (slot + 1) % slots_.size();
        if (slots_[slot].count == 0)
            slots_[slot] = {phrases_[i].key, static_cast<std::uint32_t>(i), 0};
        slots_[slot].count += 1;
    }
}

std::span<const LineClassifier::Phrase> LineClassifier::PhraseTable::find(std::uint64_t key,
                                                                          unsigned hash) const {
    for (unsigned slot = hash % slots_.size(); slots_[slot].count != 0;
         slot = (slot + 1) % slots_.size()) {
        if (slots_[slot].key == key)
            return std::span(phrases_).subspan(slots_[slot].first, slots_[slot].count);
    }
    return {};
}

void LineClassifier::addPhrase(std::string_view phrase, bool atTextStart, ParserSet parsers) {
    Phrase entry{0, 0, phrase, parsers, 0, 0};
    std::size_t headLength = std::min(phrase.size(), sizeof entry.head);
    std::memcpy(&entry.head, phrase.data(), headLength);
    entry.headMask = headLength == sizeof entry.head ? ~std::uint64_t{0}
                                                     : (std::uint64_t{1} << (8 * headLength)) - 1;
    if (atTextStart) {
        entry.key = startKey(phrase.data());
        starts_.add(entry);
        return;
    }
    if (phrase.size() < anchoredLength) {
        // A phrase of several gates is sought once, for all their parsers.
        for (Phrase& known : short_) {
            if (known.text == phrase) {
                known.parsers |= parsers;
                return;
            }
        }
        entry.offset = static_cast<std::uint32_t>(leastCommonRun(phrase, 2));
        short_.push_back(entry);
        return;
    }
    std::size_t run = leastCommonRun(phrase, anchoredLength);
    for (std::size_t i = 0; i < stride; ++i) {
        entry.offset = static_cast<std::uint32_t>(run + i);
        entry.key = anchorKey(phrase.data() + entry.offset);
        unsigned hash = keyHash(entry.key);
        anchorBits_[hash / 64] |= std::uint64_t{1} << (hash % 64);
        anchors_.add(entry);
    }
}

// Whether `phrase` stands at `start` of the line: its first eight bytes are compared at once
// where the line has them, since most anchors found belong to other words.
bool LineClassifier::holdsAt(std::string_view line, std::size_t start, const Phrase& phrase) {
    if (start + sizeof phrase.head <= line.size()) {
        std::uint64_t head = 0;
        std::memcpy(&head, line.data() + start, sizeof head);
        if ((head & phrase.headMask) != phrase.head)
            return false;
    }
    return line.substr(start, phrase.text.size()) == phrase.text;
}

ParserSet LineClassifier::startsOf(std::string_view text) const {
    if (text.size() < startKeyLength)
        return 0;
    std::uint64_t key = startKey(text.data());
    ParserSet parsers = 0;
    for (const Phrase& phrase : starts_.find(key, keyHash(key))) {
        if (startsWith(text, phrase.text))  // no head test: the key is its first eight bytes
            parsers |= phrase.parsers;
    }
    return parsers;
}

ParserSet LineClassifier::anywhereIn(std::string_view line) const {
    ParserSet parsers = 0;
    const char* data = line.data();
    const std::size_t size = line.size();
    for (const Phrase& phrase : short_) {
        // The pair stands `offset` bytes into the phrase.
        const char first = phrase.text[phrase.offset];
        const char second = phrase.text[phrase.offset + 1];
        auto atPair = [&](std::size_t at) {
            if (at >= phrase.offset &&
                line.substr(at - phrase.offset, phrase.text.size()) == phrase.text)
                parsers |= phrase.parsers;
        };
        auto pairsFrom = [&](std::size_t at) {
            for (unsigned pairs = pairsAt(data + at, first, second); pairs != 0; pairs &= pairs - 1)
                atPair(at + static_cast<std::size_t>(__builtin_ctz(pairs)));
        };
        if (size >= 17) {
            // Sixteen places at a time, the last sixteen overlapping those before if need be.
            for (std::size_t at = 0; at + 17 <= size; at += 16)
                pairsFrom(at);
            pairsFrom(size - 17);
            continue;
        }
        for (std::size_t at = 0; at + 1 < size; ++at) {
            if (data[at] == first && data[at + 1] == second)
                atPair(at);
        }
    }
    // Each window is looked up on its own, so that the lookups overlap in the processor; a
    // window that is an anchor is rare.
    for (std::size_t start = 0; start + anchorLength <= size; start += stride) {
        std::uint64_t key = anchorKey(data + start);
        unsigned hash = keyHash(key);
        if ((anchorBits_[hash / 64] >> (hash % 64) & 1) == 0) [[likely]]
            continue;
        for (const Phrase& phrase : anchors_.find(key, hash)) {
            if (start >= phrase.offset && holdsAt(line, start - phrase.offset, phrase))
                parsers |= phrase.parsers;
        }
    }
    return parsers;
}

ParserSet LineClassifier::parsersFor(std::string_view line) const {
    return startsOf(messageText(line)) | anywhereIn(line);
}

}  // namespace torvelin
