#include "shell/RuntimeError.h"

#include <cstdio>

namespace controls {

namespace {

std::string describe(Status status, const FormInstance& instance, const Guid& interfaceId,
                     Method method) {
    char number[48];
    std::snprintf(number, sizeof number, "%ld (0x%08lX)", long(status),
                  static_cast<unsigned long>(static_cast<std::uint32_t>(status)));
    std::string message;
    message.append(nameOf(method))
        .append(" of form ")
        .append(instance.formClass().name())
        .append(" failed with status ")
        .append(number)
        .append("; interface ")
        .append(toString(interfaceId))
        .append(".");
    return message;
}

} // namespace

RuntimeError::RuntimeError(Status status, const FormInstance& instance, const Guid& interfaceId,
                           Method method)
    : m_status(status), m_instance(&instance), m_interfaceId(interfaceId), m_method(method),
      m_message(describe(status, instance, interfaceId, method)) {}

} // namespace controls
