// A list of integer samples (damages, intervals, qualities...): every sample is kept.
#pragma once

#include <cstdint>
#include <vector>

namespace torvelin {

// A sample that counts as an event but is skipped by every statistic (a hit on a keep door, a
// resisted proc...).
inline constexpr std::int32_t markerSample = 999999999;

struct ValueList {
    std::vector<std::int32_t> values;

    std::int32_t count() const { return static_cast<std::int32_t>(values.size()); }
    bool empty() const { return values.empty(); }
};

// Appends a sample.
inline void appendValue(ValueList& list, std::int32_t value) {
    list.values.push_back(value);
}

// Takes sample `index` out of the list: the last sample takes its place.
void removeSwappingLast(ValueList& list, std::size_t index);

}  // namespace torvelin
