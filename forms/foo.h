#pragma once

#include "descriptions/foo.h"
#include "shell/EventBinding.h"

namespace controls {

void fooCommand1Click(FormRegistry& forms, FormInstance& raisedOn);

inline constexpr EventBinding fooBindings[] = {
    {controlNamed(fooDescription, "Command1"), Event::Click, &fooCommand1Click},
};
static_assert(bindingsFit(fooDescription, fooBindings));

} // namespace controls
