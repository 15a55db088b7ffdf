#pragma once

#include "descriptions/Invariants.h"

namespace controls {

// clang-format off
inline constexpr ControlDescription questControls[] = {
    // name       kind                       caption                 left  top   width height tab
    {"Label1",   ControlKind::Label,         "What is your name?",    600,  360, 1815, 375,   0},
    {"Text1",    ControlKind::TextBox,       std::nullopt,            600,  840, 3015, 285,   1},
    {"Label2",   ControlKind::Label,         "What is your quest?",   600, 1680, 2895, 255,   2},
    {"Text2",    ControlKind::TextBox,       std::nullopt,            600, 2040, 3135, 285,   3},
    {"Command1", ControlKind::CommandButton, "Onward!",              3000, 2760, 1575, 375,   4},
};
// clang-format on

// The input window: two questions, each with a text box, and a push button that
// hides the window. Its title is "Form2", not its name.
inline constexpr FormDescription questDescription{
    .name = "quest",
    .caption = "Form2",
    .clientWidth = 4680,
    .clientHeight = 3240,
    .startUpPosition = StartUpPosition::WindowManager,
    .controls = questControls,
    .menuTree = {},
};
CONTROLS_ASSERT_VALID_DESCRIPTION(questDescription);

} // namespace controls
