#pragma once

// A forms platform without widgets: it records what the registry and the handlers
// ask of it and returns the statuses a test chooses.

#include "shell/FormRegistry.h"
#include "shell/Program.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace controls {

class FakeInstance final : public FormInstance {
public:
    using FormInstance::FormInstance;
    bool shown = false;
};

class FakePlatform final : public FormsPlatform {
public:
    FormRegistry registry{*this, program.forms};

    std::map<FormId, int> creations;
    std::map<std::pair<FormId, Method>, Status> statuses; // Absent means success, 0.
    std::vector<FormId> uncreatable;                      // Creating these raises an error.
    std::vector<std::string> reports;

    bool shown(FormId form) const {
        const FormInstance* instance = registry.instance(form);
        return instance && static_cast<const FakeInstance*>(instance)->shown;
    }

    void run(Handler handler, FormId raisedOn) {
        dispatch(handler, registry, registry.ensureInstance(raisedOn));
    }

    void createInstance(const FormClass& formClass, std::unique_ptr<FormInstance>& slot) override {
        for (FormId form : uncreatable)
            if (form == formClass.id)
                throw std::runtime_error("out of window resources");
        ++creations[formClass.id];
        slot = std::make_unique<FakeInstance>(formClass);
    }

    Status show(FormInstance& instance, Optional<Modality> modal,
                Optional<const FormInstance*> owner) override {
        if (modal || owner)
            throw std::logic_error(
                "Show was given an argument value instead of the omitted marker");
        return apply(instance, Method::Show, true);
    }

    Status hide(FormInstance& instance) override { return apply(instance, Method::Hide, false); }

protected:
    void reportError(std::string_view message) noexcept override { reports.emplace_back(message); }

private:
    Status apply(FormInstance& instance, Method method, bool shownAfter) {
        const auto status = statuses.find({instance.formClass().id, method});
        if (status != statuses.end() && status->second < 0)
            return status->second;
        static_cast<FakeInstance&>(instance).shown = shownAfter;
        return status == statuses.end() ? 0 : status->second;
    }
};

} // namespace controls
