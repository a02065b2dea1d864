#pragma once

#include <QColor>
#include <QWidget>

namespace pondra {

// A straight line drawn on a window, given by its two end points in twips of the parent's
// coordinates. Its own geometry only follows the points (their bounding box widened by the pen),
// so whoever moves a line moves its end points, never its geometry.
class Line : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double X1 READ X1 WRITE setX1)
    Q_PROPERTY(double Y1 READ Y1 WRITE setY1)
    Q_PROPERTY(double X2 READ X2 WRITE setX2)
    Q_PROPERTY(double Y2 READ Y2 WRITE setY2)
    Q_PROPERTY(QColor BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)

public:
    explicit Line(QWidget* parent = nullptr);
    Line(double x1, double y1, double x2, double y2, QWidget* parent = nullptr);

    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    void setX1(double twips);
    void setY1(double twips);
    void setX2(double twips);
    void setY2(double twips);
    // Moves both ends at once, so the widget is placed once rather than four times.
    void setPoints(double x1, double y1, double x2, double y2);

    QColor BorderColor() const { return m_color; }
    void setBorderColor(const QColor& color);
    // Pen width in pixels, at least 1.
    int BorderWidth() const { return m_penWidth; }
    void setBorderWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeAroundPoints();

    double m_x1 = 0.0;
    double m_y1 = 0.0;
    double m_x2 = 0.0;
    double m_y2 = 0.0;
    QColor m_color = Qt::black;
    int m_penWidth = 1;
};

} // namespace pondra
