#include "platform/FormWindow.h"

#include "platform/QtPlatform.h"
#include "platform/Text.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace controls {

namespace {

QWidget* createControl(const ControlDescription& control, QWidget* client) {
    const QString caption = toQString(control.caption.value_or(""));
    switch (control.kind) {
    case ControlKind::CommandButton: {
        auto* button = new QPushButton(caption, client);
        // Neither the default nor the cancel button: Enter and Escape press nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(caption, client);
    case ControlKind::OptionButton:
        // Option buttons that share a parent form one exclusive group.
        return new QRadioButton(caption, client);
    case ControlKind::TextBox:
        return new QLineEdit(client);
    case ControlKind::Label: {
        auto* label = new QLabel(caption, client);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    }
    return nullptr;
}

} // namespace

FormWindow::FormWindow(FormInstance& instance, FrameClose frameClose, QtPlatform& platform)
    : m_instance(instance), m_frameClose(frameClose), m_platform(platform) {
    const FormDescription& description = instance.formClass().description;
    setObjectName(toQString(description.name));
    setWindowTitle(toQString(description.caption));

    // Twips become pixels at the window's logical density, with Qt's own scaling.
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    auto* client = new QWidget(this);
    setCentralWidget(client);
    buildControls(client, dpiX, dpiY);
    // A form takes the focus itself when none of its controls can, as Form1 does.
    if (!focusWidget()) {
        client->setFocusPolicy(Qt::StrongFocus);
        client->setFocus();
    }
    if (!description.menuTree.empty()) {
        std::size_t nextIndex = 0;
        buildMenu(menuBar(), description.menuTree, nextIndex);
    }

    // The description gives the size of the client area; the menu bar lies above it.
    const int menuHeight = description.menuTree.empty() ? 0 : menuBar()->sizeHint().height();
    resize(twipsToPixels(description.clientWidth, dpiX),
           twipsToPixels(description.clientHeight, dpiY) + menuHeight);
}

void FormWindow::buildControls(QWidget* client, int dpiX, int dpiY) {
    const std::span<const ControlDescription> controls =
        m_instance.formClass().description.controls;

    // Controls are created in tab order, which makes Qt's focus chain follow it. No
    // two controls overlap, so the order in which they stack shows nowhere.
    QWidget* previous = nullptr;
    for (std::size_t tab = 0; tab < controls.size(); ++tab) {
        for (std::size_t index = 0; index < controls.size(); ++index) {
            const ControlDescription& control = controls[index];
            if (std::size_t(control.tabIndex) != tab)
                continue;
            QWidget* widget = createControl(control, client);
            widget->setObjectName(toQString(control.name));
            widget->setGeometry(twipsToPixels(control.left, dpiX), twipsToPixels(control.top, dpiY),
                                twipsToPixels(control.width, dpiX),
                                twipsToPixels(control.height, dpiY));
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                if (Handler handler = clickHandler(EventSource::Kind::Control, index))
                    connect(button, &QAbstractButton::clicked, this,
                            [this, handler] { dispatch(handler); });
            }
            // A label names the text box that follows it in tab order.
            if (auto* label = qobject_cast<QLabel*>(previous);
                label && qobject_cast<QLineEdit*>(widget))
                label->setBuddy(widget);
            if (!focusWidget() && (widget->focusPolicy() & Qt::TabFocus))
                widget->setFocus();
            previous = widget;
        }
    }
}

void FormWindow::buildMenu(QWidget* menu, std::span<const MenuDescription> items,
                           std::size_t& nextIndex) {
    for (const MenuDescription& item : items) {
        // Items are numbered in tree order, each before its sub-items, as bindings name them.
        const std::size_t index = nextIndex++;
        QAction* action = nullptr;
        if (item.subItems.empty()) {
            action = new QAction(toQString(item.caption), menu);
            if (Handler handler = clickHandler(EventSource::Kind::MenuItem, index))
                connect(action, &QAction::triggered, this, [this, handler] { dispatch(handler); });
        } else {
            auto* subMenu = new QMenu(toQString(item.caption), menu);
            subMenu->setObjectName(toQString(item.name));
            buildMenu(subMenu, item.subItems, nextIndex);
            action = subMenu->menuAction();
        }
        action->setObjectName(toQString(item.name));
        action->setEnabled(item.enabled);
        menu->addAction(action);
    }
}

Handler FormWindow::clickHandler(EventSource::Kind kind, std::size_t index) const {
    const EventSource source{kind, std::uint16_t(index), {}};
    return boundHandler(m_instance.formClass().bindings, source, Event::Click);
}

void FormWindow::dispatch(Handler handler) {
    m_platform.dispatchEvent(handler, m_instance);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // Closing through the frame hides the window and keeps everything in it; the
    // start form's window ends the run instead.
    event->accept();
    if (m_frameClose == FrameClose::EndsRun)
        QCoreApplication::quit();
}

} // namespace controls
