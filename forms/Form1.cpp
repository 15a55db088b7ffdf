#include "forms/Form1.h"

#include "shell/FormRegistry.h"

namespace controls {

void form1OptionsClick(FormRegistry& forms, FormInstance&) {
    forms.show(FormId::foo);
}

void form1CheckBoxesClick(FormRegistry& forms, FormInstance&) {
    forms.show(FormId::check);
}

void form1InputBoxesClick(FormRegistry& forms, FormInstance&) {
    forms.show(FormId::quest);
}

} // namespace controls
