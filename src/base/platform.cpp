#include "base/platform.h"

#include <cstring>

namespace torvelin {

Platform& platform() {
    static Platform current = nativePlatform();
    return current;
}

std::string systemErrorText(int error) {
    return std::strerror(error);
}

}  // namespace torvelin
