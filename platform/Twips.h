#pragma once

#include <cmath>

namespace controls {

// Converts a length in twips (1/1440 inch) to pixels at the given logical density.
// At 96 dots per inch, 15 twips make exactly one pixel.
inline int twipsToPixels(int twips, int logicalDpi) {
    return static_cast<int>(std::lround(double(twips) * logicalDpi / 1440.0));
}

} // namespace controls
