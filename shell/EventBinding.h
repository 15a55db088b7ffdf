#pragma once

// Event bindings: which handler an event of a control or menu item runs. A binding
// names its source at compile time; the lookup below fails to compile when the
// name is missing from the form's description, so nothing is looked up at run time.

#include "descriptions/Invariants.h"

#include <cstdint>

namespace controls {

class FormRegistry;
class FormInstance;

enum class Event : std::uint8_t { Click };

// A handler gets the registry through which it reaches forms, and the instance on
// which the event fired.
using Handler = void (*)(FormRegistry& forms, FormInstance& raisedOn);

// The control or the menu item that raises an event: exactly one of the two is set.
struct EventSource {
    const ControlDescription* control = nullptr;
    const MenuDescription* menuItem = nullptr;

    friend constexpr bool operator==(const EventSource&, const EventSource&) = default;
};

struct EventBinding {
    EventSource source;
    Event event;
    Handler handler;
};

// The control of the given name; it does not compile when the form has none.
consteval EventSource controlNamed(const FormDescription& form, std::string_view name) {
    for (const ControlDescription& control : form.controls)
        if (control.name == name)
            return {.control = &control};
    throw "the form has no control of this name";
}

constexpr const MenuDescription* findMenuItem(std::span<const MenuDescription> menu,
                                              std::string_view name) {
    for (const MenuDescription& item : menu) {
        if (item.name == name)
            return &item;
        if (const MenuDescription* found = findMenuItem(item.subItems, name))
            return found;
    }
    return nullptr;
}

// The menu command of the given name; it does not compile when the form has no such
// item, or when the item opens a sub-menu and so is not a command.
consteval EventSource menuCommandNamed(const FormDescription& form, std::string_view name) {
    const MenuDescription* item = findMenuItem(form.menuTree, name);
    if (item == nullptr)
        throw "the form has no menu item of this name";
    if (!item->subItems.empty())
        throw "an item with sub-items opens its sub-menu and takes no handler";
    return {.menuItem = item};
}

constexpr bool belongsTo(const FormDescription& form, const EventSource& source) {
    if (source.control != nullptr) {
        for (const ControlDescription& control : form.controls)
            if (&control == source.control)
                return source.menuItem == nullptr;
        return false;
    }
    bool found = false;
    forEachMenuItem(form.menuTree, [&](const MenuDescription& item, auto) {
        found = found || (&item == source.menuItem && item.subItems.empty());
    });
    return found;
}

// Every binding names a control or a menu command of this form, each event of a
// source has at most one handler, and every binding has a handler.
constexpr bool bindingsFit(const FormDescription& form, std::span<const EventBinding> bindings) {
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (!belongsTo(form, bindings[i].source) || bindings[i].handler == nullptr)
            return false;
        for (std::size_t j = i + 1; j < bindings.size(); ++j)
            if (bindings[i].source == bindings[j].source && bindings[i].event == bindings[j].event)
                return false;
    }
    return true;
}

// The handler bound to an event of a source, or none.
constexpr Handler boundHandler(std::span<const EventBinding> bindings, const EventSource& source,
                               Event event) {
    for (const EventBinding& binding : bindings)
        if (binding.source == source && binding.event == event)
            return binding.handler;
    return nullptr;
}

} // namespace controls
