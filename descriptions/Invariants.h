#pragma once

// The rules that every form description obeys. Each check is constexpr, so the
// descriptions assert them where they are defined and a broken one does not compile.

#include "descriptions/Model.h"

#include <cstddef>

namespace controls {

// Calls visit(item, siblings) for every item of the tree, parents before their sub-items.
template <class Visit>
constexpr void forEachMenuItem(std::span<const MenuDescription> menu, Visit&& visit) {
    for (const MenuDescription& item : menu) {
        visit(item, menu);
        forEachMenuItem(item.subItems, visit);
    }
}

constexpr std::size_t countMarkers(std::string_view text) {
    std::size_t markers = 0;
    for (char c : text)
        markers += c == '&' ? 1 : 0;
    return markers;
}

constexpr char toLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The access key of a menu caption, lower-cased: the character after its one "&".
constexpr char accessKey(std::string_view caption) {
    const std::size_t marker = caption.find('&');
    return marker + 1 < caption.size() ? toLowerAscii(caption[marker + 1]) : '\0';
}

// Every control and every menu item of a form has a name of its own.
constexpr bool hasUniqueNames(const FormDescription& form) {
    auto occurrences = [&form](std::string_view name) {
        std::size_t count = 0;
        for (const ControlDescription& control : form.controls)
            count += control.name == name ? 1 : 0;
        forEachMenuItem(form.menuTree, [&](const MenuDescription& item, auto) {
            count += item.name == name ? 1 : 0;
        });
        return count;
    };
    bool unique = true;
    for (const ControlDescription& control : form.controls)
        unique = unique && !control.name.empty() && occurrences(control.name) == 1;
    forEachMenuItem(form.menuTree, [&](const MenuDescription& item, auto) {
        unique = unique && !item.name.empty() && occurrences(item.name) == 1;
    });
    return unique;
}

// On a form with n controls the tab indexes are 0 to n - 1, each used once.
constexpr bool hasTabIndexesInOrder(const FormDescription& form) {
    const std::size_t n = form.controls.size();
    for (std::size_t index = 0; index < n; ++index) {
        std::size_t holders = 0;
        for (const ControlDescription& control : form.controls)
            holders += control.tabIndex >= 0 && std::size_t(control.tabIndex) == index ? 1 : 0;
        if (holders != 1)
            return false;
    }
    return true;
}

// Every control has a positive size and lies wholly inside the client area.
constexpr bool controlsLieInsideClientArea(const FormDescription& form) {
    for (const ControlDescription& c : form.controls) {
        if (c.width <= 0 || c.height <= 0 || c.left < 0 || c.top < 0)
            return false;
        if (c.left + c.width > form.clientWidth || c.top + c.height > form.clientHeight)
            return false;
    }
    return true;
}

constexpr bool overlap(const ControlDescription& a, const ControlDescription& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

constexpr bool controlsDoNotOverlap(const FormDescription& form) {
    const auto controls = form.controls;
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            if (overlap(controls[i], controls[j]))
                return false;
    return true;
}

// A text box shows no caption; every other kind of control has one.
constexpr bool captionsMatchKinds(const FormDescription& form) {
    for (const ControlDescription& control : form.controls)
        if (control.caption.has_value() == (control.kind == ControlKind::TextBox))
            return false;
    return true;
}

// Each menu caption holds exactly one "&", never as its last character; no other
// caption of the form holds one.
constexpr bool accessKeyMarkersAreValid(const FormDescription& form) {
    bool valid = countMarkers(form.caption) == 0;
    for (const ControlDescription& control : form.controls)
        valid = valid && countMarkers(control.caption.value_or("")) == 0;
    forEachMenuItem(form.menuTree, [&](const MenuDescription& item, auto) {
        const std::size_t marker = item.caption.find('&');
        valid = valid && countMarkers(item.caption) == 1 && marker + 1 < item.caption.size();
    });
    return valid;
}

// Within the menu bar and within each sub-menu, no two items share an access key.
constexpr bool accessKeysAreDistinctPerMenu(const FormDescription& form) {
    bool distinct = true;
    forEachMenuItem(form.menuTree, [&](const MenuDescription& item, auto siblings) {
        for (const MenuDescription& other : siblings)
            if (&other != &item && accessKey(other.caption) == accessKey(item.caption))
                distinct = false;
    });
    return distinct;
}

constexpr bool isValidDescription(const FormDescription& form) {
    return hasUniqueNames(form) && hasTabIndexesInOrder(form) &&
           controlsLieInsideClientArea(form) && controlsDoNotOverlap(form) &&
           captionsMatchKinds(form) && accessKeyMarkersAreValid(form) &&
           accessKeysAreDistinctPerMenu(form);
}

// Asserts each rule on its own, so that a broken description names the rule it breaks.
#define CONTROLS_ASSERT_VALID_DESCRIPTION(form)                                                    \
    static_assert(::controls::hasUniqueNames(form), "names must be unique within a form");         \
    static_assert(::controls::hasTabIndexesInOrder(form), "tab indexes must be 0 to n - 1");       \
    static_assert(::controls::controlsLieInsideClientArea(form), "controls must lie inside");      \
    static_assert(::controls::controlsDoNotOverlap(form), "controls must not overlap");            \
    static_assert(::controls::captionsMatchKinds(form), "only a text box has no caption");         \
    static_assert(::controls::accessKeyMarkersAreValid(form), "one access-key marker per menu");   \
    static_assert(::controls::accessKeysAreDistinctPerMenu(form), "access keys must be distinct")

} // namespace controls
