#pragma once

#include "descriptions/Invariants.h"

namespace controls {

// clang-format off
inline constexpr ControlDescription checkControls[] = {
    // name       kind                       caption   left  top   width height tab
    {"Check1",   ControlKind::CheckBox,      "Beer",    840,  720,  975, 375,   0},
    {"Check2",   ControlKind::CheckBox,      "Crisps",  840, 1200, 1275, 375,   1},
    {"Command1", ControlKind::CommandButton, "Yum!",   3120, 2760, 1455, 375,   2},
};
// clang-format on

// The check-box window: two independent boxes and a push button that hides the window.
inline constexpr FormDescription checkDescription{
    .name = "check",
    .caption = "Check this out",
    .clientWidth = 4680,
    .clientHeight = 3240,
    .startUpPosition = StartUpPosition::WindowManager,
    .controls = checkControls,
    .menuTree = {},
};
CONTROLS_ASSERT_VALID_DESCRIPTION(checkDescription);

} // namespace controls
