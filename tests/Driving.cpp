#include "Driving.h"

#include "platform/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace controls {

QMainWindow* showStartForm(QtPlatform& platform) {
    platform.registry().show(FormId::Form1);
    auto* form1 = qobject_cast<QMainWindow*>(platform.window(FormId::Form1));
    return form1 && QTest::qWaitForWindowActive(form1) ? form1 : nullptr;
}

QString text(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), qsizetype(latin1.size()));
}

const FormDescription& descriptionOf(FormId form) {
    return program.forms[indexOf(form)].description;
}

QString stateOf(const QWidget* window) {
    QStringList state;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<const QAbstractButton*>(widget);
            button && button->isCheckable())
            state << button->objectName() + (button->isChecked() ? " set" : " clear");
        else if (auto* box = qobject_cast<const QLineEdit*>(widget))
            state << box->objectName() + " \"" + box->text() + "\"";
    }
    state.sort();
    return state.join(", ");
}

QWidget* control(const QWidget* window, std::string_view name) {
    auto* widget = window->findChild<QWidget*>(text(name));
    if (!widget)
        qFatal("no control %.*s on %s", int(name.size()), name.data(),
               qPrintable(window->objectName()));
    return widget;
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
}

void commitText(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

QString chooseByKeys(QMainWindow* form1, std::initializer_list<std::string_view> path) {
    form1->activateWindow();
    if (!QTest::qWaitForWindowActive(form1))
        return "Form1 did not become active";
    bool first = true;
    for (std::string_view name : path) {
        char accessKeyOfItem = '\0';
        forEachMenuItem(form1Description.menuTree, [&](const MenuDescription& item, auto) {
            if (item.name == name)
                accessKeyOfItem = accessKey(item.caption);
        });
        if (!accessKeyOfItem)
            return "Form1 has no menu item " + text(name);
        const auto key = Qt::Key(QChar(accessKeyOfItem).toUpper().unicode());
        if (first)
            QTest::keyClick(form1->windowHandle(), key, Qt::AltModifier);
        else if (QWidget* popup = QApplication::activePopupWidget())
            QTest::keyClick(popup, key);
        else
            return "no menu is open to take the key of " + text(name);
        first = false;
    }
    return {};
}

QString chooseByMouse(QMainWindow* form1, std::initializer_list<std::string_view> path) {
    QMenuBar* bar = form1->menuBar();
    QWidget* menu = bar;
    for (std::string_view name : path) {
        if (!menu)
            return "no menu is open to show " + text(name);
        const QList<QAction*> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(),
                                        [&](QAction* a) { return a->objectName() == text(name); });
        if (found == actions.end())
            return "the open menu has no item " + text(name);
        if (menu == bar) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(*found).center());
        } else {
            auto* popup = static_cast<QMenu*>(menu);
            QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {},
                              popup->actionGeometry(*found).center());
        }
        menu = QApplication::activePopupWidget();
    }
    return {};
}

namespace {

QtMessageHandler testHandler = nullptr;

void dropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith("This plugin does not support"))
        testHandler(type, context, message);
}

} // namespace

void quietPlatformNotes() {
    testHandler = qInstallMessageHandler(dropPlatformNotes);
}

void closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace controls
