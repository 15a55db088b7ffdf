#pragma once

#include "shell/Platform.h"

#include <exception>
#include <string>

namespace controls {

// The error raised when a form method reports failure. It carries the status, the
// instance that was called, the identity of its form's interface and the method.
class RuntimeError : public std::exception {
public:
    RuntimeError(Status status, const FormInstance& instance, const Guid& interfaceId,
                 Method method);

    Status status() const { return m_status; }
    const FormInstance& instance() const { return *m_instance; }
    const Guid& interfaceId() const { return m_interfaceId; }
    Method method() const { return m_method; }

    // One line naming all four items, for the user and for standard error.
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    Status m_status;
    const FormInstance* m_instance;
    Guid m_interfaceId;
    Method m_method;
    std::string m_message;
};

} // namespace controls
