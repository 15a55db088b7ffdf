#pragma once

#include "descriptions/check.h"
#include "shell/EventBinding.h"

namespace controls {

void checkCommand1Click(FormRegistry& forms, FormInstance& raisedOn);

inline constexpr EventBinding checkBindings[] = {
    {controlNamed(checkDescription, "Command1"), Event::Click, &checkCommand1Click},
};
static_assert(bindingsFit(checkDescription, checkBindings));

} // namespace controls
