#pragma once

#include "descriptions/quest.h"
#include "shell/EventBinding.h"

namespace controls {

void questCommand1Click(FormRegistry& forms, FormInstance& raisedOn);

inline constexpr EventBinding questBindings[] = {
    {controlNamed(questDescription, "Command1"), Event::Click, &questCommand1Click},
};
static_assert(bindingsFit(questDescription, questBindings));

} // namespace controls
