#pragma once

#include <QLabel>

namespace pondra {

// A label that shows where the keyboard is: framed while it has the focus, so that a label
// reached with Tab is seen to be reached.
class FocusLabel : public QLabel {
    Q_OBJECT

public:
    explicit FocusLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label that reacts like a button to the mouse and to the keyboard (Space, Enter), tells when
// the pointer passes over it, and is a button to a screen reader.
class ClickableLabel : public FocusLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent = nullptr);

    // What a click does, from a key or an assistive tool.
    void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    void clicked();
    void hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace pondra
