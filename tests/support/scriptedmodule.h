#pragma once

#include "scriptedseams.h"
#include "ui/core/modulopondra.h"

#include <memory>

namespace testsupport {

// A fresh application module whose dialogs and environment are scripted.
struct ScriptedModule {
    ScriptedDialogs* dialogs = nullptr;
    ScriptedEnvironment* environment = nullptr;
    std::unique_ptr<pondra::ModuloPondra> module;

    ScriptedModule()
    {
        auto d = std::make_unique<ScriptedDialogs>();
        auto e = std::make_unique<ScriptedEnvironment>();
        dialogs = d.get();
        environment = e.get();
        module = std::make_unique<pondra::ModuloPondra>(std::move(d), std::move(e));
    }
};

} // namespace testsupport
