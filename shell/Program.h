#pragma once

// The program's description: its four forms in registry order, the first of which
// starts the program, each with its description, bindings and interface identity.

#include "forms/Form1.h"
#include "forms/check.h"
#include "forms/foo.h"
#include "forms/quest.h"
#include "shell/Platform.h"

namespace controls {

// clang-format off
inline constexpr FormClass programForms[formCount] = {
    {FormId::Form1, form1Description, form1Bindings,
     {0xF25850F1, 0x4CC5, 0x4589, {0xB5, 0x5D, 0x1F, 0x57, 0xA6, 0x8F, 0xAA, 0xF5}}},
    {FormId::foo,   fooDescription,   fooBindings,
     {0xB7344A87, 0x6B27, 0x46EE, {0x9A, 0x6B, 0x8C, 0x0C, 0xEC, 0x31, 0x7A, 0x73}}},
    {FormId::check, checkDescription, checkBindings,
     {0xD2E9AC27, 0x3087, 0x49A4, {0x8C, 0xC5, 0xEE, 0x58, 0x5F, 0x50, 0xA9, 0x7E}}},
    {FormId::quest, questDescription, questBindings,
     {0x3552E2AD, 0xEE3B, 0x474C, {0xAD, 0xEF, 0x0B, 0x69, 0x15, 0x5C, 0xD3, 0x3C}}},
};
// clang-format on

constexpr bool formsStandInRegistryOrder() {
    for (std::size_t index = 0; index < formCount; ++index)
        if (indexOf(programForms[index].id) != index)
            return false;
    return true;
}
static_assert(formsStandInRegistryOrder());

constexpr bool interfaceIdsAreDistinct() {
    for (std::size_t i = 0; i < formCount; ++i)
        for (std::size_t j = i + 1; j < formCount; ++j)
            if (programForms[i].interfaceId == programForms[j].interfaceId)
                return false;
    return true;
}
static_assert(interfaceIdsAreDistinct());

inline constexpr ProgramDescription program{
    .forms = programForms,
    .threading = ThreadingModel::SingleThreaded,
    .threads = 1,
};

} // namespace controls
