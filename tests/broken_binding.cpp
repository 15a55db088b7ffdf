// Bindings that must not compile. The build of each case is expected to fail; case 0
// is the sound binding that shows the file compiles otherwise.

#include "shell/Program.h"

namespace controls {

void handler(FormRegistry&, FormInstance&) {}

#if BROKEN_CASE == 0
constexpr EventBinding binding{controlNamed(fooDescription, "Command1"), Event::Click, &handler};
#elif BROKEN_CASE == 1
// No control of this name on foo.
constexpr EventBinding binding{controlNamed(fooDescription, "Command2"), Event::Click, &handler};
#elif BROKEN_CASE == 2
// No menu item of this name on Form1.
constexpr EventBinding binding{menuCommandNamed(form1Description, "Quit"), Event::Click, &handler};
#elif BROKEN_CASE == 3
// MsgBoxes opens a sub-menu; it is not a command.
constexpr EventBinding binding{menuCommandNamed(form1Description, "MsgBoxes"), Event::Click,
                               &handler};
#elif BROKEN_CASE == 4
// Bound on the wrong form's table.
constexpr EventBinding bindings[] = {
    {controlNamed(fooDescription, "Command1"), Event::Click, &handler}};
static_assert(bindingsFit(checkDescription, bindings));
#endif

} // namespace controls
