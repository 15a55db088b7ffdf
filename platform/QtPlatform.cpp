#include "platform/QtPlatform.h"

#include "platform/AccessKeyStyle.h"
#include "platform/FormWindow.h"
#include "platform/Text.h"
#include "resources/IconPixels.h"
#include "resources/Version.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>

#include <cstdio>

namespace controls {

namespace {

// The status of a call with an argument value that this platform does not support.
constexpr Status invalidArgument = static_cast<Status>(0x80070057);

FormWindow& windowOf(FormInstance& instance) {
    return static_cast<QtFormInstance&>(instance).window();
}

} // namespace

QtPlatform::QtPlatform(const ProgramDescription& program) : m_registry(*this, program.forms) {
    QApplication::setApplicationName(toQString(version::programName));
    QApplication::setApplicationVersion(toQString(version::fileVersion));
    QGuiApplication::setDesktopFileName(toQString(version::programName));
    // Every window shows the program's icon in its frame. It is built from pixels,
    // which costs no image reader and none of the plugins that a reader looks for.
    QIcon icon;
    for (const auto& [pixels, size] : {std::pair{icon::pixels16, 16}, {icon::pixels32, 32}}) {
        const QImage image(reinterpret_cast<const uchar*>(pixels), size, size,
                           QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    QApplication::setWindowIcon(icon);
    QApplication::setStyle(new AccessKeyStyle);
    // Secondary windows never keep the program alive; closing the start form ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtPlatform::~QtPlatform() = default;

QWidget* QtPlatform::window(FormId form) const {
    FormInstance* instance = m_registry.instance(form);
    return instance ? &windowOf(*instance) : nullptr;
}

void QtPlatform::createInstance(const FormClass& formClass, std::unique_ptr<FormInstance>& slot) {
    const FrameClose frameClose =
        formClass.id == FormId{} ? FrameClose::EndsRun : FrameClose::HidesWindow;
    slot = std::make_unique<QtFormInstance>(formClass, frameClose, *this);
}

Status QtPlatform::show(FormInstance& instance, Optional<Modality> modal,
                        Optional<const FormInstance*> owner) {
    if (modal || owner)
        return invalidArgument;
    FormWindow& window = windowOf(instance);
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
    return 0;
}

Status QtPlatform::hide(FormInstance& instance) {
    windowOf(instance).hide();
    return 0;
}

void QtPlatform::reportError(std::string_view message) noexcept {
    std::fprintf(stderr, "controls-demo: run-time error: %.*s\n", int(message.size()),
                 message.data());
    try {
        // The box opens once the event that raised the error is done with, so that a
        // menu closes as it always does before another window takes the focus.
        const QString text = QString::fromUtf8(message.data(), qsizetype(message.size()));
        QMetaObject::invokeMethod(
            qApp,
            [text] {
                auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Run-time error"),
                                            text, QMessageBox::Ok);
                // A message box is modal unless told otherwise; this one blocks no window.
                box->setWindowModality(Qt::NonModal);
                box->setAttribute(Qt::WA_DeleteOnClose);
                box->show();
            },
            Qt::QueuedConnection);
    } catch (...) {
        // The line on standard error is the report then.
    }
}

} // namespace controls
