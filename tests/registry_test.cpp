// The registry and the six handlers on a platform without widgets.

#include "Commands.h"
#include "FakePlatform.h"
#include "shell/RuntimeError.h"

#include <QTest>

using namespace controls;

class RegistryTest : public QObject {
    Q_OBJECT

private slots:
    void startFillsOnlyTheStartFormsSlot() {
        FakePlatform platform;
        platform.registry.show(FormId::Form1);

        QVERIFY(platform.shown(FormId::Form1));
        for (FormId form : {FormId::foo, FormId::check, FormId::quest})
            QCOMPARE(platform.registry.instance(form), nullptr);
        QCOMPARE(platform.creations, (std::map<FormId, int>{{FormId::Form1, 1}}));
    }

    void menuCommandFillsItsOwnSlotOnce_data() {
        QTest::addColumn<Command>("command");
        for (const Command& command : commands)
            if (command.method == Method::Show)
                QTest::newRow(command.name) << command;
    }
    void menuCommandFillsItsOwnSlotOnce() {
        QFETCH(Command, command);
        FakePlatform platform;
        platform.registry.show(FormId::Form1);

        platform.run(command.handler, FormId::Form1);
        FormInstance* first = platform.registry.instance(command.target);
        QVERIFY(first != nullptr);
        QVERIFY(platform.shown(command.target));

        // Shown again while shown, then again after a hide: always the same instance.
        platform.run(command.handler, FormId::Form1);
        platform.registry.hide(command.target);
        platform.run(command.handler, FormId::Form1);
        QCOMPARE(platform.registry.instance(command.target), first);
        QVERIFY(platform.shown(command.target));
        QCOMPARE(platform.creations[command.target], 1);

        for (FormId other : allForms)
            if (other != command.target && other != FormId::Form1)
                QCOMPARE(platform.registry.instance(other), nullptr);
        QVERIFY(platform.reports.empty());
    }

    void pushButtonHidesItsOwnForm_data() {
        QTest::addColumn<Command>("command");
        for (const Command& command : commands)
            if (command.method == Method::Hide)
                QTest::newRow(command.name) << command;
    }
    void pushButtonHidesItsOwnForm() {
        QFETCH(Command, command);
        FakePlatform platform;
        platform.registry.show(FormId::Form1);
        platform.registry.show(command.target);
        FormInstance* instance = platform.registry.instance(command.target);

        platform.run(command.handler, command.raisedOn);
        QVERIFY(!platform.shown(command.target));
        QVERIFY(platform.shown(FormId::Form1));
        QCOMPARE(platform.registry.instance(command.target), instance);
        QCOMPARE(platform.creations[command.target], 1);
    }

    void statusDecidesSuccess_data() { addCommandStatusRows(Statuses::All); }
    void statusDecidesSuccess() {
        QFETCH(Command, command);
        QFETCH(Status, status);
        QFETCH(QString, number);

        // Form1 and a bystander window are shown; a hide needs its target shown first.
        FakePlatform platform;
        const FormId bystander = command.target == FormId::check ? FormId::quest : FormId::check;
        platform.registry.show(FormId::Form1);
        platform.registry.show(bystander);
        if (command.method == Method::Hide)
            platform.registry.show(command.target);
        const bool shownBefore = platform.shown(command.target);
        platform.statuses[{command.target, command.method}] = status;

        bool raised = false;
        try {
            command.handler(platform.registry, platform.registry.ensureInstance(command.raisedOn));
        } catch (const RuntimeError& error) {
            raised = true;
            QCOMPARE(error.status(), status);
            QCOMPARE(&error.instance(), platform.registry.instance(command.target));
            QCOMPARE(toString(error.interfaceId()),
                     toString(platform.registry.formClass(command.target).interfaceId));
            QCOMPARE(error.method(), command.method);
        }
        QCOMPARE(raised, status < 0);
        const bool shownAfterSuccess = command.method == Method::Show;
        QCOMPARE(platform.shown(command.target), status < 0 ? shownBefore : shownAfterSuccess);

        // The dispatch reports the same failure once, naming all four items.
        platform.run(command.handler, command.raisedOn);
        if (status >= 0) {
            QVERIFY(platform.reports.empty());
        } else {
            QCOMPARE(platform.reports.size(), std::size_t(1));
            const QString report = QString::fromStdString(platform.reports.front());
            const FormClass& target = platform.registry.formClass(command.target);
            QVERIFY2(report.contains(number), qPrintable(report));
            QVERIFY2(report.contains(QString::fromStdString(toString(target.interfaceId))),
                     qPrintable(report));
            QVERIFY2(report.contains(QLatin1String(target.name().data(), target.name().size())),
                     qPrintable(report));
            QVERIFY2(report.contains(QLatin1String(nameOf(command.method).data())),
                     qPrintable(report));
        }

        // Nothing else changed: Form1 and the bystander stay shown, and no form was created twice.
        QVERIFY(platform.shown(FormId::Form1));
        QVERIFY(platform.shown(bystander));
        for (FormId form : allForms)
            QVERIFY(platform.creations[form] <= 1);

        // Once the fault is gone, the same command works.
        platform.statuses.clear();
        platform.run(command.handler, command.raisedOn);
        QCOMPARE(platform.shown(command.target), shownAfterSuccess);
        QCOMPARE(platform.reports.size(), std::size_t(status < 0 ? 1 : 0));
    }

    void failedCreationLeavesTheSlotEmpty() {
        FakePlatform platform;
        platform.registry.show(FormId::Form1);
        platform.registry.show(FormId::check);
        platform.uncreatable = {FormId::foo};

        platform.run(commands[0].handler, FormId::Form1);
        QCOMPARE(platform.reports, std::vector<std::string>{"out of window resources"});
        QCOMPARE(platform.registry.instance(FormId::foo), nullptr);
        QVERIFY(platform.shown(FormId::Form1));
        QVERIFY(platform.shown(FormId::check));

        platform.uncreatable.clear();
        platform.run(commands[0].handler, FormId::Form1);
        QVERIFY(platform.shown(FormId::foo));
        QCOMPARE(platform.reports.size(), std::size_t(1));
    }
};

QTEST_APPLESS_MAIN(RegistryTest)
#include "registry_test.moc"
