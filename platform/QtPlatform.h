#pragma once

// The forms platform on Qt Widgets. It needs a QApplication to exist for as long
// as it does.

#include "shell/FormRegistry.h"

class QWidget;

namespace controls {

class QtPlatform : public FormsPlatform {
public:
    explicit QtPlatform(const ProgramDescription& program);
    ~QtPlatform() override;

    FormRegistry& registry() { return m_registry; }

    // Runs a handler bound to an event of the instance's window.
    void dispatchEvent(Handler handler, FormInstance& raisedOn) {
        dispatch(handler, m_registry, raisedOn);
    }

    // The window of a form's default instance, or null while the form has none.
    QWidget* window(FormId form) const;

    void createInstance(const FormClass& formClass, std::unique_ptr<FormInstance>& slot) override;
    Status show(FormInstance& instance, Optional<Modality> modal,
                Optional<const FormInstance*> owner) override;
    Status hide(FormInstance& instance) override;

protected:
    void reportError(std::string_view message) noexcept override;

private:
    FormRegistry m_registry;
};

} // namespace controls
