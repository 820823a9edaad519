// The lines of the log, read and classified on a thread of their own while the reading loop hands
// the lines before them to the parsers: the two halves of the work overlap on two processors.
//
// The thread reads lines with readLogLine, copies them into batches of about 32 KB and finds the
// steps of the chain that may act on each (stepsFor) and its fight event (readFightEvent, in the
// phrase groups the classifier found); the reading loop takes the batches in order. The lines,
// their order and everything the parsers see are those of readLogLine; a read error ends the lines,
// and `next` raises it on the reading loop's thread after the last line read before it, where
// readLogLine would have. A fatal error of the reading loop stops the thread before the program
// ends.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "driver/dispatch.h"
#include "driver/log_file.h"

namespace torvelin {

struct FedLine {
    std::string_view text;
    bool cut = false;  // the line lost the rest of its physical line
    ParserSet steps = 0;
    FightEvent fight;
};

class LineFeed {
  public:
    // Starts reading `log`, which must outlive the feed and stay untouched until it ends.
    LineFeed(LogFile& log, LineChain chain);
    ~LineFeed();
    LineFeed(const LineFeed&) = delete;
    LineFeed& operator=(const LineFeed&) = delete;

    // The next line, valid until the next call; false after the last one. A read error is fatal.
    // Most lines are taken in place, from the batch being taken.
    bool next(FedLine& line) {
        if (entry_ == entriesEnd_ && !nextBatch())
            return false;
        take(*entry_++, line);
        return true;
    }

  private:
    // A line of a batch, in 16 bytes: a larger entry makes the reading a sixth slower.
    struct Entry {
        std::uint16_t offset;  // a batch holds less than 64 KB
        // The line's size (9 bits), whether it was cut, and the kinds of its fight event.
        std::uint16_t sizeAndMarks;
        std::int32_t fightAmount;
        ParserSet steps;
    };
    // The bits of an entry's sizeAndMarks: the size, then the cut mark, the kind of the fight
    // event and the kind of its damage dealt.
    static constexpr int sizeBits = 9;
    static constexpr int cutBit = sizeBits;
    static constexpr int kindShift = cutBit + 1;
    static constexpr int dealtKindShift = kindShift + 3;
    static std::uint16_t sizeAndMarks(std::size_t size, bool cut, const FightEvent& event);

    void take(const Entry& entry, FedLine& line) const {
        unsigned marks = entry.sizeAndMarks;
        line.text = std::string_view(bytes_ + entry.offset, marks & ((1u << sizeBits) - 1));
        line.cut = (marks >> cutBit & 1) != 0;
        line.steps = entry.steps;
        line.fight = {static_cast<FightEventKind>(marks >> kindShift & 7),
                      static_cast<DealtKind>(marks >> dealtKindShift & 7), entry.fightAmount};
    }
    // Gives the batch taken back and takes the next that holds lines; false after the last.
    bool nextBatch();
    // A cache line of its own: the thread fills one batch while the loop reads another.
    struct alignas(64) Batch {
        std::string bytes;
        std::vector<Entry> entries;
        bool last = false;  // no batch follows
    };

    void readAll();
    void stop();

    LogFile& log_;
    LineChain chain_;
    std::vector<Batch> batches_;
    std::vector<std::size_t> full_;  // batches read, in order, oldest first
    // Batches free to be read into, the last freed on top: it is read into first, while it is
    // still in the processors' caches (a ring of batches taken in turn is a fifth slower).
    std::vector<std::size_t> empty_;
    std::mutex mutex_;
    std::atomic<std::size_t> freeBatches_{0};  // the size of `empty_`, read without the lock
    std::condition_variable changed_;
    bool stopping_ = false;
    std::size_t current_ = 0;  // the batch being taken, once `taking_`
    bool taking_ = false;
    // The lines of that batch not taken yet, and its bytes.
    const Entry* entry_ = nullptr;
    const Entry* entriesEnd_ = nullptr;
    const char* bytes_ = nullptr;
    bool ended_ = false;
    std::thread reader_;
};

}  // namespace torvelin
