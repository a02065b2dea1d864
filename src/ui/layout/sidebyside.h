#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace pondra {

// Outer top-left corners (frames included) of a window opened beside another one, the anchor
// (the help contents beside its pages, the Results window beside the solidity), and of the
// anchor itself.
struct SideBySide {
    QPoint window;
    QPoint contents; // the anchor

    bool operator==(const SideBySide&) const = default;
};

// Where a window of outer size `window` goes beside the anchor, whose outer geometry is
// `contents`, on a screen whose free area is `screen`: right of the contents when it fits there,
// else left of it; when neither side has room the contents moves left just enough for both to
// stand side by side; only a screen narrower than both together leaves the window over it, at
// the screen's right edge. The window's top is the contents' top, kept on the screen.
SideBySide sideBySide(const QRect& contents, const QSize& window, const QRect& screen, int gap);

// Moves a window that is about to be shown beside the anchor, moving the anchor too when the
// screen asks for it.
void placeBeside(QWidget* window, QWidget* contents);

} // namespace pondra
