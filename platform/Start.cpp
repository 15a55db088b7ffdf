// The start entry: opens the display, shows the start form and runs the event loop.

#include "platform/QtPlatform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace controls {

namespace {

// Messages that Qt prints while it connects to the display are held back: if no
// display can be opened they would only bury the one line that says so.
std::vector<std::pair<QtMsgType, std::string>> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("controls-demo: cannot open a window: no display is available "
                   "(an X11 or Wayland desktop session is needed)\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages.emplace_back(type, message.toStdString());
}

} // namespace

void startProgram(const ProgramDescription& program) {
    int exitStatus = EXIT_FAILURE;
    {
        // The program takes no command line: Qt gets only the program's name.
        char name[] = "controls-demo";
        char* arguments[] = {name, nullptr};
        int argumentCount = 1;

        const QtMessageHandler standardHandler = qInstallMessageHandler(holdMessage);
        QApplication application(argumentCount, arguments);
        qInstallMessageHandler(standardHandler);
        for (const auto& [type, message] : heldMessages)
            standardHandler(type, QMessageLogContext(), QString::fromStdString(message));
        heldMessages.clear();

        QtPlatform platform(program);
        try {
            platform.registry().show(FormId{});
            exitStatus = QApplication::exec();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "controls-demo: cannot show the main window: %s\n", error.what());
        }
    }
    std::exit(exitStatus);
}

} // namespace controls
