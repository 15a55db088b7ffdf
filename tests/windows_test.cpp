// The live windows on Qt's offscreen platform, driven by keys and mouse clicks.

#include "Commands.h"
#include "Driving.h"
#include "platform/QtPlatform.h"
#include "shell/Program.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

using namespace controls;

namespace {

// One line per menu item, indented by depth: what the user sees of it.
void describeMenu(std::span<const MenuDescription> items, int depth, QStringList& lines) {
    for (const MenuDescription& item : items) {
        const QString key = QStringLiteral("Alt+") + QChar(accessKey(item.caption)).toUpper();
        lines << QString(depth * 2, ' ') + text(item.name) + " \"" + text(item.caption) + "\" " +
                     (item.enabled ? "enabled" : "disabled") + " " + key;
        describeMenu(item.subItems, depth + 1, lines);
    }
}

void describeMenu(const QWidget* menu, int depth, QStringList& lines) {
    for (const QAction* action : menu->actions()) {
        QString flags;
        if (action->isSeparator() || action->isCheckable() || !action->shortcut().isEmpty() ||
            !action->isVisible())
            flags = " unexpected separator, check mark, shortcut or hidden item";
        lines << QString(depth * 2, ' ') + action->objectName() + " \"" + action->text() + "\" " +
                     (action->isEnabled() ? "enabled" : "disabled") + " " +
                     QKeySequence::mnemonic(action->text()).toString() + flags;
        if (action->menu())
            describeMenu(action->menu(), depth + 1, lines);
    }
}

const char* qtClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::CommandButton:
        return "QPushButton";
    case ControlKind::CheckBox:
        return "QCheckBox";
    case ControlKind::OptionButton:
        return "QRadioButton";
    case ControlKind::TextBox:
        return "QLineEdit";
    case ControlKind::Label:
        return "QLabel";
    }
    return "";
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QtPlatform> m_platform;
    QMainWindow* m_form1 = nullptr;

    QWidget* window(FormId form) const { return m_platform->window(form); }

    void chooseByKeys(std::initializer_list<std::string_view> path) {
        const QString problem = controls::chooseByKeys(m_form1, path);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void chooseByMouse(std::initializer_list<std::string_view> path) {
        const QString problem = controls::chooseByMouse(m_form1, path);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The names of the controls that the focus visits, Tab by Tab, from the first focus.
    QStringList focusOrder(QWidget* window, int presses) {
        QStringList order;
        for (int press = 0; press < presses; ++press) {
            QWidget* focus = window->focusWidget();
            order << (focus ? focus->objectName() : QStringLiteral("(none)"));
            QTest::keyClick(focus ? focus : window, Qt::Key_Tab);
        }
        return order;
    }

private slots:
    void initTestCase() { quietPlatformNotes(); }

    void init() {
        m_platform = std::make_unique<QtPlatform>(program);
        m_form1 = showStartForm(*m_platform);
        QVERIFY(m_form1);
        QCOMPARE(m_form1->logicalDpiX(), 96);
        QCOMPARE(m_form1->logicalDpiY(), 96);
    }

    void cleanup() {
        closeMenus();
        m_platform.reset();
    }

    void menuBarMatchesItsDescription() {
        QStringList expected, actual;
        describeMenu(form1Description.menuTree, 0, expected);
        describeMenu(m_form1->menuBar(), 0, actual);
        QCOMPARE(actual.join('\n'), expected.join('\n'));
        // Access keys are underlined whether or not Alt is held.
        QVERIFY(m_form1->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, m_form1));
    }

    void windowMatchesItsDescription_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QStringList>("expectedFocusOrder");
        QTest::newRow("Form1") << FormId::Form1 << QStringList{"", ""};
        // An option group is one Tab stop.
        QTest::newRow("foo") << FormId::foo << QStringList{"Option1", "Command1", "Option1"};
        QTest::newRow("check") << FormId::check
                               << QStringList{"Check1", "Check2", "Command1", "Check1"};
        QTest::newRow("quest") << FormId::quest
                               << QStringList{"Text1", "Text2", "Command1", "Text1"};
    }
    void windowMatchesItsDescription() {
        QFETCH(FormId, form);
        QFETCH(QStringList, expectedFocusOrder);
        const FormDescription& description = descriptionOf(form);
        m_platform->registry().show(form);
        auto* shown = qobject_cast<QMainWindow*>(window(form));
        QVERIFY(QTest::qWaitForWindowActive(shown));

        QCOMPARE(shown->windowTitle(), text(description.caption));
        QCOMPARE(shown->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        QVERIFY(!shown->windowIcon().pixmap(32).isNull());
        QCOMPARE(shown->centralWidget()->size(),
                 QSize(description.clientWidth / 15, description.clientHeight / 15));
        // The menu bar lies above the client area, so only Form1's window is taller.
        const int menuHeight = form == FormId::Form1 ? shown->menuBar()->height() : 0;
        QCOMPARE(shown->height(), description.clientHeight / 15 + menuHeight);
        QCOMPARE(shown->menuWidget() != nullptr, !description.menuTree.empty());

        QStringList expected, actual;
        for (const ControlDescription& c : description.controls)
            expected << QString("%1 %2 \"%3\" %4,%5 %6x%7")
                            .arg(text(c.name), qtClassOf(c.kind), text(c.caption.value_or("")))
                            .arg(c.left / 15)
                            .arg(c.top / 15)
                            .arg(c.width / 15)
                            .arg(c.height / 15);
        for (const ControlDescription& c : description.controls) {
            QWidget* widget = control(shown, c.name.data());
            QString caption;
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                caption = button->text();
            else if (auto* label = qobject_cast<QLabel*>(widget))
                caption = label->text();
            const QRect g = widget->geometry();
            actual << QString("%1 %2 \"%3\" %4,%5 %6x%7")
                          .arg(widget->objectName(), widget->metaObject()->className(), caption)
                          .arg(g.x())
                          .arg(g.y())
                          .arg(g.width())
                          .arg(g.height());
            QCOMPARE(widget->parentWidget(), shown->centralWidget());
        }
        QCOMPARE(actual, expected);

        // A new window: boxes unchecked, no option selected, texts empty, push buttons plain.
        QVERIFY(!stateOf(shown).contains(" set"));
        for (const QLineEdit* box : shown->findChildren<QLineEdit*>())
            QVERIFY(box->text().isEmpty());
        for (const QPushButton* button : shown->findChildren<QPushButton*>())
            QVERIFY(!button->isDefault() && !button->autoDefault());

        QCOMPARE(focusOrder(shown, int(expectedFocusOrder.size())), expectedFocusOrder);
    }

    void commandShowsItsWindow_data() {
        QTest::addColumn<FormId>("target");
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QStringList>("path");
        const std::tuple<const char*, FormId, QStringList> targets[] = {
            {"Options", FormId::foo, {"Choices", "Options"}},
            {"Check Boxes", FormId::check, {"Choices", "CheckBoxes"}},
            {"Input Boxes", FormId::quest, {"DialogueBoxes", "InputBoxes"}},
        };
        for (const auto& [name, target, path] : targets) {
            QTest::addRow("%s by keys", name) << target << true << path;
            QTest::addRow("%s by mouse", name) << target << false << path;
        }
    }
    void commandShowsItsWindow() {
        QFETCH(FormId, target);
        QFETCH(bool, byKeys);
        QFETCH(QStringList, path);
        const std::string title = path[0].toStdString(), item = path[1].toStdString();

        for (int time = 0; time < 2; ++time) {
            byKeys ? chooseByKeys({title, item}) : chooseByMouse({title, item});
            QCOMPARE(QApplication::activePopupWidget(), nullptr);
            QVERIFY(window(target));
            QVERIFY(QTest::qWaitForWindowActive(window(target)));
            QVERIFY(m_form1->isVisible());
        }
        for (FormId other : {FormId::foo, FormId::check, FormId::quest})
            QCOMPARE(window(other) != nullptr, other == target);
        // Choosing it again while shown opened no second window.
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<QMainWindow*>(w) != nullptr; }),
                 2);
    }

    void itemsWithoutHandlersChangeNothing_data() {
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QStringList>("path");
        const QStringList paths[] = {{"Choices", "Menus"},
                                     {"DialogueBoxes", "MsgBoxes", "ForOutputs"},
                                     {"DialogueBoxes", "MsgBoxes", "ForInputs"}};
        for (const QStringList& path : paths) {
            QTest::addRow("%s by keys", qPrintable(path.last())) << true << path;
            QTest::addRow("%s by mouse", qPrintable(path.last())) << false << path;
        }
    }
    void itemsWithoutHandlersChangeNothing() {
        QFETCH(bool, byKeys);
        QFETCH(QStringList, path);
        m_platform->registry().show(FormId::check);
        click(control(window(FormId::check), "Check2"));
        const QString before = stateOf(window(FormId::check));

        std::vector<std::string> names;
        for (const QString& name : path)
            names.push_back(name.toStdString());
        if (names.size() == 2)
            byKeys ? chooseByKeys({names[0], names[1]}) : chooseByMouse({names[0], names[1]});
        else
            byKeys ? chooseByKeys({names[0], names[1], names[2]})
                   : chooseByMouse({names[0], names[1], names[2]});

        // The menu closed and nothing else happened.
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(window(FormId::foo), nullptr);
        QCOMPARE(window(FormId::quest), nullptr);
        QVERIFY(window(FormId::check)->isVisible());
        QCOMPARE(stateOf(window(FormId::check)), before);
    }

    void subMenusOpenWithoutRunningHandlers() {
        chooseByKeys({"DialogueBoxes", "MsgBoxes"});
        auto* msgBoxes = m_form1->findChild<QMenu*>("MsgBoxes");
        QVERIFY(msgBoxes && msgBoxes->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), msgBoxes);
        for (FormId form : {FormId::foo, FormId::check, FormId::quest})
            QCOMPARE(window(form), nullptr);
    }

    void exitOpensNothing() {
        QTest::keyClick(m_form1, Qt::Key_E, Qt::AltModifier);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);

        QMenuBar* bar = m_form1->menuBar();
        QAction* exit = bar->actions().last();
        QCOMPARE(exit->objectName(), "Exit");
        QVERIFY(!exit->isEnabled());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(exit).center());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QVERIFY(!exit->menu()->isVisible());
        for (FormId form : {FormId::foo, FormId::check, FormId::quest})
            QCOMPARE(window(form), nullptr);
    }

    void stateSurvivesHidingAndShowing_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<bool>("byFrame");
        for (FormId form : {FormId::foo, FormId::check, FormId::quest}) {
            const QByteArray name = text(descriptionOf(form).name).toLatin1();
            QTest::addRow("%s, hidden by its push button", name.data()) << form << false;
            QTest::addRow("%s, closed through its frame", name.data()) << form << true;
        }
    }
    void stateSurvivesHidingAndShowing() {
        QFETCH(FormId, form);
        QFETCH(bool, byFrame);
        const Command& command =
            *std::find_if(std::begin(commands), std::end(commands),
                          [&](auto& c) { return c.target == form && c.method == Method::Show; });
        m_platform->dispatchEvent(command.handler, *m_platform->registry().instance(FormId::Form1));
        QWidget* shown = window(form);
        QVERIFY(QTest::qWaitForWindowActive(shown));

        // The user leaves something in every kind of control.
        if (form == FormId::foo) {
            click(control(shown, "Option2"));
        } else if (form == FormId::check) {
            click(control(shown, "Check1"));
        } else {
            QTest::keyClicks(control(shown, "Text1"),
                             QString::fromUtf8("Arthur, King of the Britons"));
            QTest::keyClicks(control(shown, "Text2"), "To seek the Holy Grail ");
            commitText(control(shown, "Text2"), QString::fromUtf8("✠ é 聖杯"));
        }
        const QString state = stateOf(shown);
        QVERIFY(state.contains(" set") || state.contains("Arthur"));

        if (byFrame)
            QVERIFY(shown->close());
        else
            click(control(shown, "Command1"));
        QVERIFY(!shown->isVisible());
        QVERIFY(m_form1->isVisible());

        m_platform->dispatchEvent(command.handler, *m_platform->registry().instance(FormId::Form1));
        QCOMPARE(window(form), shown);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QCOMPARE(stateOf(shown), state);
    }

    void enterAndEscapePressNothing_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QString>("focus");
        const std::pair<FormId, const char*> controls[] = {
            {FormId::foo, "Option1"},  {FormId::foo, "Option2"},    {FormId::foo, "Command1"},
            {FormId::check, "Check1"}, {FormId::check, "Command1"}, {FormId::quest, "Text1"},
            {FormId::quest, "Text2"},  {FormId::quest, "Command1"},
        };
        for (const auto& [form, name] : controls)
            QTest::addRow("%s on %s", name, descriptionOf(form).name.data()) << form << name;
    }
    void enterAndEscapePressNothing() {
        QFETCH(FormId, form);
        QFETCH(QString, focus);
        m_platform->registry().show(form);
        QWidget* shown = window(form);
        QVERIFY(QTest::qWaitForWindowActive(shown));
        if (auto* box = shown->findChild<QLineEdit*>("Text1"))
            box->setText("Lancelot");
        QWidget* target = control(shown, qPrintable(focus));
        target->setFocus();
        const QString before = stateOf(shown);

        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
        QVERIFY(shown->isVisible());
        QCOMPARE(stateOf(shown), before);
    }

    void clicksChangeOnlyWhatTheyShould_data() {
        QTest::addColumn<FormId>("form");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("states");
        // Selecting one option clears the other; a click on the selected one changes nothing.
        QTest::newRow("options") << FormId::foo << QStringList{"Option1", "Option2", "Option2"}
                                 << QStringList{"Option1 set, Option2 clear",
                                                "Option1 clear, Option2 set",
                                                "Option1 clear, Option2 set"};
        // Each box toggles on its own.
        QTest::newRow("check boxes")
            << FormId::check << QStringList{"Check1", "Check2", "Check1"}
            << QStringList{"Check1 set, Check2 clear", "Check1 set, Check2 set",
                           "Check1 clear, Check2 set"};
    }
    void clicksChangeOnlyWhatTheyShould() {
        QFETCH(FormId, form);
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, states);
        m_platform->registry().show(form);
        QWidget* shown = window(form);
        QVERIFY(QTest::qWaitForWindowActive(shown));
        for (qsizetype step = 0; step < clicks.size(); ++step) {
            click(control(shown, qPrintable(clicks[step])));
            QCOMPARE(stateOf(shown), states[step]);
        }
    }

    void labelsNeverTakeTheFocus() {
        m_platform->registry().show(FormId::quest);
        QWidget* quest = window(FormId::quest);
        QVERIFY(QTest::qWaitForWindowActive(quest));
        QCOMPARE(quest->focusWidget(), control(quest, "Text1"));
        control(quest, "Text2")->setFocus();
        for (const char* label : {"Label1", "Label2"}) {
            click(control(quest, label));
            QCOMPARE(quest->focusWidget(), control(quest, "Text2"));
        }
        // Each box is named by the question above it, without an access key.
        QCOMPARE(static_cast<QLabel*>(control(quest, "Label1"))->buddy(), control(quest, "Text1"));
        QCOMPARE(static_cast<QLabel*>(control(quest, "Label2"))->buddy(), control(quest, "Text2"));
    }

    void resizingMovesNoControl_data() {
        QTest::addColumn<FormId>("form");
        QTest::newRow("foo") << FormId::foo;
        QTest::newRow("check") << FormId::check;
        QTest::newRow("quest") << FormId::quest;
    }
    void resizingMovesNoControl() {
        QFETCH(FormId, form);
        m_platform->registry().show(form);
        auto* shown = qobject_cast<QMainWindow*>(window(form));
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        auto geometries = [shown] {
            QList<QRect> rects;
            for (const QWidget* widget : shown->centralWidget()->findChildren<QWidget*>())
                rects << widget->geometry();
            return rects;
        };
        const QList<QRect> before = geometries();
        for (QSize size : {QSize(700, 500), QSize(120, 90), QSize(312, 216)}) {
            shown->resize(size);
            QTRY_COMPARE(shown->size(), size);
            QCOMPARE(geometries(), before);
        }
    }

    void showingAShownWindowRaisesIt() {
        m_platform->registry().show(FormId::foo);
        m_platform->registry().show(FormId::check);
        QVERIFY(QTest::qWaitForWindowActive(window(FormId::check)));
        m_platform->registry().show(FormId::foo);
        QVERIFY(QTest::qWaitForWindowActive(window(FormId::foo)));
        QVERIFY(window(FormId::check)->isVisible());
    }

    void onlyOmittedArgumentsAreSupported() {
        FormInstance& foo = m_platform->registry().ensureInstance(FormId::foo);
        FormInstance& form1 = *m_platform->registry().instance(FormId::Form1);
        QVERIFY(m_platform->show(foo, Modality::Modal, omitted) < 0);
        QVERIFY(m_platform->show(foo, omitted, &form1) < 0);
        QVERIFY(!window(FormId::foo)->isVisible());
    }

    void closingForm1EndsTheRun() {
        for (FormId form : {FormId::foo, FormId::check, FormId::quest})
            m_platform->registry().show(form);
        QTimer::singleShot(0, m_form1, [this] { m_form1->close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        for (FormId form : {FormId::foo, FormId::check, FormId::quest})
            QVERIFY(window(form)->isVisible());
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!m_form1->isVisible());
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
