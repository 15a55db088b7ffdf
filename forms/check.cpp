#include "forms/check.h"

#include "shell/FormRegistry.h"

namespace controls {

// The push button hides the form's default instance, which is the one it sits on.
void checkCommand1Click(FormRegistry& forms, FormInstance&) {
    forms.hide(FormId::check);
}

} // namespace controls
