#pragma once

// What the program calls on the forms platform, the layer that builds windows from
// descriptions, runs the event loop and dispatches events to handlers.

#include "shell/EventBinding.h"
#include "shell/FormId.h"
#include "shell/Guid.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace controls {

// The result of a form method: negative is a failure, zero and positive succeed.
using Status = std::int32_t;

enum class Method : std::uint8_t { Show, Hide };

std::string_view nameOf(Method method);

enum class Modality : std::uint8_t { Modeless, Modal };

// An optional argument that a caller may leave out; `omitted` is the marker for it.
template <class T> using Optional = std::optional<T>;
inline constexpr std::nullopt_t omitted = std::nullopt;

// A form of the program: its description, its event bindings and the identity of
// its interface. A form's class and its registry entry are the same record.
struct FormClass {
    FormId id;
    const FormDescription& description;
    std::span<const EventBinding> bindings;
    Guid interfaceId;

    constexpr std::string_view name() const { return description.name; }
};

enum class ThreadingModel : std::uint8_t { SingleThreaded };

// All the program hands the platform at start: its forms, in registry order, the
// first of which starts the program, and its threading model.
struct ProgramDescription {
    std::span<const FormClass, formCount> forms;
    ThreadingModel threading;
    std::uint8_t threads;
};

// An instance of a form. The platform defines what it holds.
class FormInstance {
public:
    explicit FormInstance(const FormClass& formClass) : m_class(formClass) {}
    FormInstance(const FormInstance&) = delete;
    FormInstance& operator=(const FormInstance&) = delete;
    virtual ~FormInstance() = default;

    const FormClass& formClass() const { return m_class; }

private:
    const FormClass& m_class;
};

class FormsPlatform {
public:
    virtual ~FormsPlatform() = default;

    // Stores a new instance of the form in its empty slot, or raises an error.
    virtual void createInstance(const FormClass& formClass,
                                std::unique_ptr<FormInstance>& slot) = 0;

    // Makes the instance visible and returns at once. Only the omitted arguments,
    // modeless and without an owner, are supported; any other value fails.
    virtual Status show(FormInstance& instance, Optional<Modality> modal,
                        Optional<const FormInstance*> owner) = 0;

    // Makes the instance invisible; it keeps its window and its controls' state.
    virtual Status hide(FormInstance& instance) = 0;

    // Raises the run-time error for a method that returned a failing status.
    [[noreturn]] void failureCheck(Status status, FormInstance& instance, const Guid& interfaceId,
                                   Method method);

    // Runs a bound handler. An error that leaves the handler is reported here, so
    // that nothing thrown ever reaches the event loop.
    void dispatch(Handler handler, FormRegistry& forms, FormInstance& raisedOn) noexcept;

protected:
    // Shows the user one report of an error that left a handler.
    virtual void reportError(std::string_view message) noexcept = 0;
};

// The start entry of the platform that the program is linked with. It shows the
// first form of the program and runs the event loop until the run ends.
[[noreturn]] void startProgram(const ProgramDescription& program);

} // namespace controls
