// A list of integer samples (damages, intervals, qualities...) of at most 5000 entries.
#pragma once

#include <cstdint>
#include <vector>

namespace torvelin {

// A sample that counts as an event but is skipped by every statistic (a hit on a keep door, a
// resisted proc...).
inline constexpr std::int32_t markerSample = 999999999;
inline constexpr std::size_t valueListCapacity = 5000;

struct ValueList {
    std::vector<std::int32_t> values;

    std::int32_t count() const { return static_cast<std::int32_t>(values.size()); }
    bool empty() const { return values.empty(); }
};

// Appends a sample; a full list drops it with the console warning "tableau de valeurs plein\n".
void appendValue(ValueList& list, std::int32_t value);

// Takes sample `index` out of the list: the last sample takes its place.
void removeSwappingLast(ValueList& list, std::size_t index);

}  // namespace torvelin
