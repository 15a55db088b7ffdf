// Hostile and unusual input: a megabyte pasted into a text box, right-to-left and
// combining text, and commands in rapid succession.

#include "Driving.h"
#include "platform/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <map>
#include <random>

using namespace controls;

namespace {

// The Qt platform, counting the instances it creates.
class CountingPlatform final : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    std::map<FormId, int> creations;

    void createInstance(const FormClass& formClass, std::unique_ptr<FormInstance>& slot) override {
        ++creations[formClass.id];
        QtPlatform::createInstance(formClass, slot);
    }
};

QAction* menuCommand(QMainWindow* form1, const char* name) {
    for (QAction* action : form1->menuBar()->findChildren<QAction*>())
        if (action->objectName() == QLatin1String(name))
            return action;
    qFatal("no menu command %s", name);
}

} // namespace

class InputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CountingPlatform> m_platform;
    QMainWindow* m_form1 = nullptr;

    QLineEdit* showTextBox(const char* name) {
        m_platform->registry().show(FormId::quest);
        QWidget* quest = m_platform->window(FormId::quest);
        if (!QTest::qWaitForWindowActive(quest))
            qWarning("quest did not become active");
        auto* box = static_cast<QLineEdit*>(control(quest, name));
        box->setFocus();
        return box;
    }

private slots:
    void initTestCase() { quietPlatformNotes(); }

    void init() {
        m_platform = std::make_unique<CountingPlatform>(program);
        m_form1 = showStartForm(*m_platform);
        QVERIFY(m_form1);
    }

    void cleanup() { m_platform.reset(); }

    void aMegabytePasteIsCutAtTheBoxsLimit() {
        QLineEdit* box = showTextBox("Text1");
        QString megabyte;
        megabyte.reserve(1024 * 1024);
        while (megabyte.size() < 1024 * 1024)
            megabyte += QStringLiteral("To seek the Holy Grail. ");
        megabyte.truncate(1024 * 1024);
        QApplication::clipboard()->setText(megabyte);

        QElapsedTimer timer;
        timer.start();
        QTest::keySequence(box->window()->windowHandle(), QKeySequence::Paste);
        QApplication::processEvents(); // The paint of the long line, too.
        const double pasteMs = double(timer.nsecsElapsed()) / 1e6;
        QCOMPARE(box->text(), megabyte.left(box->maxLength()));
        QCOMPARE(box->maxLength(), 32767);

        // The program stays responsive: the next key and the next command take effect.
        timer.restart();
        QTest::keyClick(box->window()->windowHandle(), Qt::Key_Tab);
        QApplication::processEvents();
        const double keyMs = double(timer.nsecsElapsed()) / 1e6;
        QCOMPARE(box->window()->focusWidget(), control(box->window(), "Text2"));
        const QString problem = chooseByKeys(m_form1, {"Choices", "Options"});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(m_platform->window(FormId::foo)->isVisible());
        qInfo("pasting 1 MiB took %.1f ms; the next key took %.1f ms", pasteMs, keyMs);
    }

    void unusualTextRoundTrips_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("Hebrew, right to left") << QString::fromUtf8("שלום עולם");
        QTest::newRow("Arabic with digits") << QString::fromUtf8("مرحبا 123 بالعالم");
        QTest::newRow("mixed directions") << QString::fromUtf8("Arthur שלום Grail");
        QTest::newRow("explicit direction marks")
            << QString::fromUtf8("\u202Eabc\u202C \u200Fx\u200E");
        QTest::newRow("combining marks") << QString::fromUtf8("e\u0301 a\u0308\u0323 Z\u0336");
        QTest::newRow("decomposed and composed") << QString::fromUtf8("Cafe\u0301 / Café");
        QTest::newRow("emoji with joiners")
            << QString::fromUtf8("👨‍👩‍👧 🏳️‍🌈");
    }
    void unusualTextRoundTrips() {
        QFETCH(QString, text);
        QLineEdit* box = showTextBox("Text1");
        commitText(box, text);
        QCOMPARE(box->text(), text);

        QLineEdit* other = showTextBox("Text2");
        QApplication::clipboard()->setText(text);
        QTest::keySequence(other->window()->windowHandle(), QKeySequence::Paste);
        QCOMPARE(other->text(), text);

        // Hidden and shown again, both are unchanged, not normalized or reordered.
        click(control(box->window(), "Command1"));
        m_platform->registry().show(FormId::quest);
        QCOMPARE(box->text(), text);
        QCOMPARE(other->text(), text);
    }

    void rapidCommandsKeepOneInstancePerForm() {
        QAction* commands[] = {menuCommand(m_form1, "Options"), menuCommand(m_form1, "CheckBoxes"),
                               menuCommand(m_form1, "InputBoxes")};
        const FormId forms[] = {FormId::foo, FormId::check, FormId::quest};
        std::mt19937 rng(7);
        for (int i = 0; i < 10000; ++i) {
            const int which = std::uniform_int_distribution<int>(0, 5)(rng);
            if (which < 3) {
                commands[which]->trigger();
            } else if (QWidget* shown = m_platform->window(forms[which - 3]);
                       shown && shown->isVisible()) {
                QTest::mouseClick(control(shown, "Command1"), Qt::LeftButton, {}, QPoint(8, 8));
            }
            if (i % 100 == 0)
                QApplication::processEvents();
        }
        QApplication::processEvents();

        int windows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            windows += qobject_cast<QMainWindow*>(widget) ? 1 : 0;
        QCOMPARE(windows, 4);
        QCOMPARE(
            m_platform->creations,
            (std::map<FormId, int>{
                {FormId::Form1, 1}, {FormId::foo, 1}, {FormId::check, 1}, {FormId::quest, 1}}));
    }
};

QTEST_MAIN(InputTest)
#include "input_test.moc"
