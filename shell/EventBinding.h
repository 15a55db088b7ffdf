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

// The control or the menu item that raises an event, by its place in its form's
// description: a control by its index in the control list, a menu item by its
// index in the tree's order, parents before their sub-items. Sources are plain
// numbers, so they compare the same at compile time in every build.
struct EventSource {
    enum class Kind : std::uint8_t { Control, MenuItem };

    Kind kind;
    std::uint16_t index;
    std::string_view form; // The form's name, so that a binding cannot stray to another form.

    friend constexpr bool operator==(const EventSource&, const EventSource&) = default;
};

struct EventBinding {
    EventSource source;
    Event event;
    Handler handler;
};

// The control of the given name; it does not compile when the form has none.
consteval EventSource controlNamed(const FormDescription& form, std::string_view name) {
    for (std::size_t index = 0; index < form.controls.size(); ++index)
        if (form.controls[index].name == name)
            return {EventSource::Kind::Control, std::uint16_t(index), form.name};
    throw "the form has no control of this name";
}

// Calls visit(item, index) for every item of the tree, in the order that numbers them.
template <class Visit>
constexpr void forEachNumberedMenuItem(std::span<const MenuDescription> menu, Visit&& visit) {
    std::size_t index = 0;
    forEachMenuItem(menu, [&](const MenuDescription& item, auto) { visit(item, index++); });
}

// The menu command of the given name; it does not compile when the form has no such
// item, or when the item opens a sub-menu and so is not a command.
consteval EventSource menuCommandNamed(const FormDescription& form, std::string_view name) {
    std::size_t found = 0;
    bool opensSubMenu = false;
    forEachNumberedMenuItem(form.menuTree, [&](const MenuDescription& item, std::size_t index) {
        if (item.name == name) {
            found = index + 1;
            opensSubMenu = !item.subItems.empty();
        }
    });
    if (found == 0)
        throw "the form has no menu item of this name";
    if (opensSubMenu)
        throw "an item with sub-items opens its sub-menu and takes no handler";
    return {EventSource::Kind::MenuItem, std::uint16_t(found - 1), form.name};
}

constexpr bool belongsTo(const FormDescription& form, const EventSource& source) {
    if (source.form != form.name)
        return false;
    if (source.kind == EventSource::Kind::Control)
        return source.index < form.controls.size();
    bool isCommand = false;
    forEachNumberedMenuItem(form.menuTree, [&](const MenuDescription& item, std::size_t index) {
        isCommand = isCommand || (index == source.index && item.subItems.empty());
    });
    return isCommand;
}

// Every binding names a control or a menu command of this form, and each event of a
// source has at most one handler.
constexpr bool bindingsFit(const FormDescription& form, std::span<const EventBinding> bindings) {
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (!belongsTo(form, bindings[i].source))
            return false;
        for (std::size_t j = i + 1; j < bindings.size(); ++j)
            if (bindings[i].source == bindings[j].source && bindings[i].event == bindings[j].event)
                return false;
    }
    return true;
}

// The handler bound to an event of a source, or none. The bindings are the form's
// own, checked when they compile, so the source's kind and place identify it and
// no name is compared at run time.
constexpr Handler boundHandler(std::span<const EventBinding> bindings, const EventSource& source,
                               Event event) {
    for (const EventBinding& binding : bindings)
        if (binding.source.kind == source.kind && binding.source.index == source.index &&
            binding.event == event)
            return binding.handler;
    return nullptr;
}

} // namespace controls
