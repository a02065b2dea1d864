#include "mainwindow.h"

#include "ui/layout/clsresize.h"
#include "ui/layout/twips.h"


namespace pondra {

MainWindow::MainWindow(ModuloPondra& module) : m_module(module)
{
    // Closing a main window unloads it; the study stays in the module.
    setAttribute(Qt::WA_DeleteOnClose);
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpProportionalLayout()
{
    m_resize = std::make_unique<clsResize>();
    LoadProportionalLayout(*m_resize, this, DesignWidth, DesignHeight);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_resize) {
        m_resize->ResizeControls();
    }
}

} // namespace pondra
