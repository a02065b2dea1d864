#pragma once

#include "model/decimal.h"

#include <QWidget>

#include <algorithm>

class QToolButton;

namespace pondra {

// A small pair of arrows holding a position 0..100: up adds one, down takes one away, decimals
// and all (12,5 goes to 13,5). Showing a row sets the position to the row's weight, so the
// arrows step from the weight shown.
class WeightArrows : public QWidget {
    Q_OBJECT

public:
    static constexpr int Minimum = 0;
    static constexpr int Maximum = 100;
    static constexpr int StartPosition = 10;

    explicit WeightArrows(QWidget* parent = nullptr);

    Decimal position() const { return m_position; }
    // Names the arrows after what they change, e.g. "del peso della caratteristica n. 3".
    void setSubject(const QString& ofWhat);
    // Places the arrows without a change: only a click changes the weight.
    void setPosition(Decimal position)
    {
        m_position = std::clamp(position, Decimal(Minimum), Decimal(Maximum));
    }

public Q_SLOTS:
    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

Q_SIGNALS:
    // Only when the position really changed.
    void changed(pondra::Decimal position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);

    QToolButton* m_up;
    QToolButton* m_down;
    Decimal m_position = StartPosition;
};

} // namespace pondra
