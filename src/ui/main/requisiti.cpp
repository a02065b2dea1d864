#include "requisiti.h"

#include "ui/core/modulopondra.h"

namespace pondra {

requisiti::requisiti(ModuloPondra& module) : m_module(module)
{
    setWindowTitle(QStringLiteral("Pondra: dati sulle ipotesi e sui relativi requisiti da valutare"));
}

} // namespace pondra
