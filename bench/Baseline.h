#pragma once

// The same four windows written directly in Qt, with no descriptions, no registry
// and no dispatch: the yardstick that the program is measured against.

#include <QMainWindow>

#include <memory>

class QAction;

namespace baseline {

// Sets up the application as the program does: its style and its window icon.
void prepareApplication();

std::unique_ptr<QMainWindow> makeFoo();
std::unique_ptr<QMainWindow> makeCheck();
std::unique_ptr<QMainWindow> makeQuest();

// Form1 with its menu bar; its three commands create their window on first use and
// show it, and each window's push button hides it again.
class MainWindow final : public QMainWindow {
public:
    MainWindow();

    QAction* options = nullptr;
    QAction* checkBoxes = nullptr;
    QAction* inputBoxes = nullptr;

    std::unique_ptr<QMainWindow> foo;
    std::unique_ptr<QMainWindow> check;
    std::unique_ptr<QMainWindow> quest;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace baseline
