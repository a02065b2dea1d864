#include "ui/layout/line.h"

#include "ui/layout/twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pondra {

Line::Line(QWidget* parent) : QWidget(parent)
{
    // Its bounding box may lie over other controls; clicks must reach them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    placeAroundPoints();
}

Line::Line(double x1, double y1, double x2, double y2, QWidget* parent) : Line(parent)
{
    setPoints(x1, y1, x2, y2);
}

void Line::setX1(double twips)
{
    setPoints(twips, m_y1, m_x2, m_y2);
}

void Line::setY1(double twips)
{
    setPoints(m_x1, twips, m_x2, m_y2);
}

void Line::setX2(double twips)
{
    setPoints(m_x1, m_y1, twips, m_y2);
}

void Line::setY2(double twips)
{
    setPoints(m_x1, m_y1, m_x2, twips);
}

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    if (x1 == m_x1 && y1 == m_y1 && x2 == m_x2 && y2 == m_y2) {
        return;
    }
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    placeAroundPoints();
    update();
}

void Line::setBorderColor(const QColor& color)
{
    if (color == m_color) {
        return;
    }
    m_color = color;
    update();
}

void Line::setBorderWidth(int pixels)
{
    pixels = std::max(1, pixels);
    if (pixels == m_penWidth) {
        return;
    }
    m_penWidth = pixels;
    placeAroundPoints();
    update();
}

void Line::placeAroundPoints()
{
    // A pen reaches half its width beyond the path and its square caps as much again past the
    // ends; one more pixel covers the snapping of an aliased pen to the grid.
    const double margin = m_penWidth + 1;
    // Kept well inside what a widget may measure, so the edges never overflow.
    constexpr double limit = QWIDGETSIZE_MAX / 4;
    const auto edge = [limit](double pixels) { return roundHalfEven(std::clamp(pixels, -limit, limit)); };
    const int left = edge(std::floor(twipsToPixels(std::min(m_x1, m_x2))) - margin);
    const int top = edge(std::floor(twipsToPixels(std::min(m_y1, m_y2))) - margin);
    const int right = edge(std::ceil(twipsToPixels(std::max(m_x1, m_x2))) + margin);
    const int bottom = edge(std::ceil(twipsToPixels(std::max(m_y1, m_y2))) + margin);
    setGeometry(left, top, right - left, bottom - top);
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, m_penWidth));
    const QPointF origin = geometry().topLeft();
    painter.drawLine(QPointF(twipsToPixels(m_x1), twipsToPixels(m_y1)) - origin,
                     QPointF(twipsToPixels(m_x2), twipsToPixels(m_y2)) - origin);
}

} // namespace pondra
