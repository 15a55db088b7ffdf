#pragma once

// The program's six bound handlers, taken from the forms' binding tables.

#include "shell/Program.h"

namespace controls {

struct Command {
    const char* name;
    FormId raisedOn;
    Handler handler;
    FormId target;
    Method method;
};

// clang-format off
inline const Command commands[] = {
    {"Options on Form1",    FormId::Form1, boundHandler(form1Bindings, menuCommandNamed(form1Description, "Options"),    Event::Click), FormId::foo,   Method::Show},
    {"CheckBoxes on Form1", FormId::Form1, boundHandler(form1Bindings, menuCommandNamed(form1Description, "CheckBoxes"), Event::Click), FormId::check, Method::Show},
    {"InputBoxes on Form1", FormId::Form1, boundHandler(form1Bindings, menuCommandNamed(form1Description, "InputBoxes"), Event::Click), FormId::quest, Method::Show},
    {"Command1 on foo",     FormId::foo,   boundHandler(fooBindings,   controlNamed(fooDescription,   "Command1"),       Event::Click), FormId::foo,   Method::Hide},
    {"Command1 on check",   FormId::check, boundHandler(checkBindings, controlNamed(checkDescription, "Command1"),       Event::Click), FormId::check, Method::Hide},
    {"Command1 on quest",   FormId::quest, boundHandler(questBindings, controlNamed(questDescription, "Command1"),       Event::Click), FormId::quest, Method::Hide},
};
// clang-format on

inline constexpr FormId allForms[] = {FormId::Form1, FormId::foo, FormId::check, FormId::quest};

} // namespace controls
