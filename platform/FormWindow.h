#pragma once

#include "shell/Platform.h"

#include <QMainWindow>

namespace controls {

class QtPlatform;

// What closing a window through its frame does.
enum class FrameClose : std::uint8_t { HidesWindow, EndsRun };

// The window of one form instance, built from the form's description. Its central
// widget is the client area; a form with a menu tree has a menu bar above it.
class FormWindow final : public QMainWindow {
public:
    FormWindow(FormInstance& instance, FrameClose frameClose, QtPlatform& platform);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls(QWidget* client, int dpiX, int dpiY);
    void buildMenu(QWidget* menu, std::span<const MenuDescription> items, std::size_t& nextIndex);
    Handler clickHandler(EventSource::Kind kind, std::size_t index) const;
    void dispatch(Handler handler);

    FormInstance& m_instance;
    FrameClose m_frameClose;
    QtPlatform& m_platform;
};

// A form instance of this platform: it owns the form's window for the whole run.
class QtFormInstance final : public FormInstance {
public:
    QtFormInstance(const FormClass& formClass, FrameClose frameClose, QtPlatform& platform)
        : FormInstance(formClass), m_window(*this, frameClose, platform) {}

    FormWindow& window() { return m_window; }

private:
    FormWindow m_window;
};

} // namespace controls
