#include "clickablelabel.h"

#include <QMouseEvent>

namespace pondra {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        Q_EMIT clicked();
    }
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT hovered();
    // Not passed on: the window would take it for a move over its background.
    event->accept();
}

} // namespace pondra
