#include "Baseline.h"

#include "platform/AccessKeyStyle.h"
#include "resources/IconPixels.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace baseline {

namespace {

// Every widget gets an object name, as Qt's form compiler writes it.
std::unique_ptr<QMainWindow> window(const char* name, const char* title) {
    auto window = std::make_unique<QMainWindow>();
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(QString::fromLatin1(title));
    window->setCentralWidget(new QWidget(window.get()));
    window->resize(312, 216);
    return window;
}

QPushButton* button(QMainWindow* window, const char* caption, QRect place) {
    auto* button = new QPushButton(QString::fromLatin1(caption), window->centralWidget());
    button->setObjectName(QStringLiteral("Command1"));
    button->setAutoDefault(false);
    button->setGeometry(place);
    QObject::connect(button, &QPushButton::clicked, window, &QWidget::hide);
    return button;
}

template <class Widget>
Widget* control(QMainWindow* window, const char* name, const char* caption, QRect place) {
    auto* widget = new Widget(QString::fromLatin1(caption), window->centralWidget());
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}

} // namespace

void prepareApplication() {
    QApplication::setStyle(new controls::AccessKeyStyle);
    QApplication::setQuitOnLastWindowClosed(false);
    QIcon icon;
    const QImage small(reinterpret_cast<const uchar*>(controls::icon::pixels16), 16, 16,
                       QImage::Format_ARGB32);
    const QImage large(reinterpret_cast<const uchar*>(controls::icon::pixels32), 32, 32,
                       QImage::Format_ARGB32);
    icon.addPixmap(QPixmap::fromImage(small));
    icon.addPixmap(QPixmap::fromImage(large));
    QApplication::setWindowIcon(icon);
}

std::unique_ptr<QMainWindow> makeFoo() {
    auto foo = window("foo", "foo");
    control<QRadioButton>(foo.get(), "Option1", "Sane", {96, 64, 137, 25})->setFocus();
    control<QRadioButton>(foo.get(), "Option2", "Insane", {96, 96, 145, 25});
    button(foo.get(), "OK", {216, 184, 89, 25});
    return foo;
}

std::unique_ptr<QMainWindow> makeCheck() {
    auto check = window("check", "Check this out");
    control<QCheckBox>(check.get(), "Check1", "Beer", {56, 48, 65, 25})->setFocus();
    control<QCheckBox>(check.get(), "Check2", "Crisps", {56, 80, 85, 25});
    button(check.get(), "Yum!", {208, 184, 97, 25});
    return check;
}

std::unique_ptr<QMainWindow> makeQuest() {
    auto quest = window("quest", "Form2");
    auto* name = control<QLabel>(quest.get(), "Label1", "What is your name?", {40, 24, 121, 25});
    auto* nameBox = new QLineEdit(quest->centralWidget());
    nameBox->setObjectName(QStringLiteral("Text1"));
    nameBox->setGeometry(40, 56, 201, 19);
    name->setBuddy(nameBox);
    nameBox->setFocus();
    auto* questLabel =
        control<QLabel>(quest.get(), "Label2", "What is your quest?", {40, 112, 193, 17});
    auto* questBox = new QLineEdit(quest->centralWidget());
    questBox->setObjectName(QStringLiteral("Text2"));
    questBox->setGeometry(40, 136, 209, 19);
    questLabel->setBuddy(questBox);
    button(quest.get(), "Onward!", {200, 184, 105, 25});
    return quest;
}

MainWindow::MainWindow() {
    setWindowTitle(QStringLiteral("Form1"));
    auto* client = new QWidget(this);
    client->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(client);
    client->setFocus();

    QMenu* choices = menuBar()->addMenu(QStringLiteral("&Choices"));
    options = choices->addAction(QStringLiteral("&Options"));
    checkBoxes = choices->addAction(QStringLiteral("&Check Boxes"));
    choices->addAction(QStringLiteral("&Menus"));
    QMenu* dialogueBoxes = menuBar()->addMenu(QStringLiteral("&Dialogue Boxes"));
    inputBoxes = dialogueBoxes->addAction(QStringLiteral("&Input Boxes"));
    QMenu* msgBoxes = dialogueBoxes->addMenu(QStringLiteral("&MsgBoxes"));
    msgBoxes->addAction(QStringLiteral("For &Outputs"));
    msgBoxes->addAction(QStringLiteral("For &Inputs"));
    QMenu* exit = menuBar()->addMenu(QStringLiteral("&Exit"));
    exit->addAction(QStringLiteral("&Yes"))->setEnabled(false);
    exit->menuAction()->setEnabled(false);

    auto showing = [](std::unique_ptr<QMainWindow>& slot, auto make) {
        return [&slot, make] {
            if (!slot)
                slot = make();
            slot->show();
            slot->raise();
            slot->activateWindow();
        };
    };
    connect(options, &QAction::triggered, this, showing(foo, makeFoo));
    connect(checkBoxes, &QAction::triggered, this, showing(check, makeCheck));
    connect(inputBoxes, &QAction::triggered, this, showing(quest, makeQuest));
    resize(312, 216 + menuBar()->sizeHint().height());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

} // namespace baseline
