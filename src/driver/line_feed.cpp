#include "driver/line_feed.h"

#include <algorithm>

#include "base/console.h"

namespace torvelin {
namespace {

constexpr std::size_t batchCount = 16;
constexpr std::size_t batchBytes = 1 << 15;
constexpr int spinLooks = 200;
static_assert(batchBytes + maxLineLength < 1 << 16, "an entry's offset has 16 bits");

}  // namespace

std::uint16_t LineFeed::sizeAndMarks(std::size_t size, bool cut, const FightEvent& event) {
    static_assert(maxLineLength < 1 << sizeBits);
    static_assert(static_cast<int>(FightEventKind::kill) < 1 << 3);
    static_assert(static_cast<int>(DealtKind::count) <= 1 << 3);
    static_assert(dealtKindShift + 3 <= 16);
    return static_cast<std::uint16_t>(size | static_cast<unsigned>(cut) << cutBit |
                                      static_cast<unsigned>(event.kind) << kindShift |
                                      static_cast<unsigned>(event.dealtKind) << dealtKindShift);
}

LineFeed::LineFeed(LogFile& log, LineChain chain) : log_(log), chain_(chain) {
    batches_.resize(batchCount);
    // The thread never allocates, so that running out of memory is met on the loop's thread:
    // a batch ends once it holds `batchBytes`, and every line holds at least one byte. Reserved
    // pages that are never written cost no memory.
    for (std::size_t i = 0; i < batchCount; ++i) {
        batches_[i].bytes.reserve(batchBytes + maxLineLength);
        batches_[i].entries.reserve(batchBytes);
        empty_.push_back(i);
    }
    full_.reserve(batchCount);
    freeBatches_.store(batchCount);
    log_.keepReadError = true;
    setBackgroundWork([this] { stop(); });
    reader_ = std::thread([this] { readAll(); });
}

LineFeed::~LineFeed() {
    stop();
    setBackgroundWork(nullptr);
    log_.keepReadError = false;
}

void LineFeed::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (reader_.joinable() && reader_.get_id() != std::this_thread::get_id())
        reader_.join();
}

void LineFeed::readAll() {
    std::string_view line;
    bool more = true;
    while (more) {
        std::size_t index = 0;
        // A batch is mostly freed within microseconds: the thread looks again for a while
        // before it sleeps, so that the loop seldom has to wake it, which costs more.
        for (int look = 0; look < spinLooks && freeBatches_.load(std::memory_order_acquire) == 0;
             ++look)
            std::this_thread::yield();
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !empty_.empty(); });
            if (stopping_)
                return;
            index = empty_.back();
            empty_.pop_back();
            freeBatches_.store(empty_.size(), std::memory_order_release);
        }
        Batch& batch = batches_[index];
        batch.bytes.clear();
        batch.entries.clear();
        while (batch.bytes.size() < batchBytes) {
            more = readLogLine(log_, line);
            if (!more)
                break;
            ParserSet steps = stepsFor(line, chain_);
            Entry entry{static_cast<std::uint16_t>(batch.bytes.size()),
                        sizeAndMarks(line.size(), log_.lastLineCut, {}), 0, steps};
            if (FightPhraseSet fightPhrases = fightPhrasesOf(steps); fightPhrases != 0) {
                FightEvent event = readFightEvent(line, fightPhrases);
                entry.sizeAndMarks |= sizeAndMarks(0, false, event);
                entry.fightAmount = event.amount;
            }
            batch.entries.push_back(entry);
            batch.bytes.append(line);
        }
        batch.last = !more;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            full_.push_back(index);
        }
        changed_.notify_all();
    }
}

bool LineFeed::nextBatch() {
    for (;;) {
        if (taking_) {
            bool last = batches_[current_].last;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                empty_.push_back(current_);
                freeBatches_.store(empty_.size(), std::memory_order_release);
                taking_ = false;
            }
            changed_.notify_all();
            if (last) {
                ended_ = true;
                stop();
                raiseKeptReadError(log_);
            }
        }
        if (ended_)
            return false;
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !full_.empty(); });
        current_ = full_.front();
        full_.erase(full_.begin());
        taking_ = true;
        const Batch& batch = batches_[current_];
        entry_ = batch.entries.data();
        entriesEnd_ = entry_ + batch.entries.size();
        bytes_ = batch.bytes.data();
        if (entry_ != entriesEnd_)
            return true;
    }
}

}  // namespace torvelin
