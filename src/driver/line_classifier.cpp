#include "driver/line_classifier.h"

#include <algorithm>
#include <cstring>

#include "base/text.h"

namespace torvelin {
namespace {

constexpr std::size_t startKeyLength = 8;
constexpr std::size_t anchorLength = 4;

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

unsigned anchorHash(std::uint64_t key) {
    return static_cast<std::uint32_t>(key * 2654435761u) >> 16;
}

// How often a byte stands in the text of a log: the anchor of a phrase is its group of four bytes
// least likely to stand elsewhere, so that the scan compares few phrases.
int commonness(unsigned char byte) {
    if (std::string_view("esaitnrulo ").find(static_cast<char>(byte)) != notFound)
        return 3;
    if (byte >= 'a' && byte <= 'z')
        return 2;
    return byte >= 0x80 || std::string_view("!'[,.:*").find(static_cast<char>(byte)) != notFound
               ? 1
               : 2;
}

std::size_t anchorOffset(std::string_view phrase) {
    std::size_t best = 0;
    int bestScore = 1 << 30;
    for (std::size_t at = 0; at + anchorLength <= phrase.size(); ++at) {
        int score = 0;
        for (std::size_t i = 0; i < anchorLength; ++i)
            score += commonness(static_cast<unsigned char>(phrase[at + i]));
        if (score < bestScore) {
            bestScore = score;
            best = at;
        }
    }
    return best;
}

bool byKey(const auto& phrase, std::uint64_t key) {
    return phrase.key < key;
}

}  // namespace

void LineClassifier::addPhrase(std::string_view phrase, bool atTextStart, ParserSet parsers) {
    std::vector<Phrase>& table = atTextStart ? starts_ : anchors_;
    Phrase entry{0, 0, phrase, parsers};
    if (atTextStart) {
        entry.key = startKey(phrase.data());
    } else {
        entry.offset = static_cast<std::uint32_t>(anchorOffset(phrase));
        entry.key = anchorKey(phrase.data() + entry.offset);
        unsigned hash = anchorHash(entry.key);
        anchorBits_[hash / 64] |= std::uint64_t{1} << (hash % 64);
    }
    table.insert(std::upper_bound(table.begin(), table.end(), entry,
                                  [](const Phrase& a, const Phrase& b) { return a.key < b.key; }),
                 entry);
}

ParserSet LineClassifier::startsOf(std::string_view text) const {
    if (text.size() < startKeyLength)
        return 0;
    std::uint64_t key = startKey(text.data());
    ParserSet parsers = 0;
    auto phrase = std::lower_bound(starts_.begin(), starts_.end(), key, byKey<Phrase>);
    for (; phrase != starts_.end() && phrase->key == key; ++phrase) {
        if (startsWith(text, phrase->text))
            parsers |= phrase->parsers;
    }
    return parsers;
}

ParserSet LineClassifier::anywhereIn(std::string_view line) const {
    ParserSet parsers = 0;
    if (line.size() < anchorLength)
        return parsers;
    const char* data = line.data();
    std::size_t last = line.size() - anchorLength;
    // Each window of four bytes is looked up on its own, so that the lookups overlap in the
    // processor; a window that is an anchor is rare.
    for (std::size_t start = 0; start <= last; ++start) {
        std::uint64_t key = anchorKey(data + start);
        unsigned hash = anchorHash(key);
        if ((anchorBits_[hash / 64] >> (hash % 64) & 1) == 0) [[likely]]
            continue;
        auto phrase = std::lower_bound(anchors_.begin(), anchors_.end(), key, byKey<Phrase>);
        for (; phrase != anchors_.end() && phrase->key == key; ++phrase) {
            if (start >= phrase->offset &&
                line.substr(start - phrase->offset, phrase->text.size()) == phrase->text)
                parsers |= phrase->parsers;
        }
    }
    return parsers;
}

ParserSet LineClassifier::parsersFor(std::string_view line) const {
    return startsOf(messageText(line)) | anywhereIn(line);
}

}  // namespace torvelin
