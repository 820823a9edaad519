// An index of the names of a table's rows, for the tables that may grow large with a long log
// (monsters, loots, killers, crafted items): a name is found by its hash, not by a walk through
// every row, while the rows themselves stay in the order they came.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace torvelin {

struct NameIndex {
    std::vector<std::int32_t> slots;  // row + 1 in each slot taken, 0 in a free one
    std::size_t used = 0;
};

namespace detail {

inline std::size_t firstSlot(const NameIndex& index, std::string_view name) {
    return std::hash<std::string_view>{}(name) & (index.slots.size() - 1);
}

inline void placeRow(NameIndex& index, std::int32_t row, std::string_view name) {
    std::size_t slot = firstSlot(index, name);
    while (index.slots[slot] != 0)
        slot = (slot + 1) & (index.slots.size() - 1);
    index.slots[slot] = row + 1;
}

}  // namespace detail

// The row named `name`, or -1 when none is; `nameOf(row)` gives the name of a row indexed.
template <class NameOf>
std::int32_t findInIndex(const NameIndex& index, std::string_view name, NameOf nameOf) {
    if (index.slots.empty())
        return -1;
    for (std::size_t slot = detail::firstSlot(index, name); index.slots[slot] != 0;
         slot = (slot + 1) & (index.slots.size() - 1)) {
        std::int32_t row = index.slots[slot] - 1;
        if (std::string_view(nameOf(row)) == name)
            return row;
    }
    return -1;
}

// Indexes row `row`, named `name`, which no row indexed bears; `nameOf` gives the names of the
// rows already indexed when the index grows.
template <class NameOf>
void addToIndex(NameIndex& index, std::int32_t row, std::string_view name, NameOf nameOf) {
    if (2 * (index.used + 1) > index.slots.size()) {
        std::vector<std::int32_t> old(std::max<std::size_t>(16, 2 * index.slots.size()), 0);
        old.swap(index.slots);
        for (std::int32_t taken : old) {
            if (taken != 0)
                detail::placeRow(index, taken - 1, nameOf(taken - 1));
        }
    }
    detail::placeRow(index, row, name);
    ++index.used;
}

}  // namespace torvelin
