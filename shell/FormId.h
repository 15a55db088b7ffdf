#pragma once

#include <cstddef>
#include <cstdint>

namespace controls {

// The program's forms, in registry order. The first one starts the program.
enum class FormId : std::uint8_t { Form1, foo, check, quest };

inline constexpr std::size_t formCount = 4;

constexpr std::size_t indexOf(FormId form) {
    return static_cast<std::size_t>(form);
}

} // namespace controls
