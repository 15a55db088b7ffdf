#pragma once

#include "descriptions/Invariants.h"

namespace controls {

// clang-format off
inline constexpr ControlDescription fooControls[] = {
    // name       kind                       caption   left  top   width height tab
    {"Option1",  ControlKind::OptionButton,  "Sane",   1440,  960, 2055, 375,   0},
    {"Option2",  ControlKind::OptionButton,  "Insane", 1440, 1440, 2175, 375,   1},
    {"Command1", ControlKind::CommandButton, "OK",     3240, 2760, 1335, 375,   2},
};
// clang-format on

// The option window: two options and a push button that hides the window.
inline constexpr FormDescription fooDescription{
    .name = "foo",
    .caption = "foo",
    .clientWidth = 4680,
    .clientHeight = 3240,
    .startUpPosition = StartUpPosition::WindowManager,
    .controls = fooControls,
    .menuTree = {},
};
CONTROLS_ASSERT_VALID_DESCRIPTION(fooDescription);

} // namespace controls
