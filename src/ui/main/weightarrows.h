#pragma once

#include <QWidget>

class QToolButton;

namespace pondra {

// A small pair of arrows holding a position 0..100: up adds one, down takes one away. The
// position is the control's own; it is not set from the value shown beside it.
class WeightArrows : public QWidget {
    Q_OBJECT

public:
    static constexpr int Minimum = 0;
    static constexpr int Maximum = 100;
    static constexpr int StartPosition = 10;

    explicit WeightArrows(QWidget* parent = nullptr);

    int position() const { return m_position; }

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
