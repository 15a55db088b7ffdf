// In-process figures, the program against the hand-written baseline: building a
// window, the first show of a window from its command to its painted frame, showing
// it again after a hide, and the registry's ensure-instance step.

#include "Baseline.h"
#include "platform/QtPlatform.h"
#include "shell/Program.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>

#include <benchmark/benchmark.h>

using namespace controls;

namespace {

// Notes the first paint of any widget of a chosen window.
class PaintWatch final : public QObject {
public:
    QWidget* window = nullptr;
    bool painted = false;

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window() == window)
            painted = true;
        return false;
    }
};

PaintWatch* watch = nullptr;

// Runs the event loop until the window has painted a frame.
void waitForPaint(QWidget* window) {
    watch->window = window;
    watch->painted = false;
    while (!watch->painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

QAction* command(QWidget* form1, const char* name) {
    for (QAction* action : form1->findChildren<QAction*>())
        if (action->objectName() == QLatin1String(name) || action->text() == QLatin1String(name))
            return action;
    qFatal("no command %s", name);
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

const FormId secondary[] = {FormId::foo, FormId::check, FormId::quest};
std::unique_ptr<QMainWindow> (*const makeBaseline[])() = {baseline::makeFoo, baseline::makeCheck,
                                                          baseline::makeQuest};

void buildProgramWindow(benchmark::State& state) {
    QtPlatform platform(program);
    const FormClass& formClass = platform.registry().formClass(secondary[state.range(0)]);
    for (auto _ : state) {
        std::unique_ptr<FormInstance> slot;
        platform.createInstance(formClass, slot);
        benchmark::DoNotOptimize(slot.get());
    }
}

void buildBaselineWindow(benchmark::State& state) {
    baseline::prepareApplication();
    for (auto _ : state) {
        auto window = makeBaseline[state.range(0)]();
        benchmark::DoNotOptimize(window.get());
    }
}

void firstShowProgram(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto platform = std::make_unique<QtPlatform>(program);
        platform->registry().show(FormId::Form1);
        waitForPaint(platform->window(FormId::Form1));
        QAction* options = command(platform->window(FormId::Form1), "Options");
        state.ResumeTiming();

        options->trigger();
        waitForPaint(platform->window(FormId::foo));

        state.PauseTiming();
        platform.reset();
        settle();
        state.ResumeTiming();
    }
}

void firstShowBaseline(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        baseline::prepareApplication();
        auto form1 = std::make_unique<baseline::MainWindow>();
        form1->show();
        waitForPaint(form1.get());
        state.ResumeTiming();

        form1->options->trigger();
        waitForPaint(form1->foo.get());

        state.PauseTiming();
        form1.reset();
        settle();
        state.ResumeTiming();
    }
}

void reshowProgram(benchmark::State& state) {
    QtPlatform platform(program);
    platform.registry().show(FormId::Form1);
    waitForPaint(platform.window(FormId::Form1));
    QAction* options = command(platform.window(FormId::Form1), "Options");
    options->trigger();
    waitForPaint(platform.window(FormId::foo));
    for (auto _ : state) {
        state.PauseTiming();
        platform.registry().hide(FormId::foo);
        settle();
        state.ResumeTiming();

        options->trigger();
        waitForPaint(platform.window(FormId::foo));
    }
}

void reshowBaseline(benchmark::State& state) {
    baseline::prepareApplication();
    baseline::MainWindow form1;
    form1.show();
    waitForPaint(&form1);
    form1.options->trigger();
    waitForPaint(form1.foo.get());
    for (auto _ : state) {
        state.PauseTiming();
        form1.foo->hide();
        settle();
        state.ResumeTiming();

        form1.options->trigger();
        waitForPaint(form1.foo.get());
    }
}

void ensureInstance(benchmark::State& state) {
    QtPlatform platform(program);
    platform.registry().ensureInstance(FormId::foo);
    for (auto _ : state)
        benchmark::DoNotOptimize(&platform.registry().ensureInstance(FormId::foo));
}

} // namespace

BENCHMARK(buildProgramWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(buildBaselineWindow)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(firstShowProgram)->Iterations(60)->Unit(benchmark::kMicrosecond);
BENCHMARK(firstShowBaseline)->Iterations(60)->Unit(benchmark::kMicrosecond);
BENCHMARK(reshowProgram)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(reshowBaseline)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(ensureInstance);

int main(int argc, char** argv) {
    char name[] = "windows_bench";
    char* qtArguments[] = {name, nullptr};
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, qtArguments);
    PaintWatch paintWatch;
    watch = &paintWatch;
    application.installEventFilter(&paintWatch);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
