// Failing Show and Hide calls, injected into the real platform: each of the six
// handlers reports the failure with its four items, the run goes on, every other
// window keeps its state, and the same command works once the fault is gone.

#include "Commands.h"
#include "Driving.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using namespace controls;

namespace {

// The Qt platform with one Show or Hide that returns a chosen status instead of working.
class FaultyPlatform final : public QtPlatform {
public:
    using QtPlatform::QtPlatform;

    struct Fault {
        FormId form;
        Method method;
        Status status;
    };
    std::optional<Fault> fault;

    Status show(FormInstance& instance, Optional<Modality> modal,
                Optional<const FormInstance*> owner) override {
        if (failing(instance, Method::Show))
            return fault->status;
        return QtPlatform::show(instance, modal, owner);
    }

    Status hide(FormInstance& instance) override {
        if (failing(instance, Method::Hide))
            return fault->status;
        return QtPlatform::hide(instance);
    }

private:
    bool failing(const FormInstance& instance, Method method) const {
        return fault && fault->form == instance.formClass().id && fault->method == method;
    }
};

// Collects what the program writes to standard error while it lives.
class StandardErrorCapture {
public:
    StandardErrorCapture() {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StandardErrorCapture() { restore(); }

    QString text() {
        restore();
        m_file.seek(0);
        return QString::fromUtf8(m_file.readAll());
    }

private:
    void restore() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

QList<QMessageBox*> reports() {
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            boxes << box;
    return boxes;
}

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FaultyPlatform> m_platform;
    QMainWindow* m_form1 = nullptr;

    QWidget* window(FormId form) const { return m_platform->window(form); }

    // Runs a command the way the user does: its menu item, or its push button.
    void runThroughTheWindow(const Command& command) {
        if (command.method == Method::Hide) {
            click(control(window(command.target), "Command1"));
            return;
        }
        const std::initializer_list<std::string_view> paths[] = {
            {"Choices", "Options"}, {"Choices", "CheckBoxes"}, {"DialogueBoxes", "InputBoxes"}};
        const QString problem = chooseByKeys(m_form1, paths[indexOf(command.target) - 1]);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

private slots:
    void initTestCase() { quietPlatformNotes(); }

    void init() {
        m_platform = std::make_unique<FaultyPlatform>(program);
        m_form1 = showStartForm(*m_platform);
        QVERIFY(m_form1);
    }

    void cleanup() {
        closeMenus();
        qDeleteAll(reports());
        m_platform.reset();
    }

    void failureIsReportedAndTheRunGoesOn_data() { addCommandStatusRows(Statuses::FailingOnly); }
    void failureIsReportedAndTheRunGoesOn() {
        QFETCH(Command, command);
        QFETCH(Status, status);
        QFETCH(QString, number);

        // Bystanders: the other secondary windows, shown and holding what the user left.
        QStringList bystanderStates;
        for (FormId form : {FormId::foo, FormId::check, FormId::quest}) {
            if (form == command.target)
                continue;
            m_platform->registry().show(form);
            QWidget* shown = window(form);
            if (auto* box = shown->findChild<QLineEdit*>())
                box->setText("Galahad");
            else
                click(control(shown, descriptionOf(form).controls[1].name));
            bystanderStates << stateOf(shown);
        }
        if (command.method == Method::Hide)
            m_platform->registry().show(command.target);
        const bool shownBefore = window(command.target) && window(command.target)->isVisible();

        m_platform->fault = FaultyPlatform::Fault{command.target, command.method, status};
        StandardErrorCapture standardError;
        runThroughTheWindow(command);
        QTRY_COMPARE(reports().size(), 1);

        // The report names the status in decimal and hexadecimal, the form, its
        // interface identity and the method, in the box and on one line of standard error.
        const FormClass& target = m_platform->registry().formClass(command.target);
        const QString items[] = {number, "form " + text(target.name()),
                                 QString::fromStdString(toString(target.interfaceId)),
                                 text(nameOf(command.method))};
        const QString box = reports().front()->text();
        const QStringList lines = standardError.text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        for (const QString& item : items) {
            QVERIFY2(box.contains(item), qPrintable(box + " lacks " + item));
            QVERIFY2(lines.front().contains(item), qPrintable(lines.front() + " lacks " + item));
        }

        // The failed call changed nothing, and no other window changed.
        QCOMPARE(window(command.target)->isVisible(), shownBefore);
        QVERIFY(m_form1->isVisible());
        QStringList bystandersAfter;
        for (FormId form : {FormId::foo, FormId::check, FormId::quest})
            if (form != command.target) {
                QVERIFY(window(form)->isVisible());
                bystandersAfter << stateOf(window(form));
            }
        QCOMPARE(bystandersAfter, bystanderStates);

        // Once the fault is gone, the same command works, with the report still open.
        m_platform->fault.reset();
        runThroughTheWindow(command);
        QTRY_COMPARE(window(command.target)->isVisible(), command.method == Method::Show);
        QCOMPARE(reports().size(), 1);
    }
};

QTEST_MAIN(FaultsTest)
#include "faults_test.moc"
