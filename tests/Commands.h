#pragma once

// The program's six bound handlers, taken from the forms' binding tables.

#include "shell/Program.h"

#include <QString>
#include <QTest>

#include <climits>

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

// Statuses that a method may return, with how a report writes them.
struct StatusRow {
    Status status;
    const char* number;
};
inline constexpr StatusRow statusRows[] = {
    {0, "0 (0x00000000)"},
    {1, "1 (0x00000001)"},
    {INT_MAX, "2147483647 (0x7FFFFFFF)"},
    {-1, "-1 (0xFFFFFFFF)"},
    {INT_MIN, "-2147483648 (0x80000000)"},
    {static_cast<Status>(0x80004005), "-2147467259 (0x80004005)"},
};

enum class Statuses : std::uint8_t { All, FailingOnly };

// One data row per command and status, in the columns command, status and number.
inline void addCommandStatusRows(Statuses statuses) {
    QTest::addColumn<Command>("command");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("number");
    for (const Command& command : commands)
        for (const auto& [status, number] : statusRows)
            if (statuses == Statuses::All || status < 0)
                QTest::addRow("%s, status %s", command.name, number)
                    << command << status << QString::fromLatin1(number);
}

} // namespace controls

Q_DECLARE_METATYPE(controls::Command)
