#pragma once

#include <QMainWindow>

namespace pondra {

class ModuloPondra;

// The Data window: hypotheses and their characteristic rows.
class requisiti : public QMainWindow {
    Q_OBJECT

public:
    explicit requisiti(ModuloPondra& module);

private:
    ModuloPondra& m_module;
};

} // namespace pondra
