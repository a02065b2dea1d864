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

// The study in memory, to set it up behind the document's back: nothing is told, so the windows
// still show what they showed. Show it again (document().showHypothesis(h)) for them to see it.
inline pondra::Study& studyOf(pondra::ModuloPondra& module)
{
    return const_cast<pondra::Study&>(module.document().study());
}

} // namespace testsupport
