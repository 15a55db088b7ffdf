#pragma once

#include "shell/Platform.h"

#include <array>
#include <memory>

namespace controls {

// The program's forms in their fixed order, each with the slot of its one default
// instance. A slot is filled at the first request for its form and never emptied.
class FormRegistry {
public:
    FormRegistry(FormsPlatform& platform, std::span<const FormClass, formCount> forms);

    // The form's default instance, created by the platform at the first request.
    FormInstance& ensureInstance(FormId form);

    // Shows the form's default instance, modeless and without an owner form.
    void show(FormId form);

    // Hides the form's default instance; it keeps its state for the next show.
    void hide(FormId form);

    // The instance in the form's slot, or null while the slot is empty.
    FormInstance* instance(FormId form) const { return m_slots[indexOf(form)].get(); }

    const FormClass& formClass(FormId form) const { return m_forms[indexOf(form)]; }

private:
    FormsPlatform& m_platform;
    std::span<const FormClass, formCount> m_forms;
    std::array<std::unique_ptr<FormInstance>, formCount> m_slots;
};

} // namespace controls
