#pragma once

#include "descriptions/Form1.h"
#include "shell/EventBinding.h"

namespace controls {

void form1OptionsClick(FormRegistry& forms, FormInstance& raisedOn);
void form1CheckBoxesClick(FormRegistry& forms, FormInstance& raisedOn);
void form1InputBoxesClick(FormRegistry& forms, FormInstance& raisedOn);

// clang-format off
inline constexpr EventBinding form1Bindings[] = {
    {menuCommandNamed(form1Description, "Options"),    Event::Click, &form1OptionsClick},
    {menuCommandNamed(form1Description, "CheckBoxes"), Event::Click, &form1CheckBoxesClick},
    {menuCommandNamed(form1Description, "InputBoxes"), Event::Click, &form1InputBoxesClick},
};
// clang-format on
static_assert(bindingsFit(form1Description, form1Bindings));

} // namespace controls
