#include "shell/Platform.h"

#include "shell/RuntimeError.h"

#include <string>

namespace controls {

std::string_view nameOf(Method method) {
    switch (method) {
    case Method::Show:
        return "Show";
    case Method::Hide:
        return "Hide";
    }
    return "?";
}

void FormsPlatform::failureCheck(Status status, FormInstance& instance, const Guid& interfaceId,
                                 Method method) {
    throw RuntimeError(status, instance, interfaceId, method);
}

void FormsPlatform::dispatch(Handler handler, FormRegistry& forms,
                             FormInstance& raisedOn) noexcept {
    try {
        handler(forms, raisedOn);
    } catch (const std::exception& error) {
        reportError(error.what());
    } catch (...) {
        reportError("An unknown error left an event handler.");
    }
}

} // namespace controls
