// The yardstick program: the same windows as controls-demo, written directly in Qt.

#include "Baseline.h"

#include <QApplication>

int main() {
    char name[] = "controls-baseline";
    char* arguments[] = {name, nullptr};
    int argumentCount = 1;
    QApplication application(argumentCount, arguments);
    baseline::prepareApplication();
    baseline::MainWindow form1;
    form1.show();
    return QApplication::exec();
}
