#include "makerwindow.h"

#include "dialogparts.h"

#include <QPushButton>

namespace pondra {

namespace {

constexpr int OkWidth = 96;
constexpr int OkHeight = 30;

} // namespace

MakerWindow::MakerWindow(int designWidth, int designHeight)
{
    setFixedSize(designWidth, designHeight);
}

void MakerWindow::reject()
{
    m_ok->click();
}

void MakerWindow::addRule(int y)
{
    horizontalRule(this, Margin, y, innerWidth());
}

QPushButton* MakerWindow::addOkButton(int top)
{
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(width() - Margin - OkWidth, top, OkWidth, OkHeight);
    m_ok->setDefault(true);
    return m_ok;
}

} // namespace pondra
