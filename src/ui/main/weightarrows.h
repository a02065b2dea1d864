#pragma once

#include <QWidget>

#include <algorithm>

class QToolButton;

namespace pondra {

// A small pair of arrows holding a position 0..100: up adds one, down takes one away. Showing a
// row sets the position to the row's weight, so the arrows step from the weight shown.
class WeightArrows : public QWidget {
    Q_OBJECT

public:
    static constexpr int Minimum = 0;
    static constexpr int Maximum = 100;
    static constexpr int StartPosition = 10;

    explicit WeightArrows(QWidget* parent = nullptr);

    int position() const { return m_position; }
    // Places the arrows without a change: only a click changes the weight.
    void setPosition(int position) { m_position = std::clamp(position, Minimum, Maximum); }

public Q_SLOTS:
    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

Q_SIGNALS:
    // Only when the position really changed.
    void changed(int position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);

    QToolButton* m_up;
    QToolButton* m_down;
    int m_position = StartPosition;
};

} // namespace pondra
