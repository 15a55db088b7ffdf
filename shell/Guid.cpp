#include "shell/Guid.h"

#include <cstdio>

namespace controls {

std::string toString(const Guid& guid) {
    const auto& d = guid.data4;
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  unsigned(guid.data1), unsigned(guid.data2), unsigned(guid.data3), d[0], d[1],
                  d[2], d[3], d[4], d[5], d[6], d[7]);
    return text;
}

} // namespace controls
