#include "shell/FormRegistry.h"

#include <stdexcept>
#include <string>

namespace controls {

FormRegistry::FormRegistry(FormsPlatform& platform, std::span<const FormClass, formCount> forms)
    : m_platform(platform), m_forms(forms) {}

FormInstance& FormRegistry::ensureInstance(FormId form) {
    std::unique_ptr<FormInstance>& slot = m_slots[indexOf(form)];
    if (!slot) {
        m_platform.createInstance(formClass(form), slot);
        if (!slot)
            throw std::runtime_error("The forms platform created no instance of form " +
                                     std::string(formClass(form).name()) + ".");
    }
    return *slot;
}

void FormRegistry::show(FormId form) {
    FormInstance& instance = ensureInstance(form);
    const Status status = m_platform.show(instance, omitted, omitted);
    if (status < 0)
        m_platform.failureCheck(status, instance, formClass(form).interfaceId, Method::Show);
}

void FormRegistry::hide(FormId form) {
    FormInstance& instance = ensureInstance(form);
    const Status status = m_platform.hide(instance);
    if (status < 0)
        m_platform.failureCheck(status, instance, formClass(form).interfaceId, Method::Hide);
}

} // namespace controls
