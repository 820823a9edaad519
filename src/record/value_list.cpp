#include "record/value_list.h"

namespace torvelin {

void removeSwappingLast(ValueList& list, std::size_t index) {
    list.values[index] = list.values.back();
    list.values.pop_back();
}

}  // namespace torvelin
