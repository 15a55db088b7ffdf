#pragma once

// Driving the live windows as a person does, and reading back what they show.

#include "shell/Program.h"

#include <QString>
#include <initializer_list>
#include <string_view>

class QMainWindow;
class QWidget;

namespace controls {

class QtPlatform;

// Shows the start form as the program's start does, and returns its window once it
// is active, or null.
QMainWindow* showStartForm(QtPlatform& platform);

QString text(std::string_view latin1);

const FormDescription& descriptionOf(FormId form);

// What the user can change in a window, in name order: "Check1 set, Check2 clear",
// "Text1 \"typed\"".
QString stateOf(const QWidget* window);

// The control of this name on a window; it stops the test when there is none.
QWidget* control(const QWidget* window, std::string_view name);

// A click where the user aims: on the indicator of an option or a box, inside a button.
void click(QWidget* widget);

// Text as an input method delivers it, which is how most non-Latin text arrives.
void commitText(QWidget* widget, const QString& text);

// Chooses a menu item of Form1 through its access keys: Alt with the title's key,
// then the key of each item below it. Returns what went wrong, or nothing.
QString chooseByKeys(QMainWindow* form1, std::initializer_list<std::string_view> path);

// Chooses a menu item of Form1 with the mouse: the title, then each item.
QString chooseByMouse(QMainWindow* form1, std::initializer_list<std::string_view> path);

void closeMenus();

// Drops what the offscreen platform says on every show: that it cannot raise a
// window or pass on size hints.
void quietPlatformNotes();

} // namespace controls
