#include "weightarrows.h"

#include <QKeyEvent>
#include <QToolButton>

namespace pondra {

WeightArrows::WeightArrows(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    setFocusPolicy(Qt::StrongFocus);
    connect(m_up, &QToolButton::clicked, this, &WeightArrows::stepUp);
    connect(m_down, &QToolButton::clicked, this, &WeightArrows::stepDown);
}

void WeightArrows::setSubject(const QString& ofWhat)
{
    setAccessibleName(QStringLiteral("frecce ") + ofWhat);
    m_up->setAccessibleName(QStringLiteral("freccia su ") + ofWhat);
    m_down->setAccessibleName(QStringLiteral("freccia giù ") + ofWhat);
}

void WeightArrows::step(int delta)
{
    const Decimal next = std::clamp(m_position + delta, Decimal(Minimum), Decimal(Maximum));
    if (next != m_position) {
        m_position = next;
        Q_EMIT changed(m_position);
    }
}

void WeightArrows::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Plus:
        stepUp();
        break;
    case Qt::Key_Down:
    case Qt::Key_Minus:
        stepDown();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void WeightArrows::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

} // namespace pondra
