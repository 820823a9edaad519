#include "driver/line_feed.h"

#include <algorithm>

#include "base/console.h"

namespace torvelin {
namespace {

constexpr std::size_t batchCount = 16;
constexpr std::size_t batchBytes = 1 << 15;
constexpr int spinLooks = 200;

}  // namespace

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
            batch.entries.push_back({static_cast<std::uint32_t>(batch.bytes.size()),
                                     static_cast<std::uint16_t>(line.size()), log_.lastLineCut,
                                     steps, readFightLine(line, fightPhrasesOf(steps))});
            batch.bytes.append(line);
        }
        batch.last = !more;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            full_.push_back(index);
            fullBatches_.store(full_.size(), std::memory_order_release);
        }
        changed_.notify_all();
    }
}

bool LineFeed::next(FedLine& line) {
    for (;;) {
        if (taking_) {
            const Batch& batch = batches_[current_];
            if (nextEntry_ < batch.entries.size()) {
                const Entry& entry = batch.entries[nextEntry_++];
                line.text = std::string_view(batch.bytes).substr(entry.offset, entry.size);
                line.cut = entry.cut;
                line.steps = entry.steps;
                line.fight = entry.fight;
                return true;
            }
            bool last = batch.last;
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
        // When the loop is the faster, it looks again for a while before it sleeps, as the thread
        // does for a free batch.
        for (int look = 0; look < spinLooks && fullBatches_.load(std::memory_order_acquire) == 0;
             ++look)
            std::this_thread::yield();
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !full_.empty(); });
        current_ = full_.front();
        full_.erase(full_.begin());
        fullBatches_.store(full_.size(), std::memory_order_release);
        taking_ = true;
        nextEntry_ = 0;
    }
}

}  // namespace torvelin
