#include "driver/platform.h"

namespace torvelin {

Platform& platform() {
    static Platform current = nativePlatform();
    return current;
}

}  // namespace torvelin
