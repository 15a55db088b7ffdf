#pragma once

#include "descriptions/Invariants.h"

namespace controls {

namespace form1Menu {
// clang-format off
inline constexpr MenuDescription msgBoxesItems[] = {
    // name          caption
    {"ForOutputs", "For &Outputs"},
    {"ForInputs",  "For &Inputs"},
};
inline constexpr MenuDescription choicesItems[] = {
    {"Options",    "&Options"},
    {"CheckBoxes", "&Check Boxes"},
    {"Menus",      "&Menus"},
};
inline constexpr MenuDescription dialogueBoxesItems[] = {
    {"InputBoxes", "&Input Boxes"},
    {"MsgBoxes",   "&MsgBoxes", msgBoxesItems},
};
inline constexpr MenuDescription exitItems[] = {
    {"Yes",        "&Yes", {}, false},
};
inline constexpr MenuDescription menuBar[] = {
    {"Choices",       "&Choices",        choicesItems},
    {"DialogueBoxes", "&Dialogue Boxes", dialogueBoxesItems},
    {"Exit",          "&Exit",           exitItems, false},
};
// clang-format on
} // namespace form1Menu

// The main window: a menu bar over an empty client area.
inline constexpr FormDescription form1Description{
    .name = "Form1",
    .caption = "Form1",
    .clientWidth = 4680,
    .clientHeight = 3240,
    .startUpPosition = StartUpPosition::WindowManager,
    .controls = {},
    .menuTree = form1Menu::menuBar,
};
CONTROLS_ASSERT_VALID_DESCRIPTION(form1Description);

} // namespace controls
