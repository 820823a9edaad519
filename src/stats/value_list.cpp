#include "stats/value_list.h"

#include "driver/console.h"

namespace torvelin {

void appendValue(ValueList& list, std::int32_t value) {
    if (list.values.size() >= valueListCapacity) {
        consoleWrite("tableau de valeurs plein\n");
        return;
    }
    list.values.push_back(value);
}

void removeSwappingLast(ValueList& list, std::size_t index) {
    list.values[index] = list.values.back();
    list.values.pop_back();
}

}  // namespace torvelin
