#pragma once

// The records from which every window is built. They hold data only; the forms
// platform turns them into windows. Positions and sizes are in twips (1/1440 inch).

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace controls {

enum class ControlKind : std::uint8_t { CommandButton, CheckBox, OptionButton, TextBox, Label };

// Where a window is placed when it is first shown. Every window of this program
// leaves the place to the window manager, the only value it uses.
enum class StartUpPosition : std::uint8_t { WindowManager = 3 };

// A control starts in the unset state of its kind: a push button is neither the
// default nor the cancel button, a check box is unchecked, an option is not
// selected, a text box is empty and a label shows its caption.
struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    std::optional<std::string_view> caption; // A text box has none.
    std::int16_t left;
    std::int16_t top;
    std::int16_t width;
    std::int16_t height;
    std::int16_t tabIndex;
};

// An item of the menu tree. An item with sub-items opens its sub-menu; an item
// without them is a command. The caption carries exactly one "&" marking the key.
struct MenuDescription {
    std::string_view name;
    std::string_view caption;
    std::span<const MenuDescription> subItems = {};
    bool enabled = true;
};

struct FormDescription {
    std::string_view name;
    std::string_view caption;
    std::int32_t clientWidth;
    std::int32_t clientHeight;
    StartUpPosition startUpPosition;
    std::span<const ControlDescription> controls; // In stacking order, the front one first.
    std::span<const MenuDescription> menuTree;    // The titles of the menu bar, left to right.
};

} // namespace controls
