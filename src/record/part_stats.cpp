#include "record/part_stats.h"

namespace torvelin {

std::unique_ptr<PartStats> newPartStats() {
    return std::make_unique<PartStats>();
}

}  // namespace torvelin
