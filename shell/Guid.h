#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace controls {

// A 128-bit identifier, written as {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;

    friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

std::string toString(const Guid& guid);

} // namespace controls
