#include "emblem.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace pondra {

namespace {

// Everything below is drawn on a 100 x 100 square and scaled.
constexpr qreal Side = 100.0;

void drawPan(QPainter& p, QPointF hook, qreal panY, const QBrush& metal, const QPen& outline)
{
    const qreal half = 14.0;
    p.setPen(QPen(outline.color(), 1.2));
    p.drawLine(hook, QPointF(hook.x() - half + 2, panY));
    p.drawLine(hook, QPointF(hook.x() + half - 2, panY));
    QPainterPath bowl;
    bowl.moveTo(hook.x() - half, panY);
    bowl.cubicTo(hook.x() - half + 3, panY + 11, hook.x() + half - 3, panY + 11, hook.x() + half, panY);
    bowl.closeSubpath();
    p.setPen(outline);
    p.setBrush(metal);
    p.drawPath(bowl);
}

} // namespace

QPixmap balanceEmblem(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Side, size / Side);

    QRadialGradient sky(QPointF(45, 40), 55);
    sky.setColorAt(0.0, QColor(255, 255, 255));
    sky.setColorAt(1.0, QColor(176, 204, 232));
    p.setPen(QPen(QColor(70, 100, 140), 1.5));
    p.setBrush(sky);
    p.drawEllipse(QRectF(2, 2, Side - 4, Side - 4));

    QLinearGradient gold(QPointF(0, 0), QPointF(Side, Side));
    gold.setColorAt(0.0, QColor(240, 210, 120));
    gold.setColorAt(1.0, QColor(170, 120, 40));
    const QBrush metal(gold);
    const QPen outline(QColor(90, 60, 15), 1.4);

    // Base and pillar.
    p.setPen(outline);
    p.setBrush(metal);
    p.drawPolygon(QPolygonF({QPointF(34, 86), QPointF(66, 86), QPointF(58, 78), QPointF(42, 78)}));
    p.drawRect(QRectF(47.5, 26, 5, 52));
    p.drawEllipse(QPointF(50, 22), 4.5, 4.5);

    // The beam tips towards the heavier side, on the left.
    const qreal tilt = 9.0 * std::numbers::pi / 180.0;
    const qreal arm = 29.0;
    const QPointF pivot(50, 30);
    const QPointF left(pivot.x() - arm * std::cos(tilt), pivot.y() + arm * std::sin(tilt));
    const QPointF right(pivot.x() + arm * std::cos(tilt), pivot.y() - arm * std::sin(tilt));
    p.setPen(QPen(outline.color(), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(left, right);
    p.setPen(QPen(QColor(240, 210, 120), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(left, right);

    drawPan(p, left, left.y() + 28, metal, outline);
    drawPan(p, right, right.y() + 28, metal, outline);
    return pixmap;
}

} // namespace pondra
