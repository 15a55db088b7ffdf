#pragma once

#include <QString>

#include <string_view>

namespace controls {

// Names and captions are 8-bit texts; every one of them is plain ASCII.
inline QString toQString(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), qsizetype(latin1.size()));
}

} // namespace controls
