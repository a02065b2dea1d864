#include "sidebyside.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace pondra {

namespace {

constexpr int Gap = 8; // pixels between the two windows

} // namespace

SideBySide sideBySide(const QRect& contents, const QSize& window, const QRect& screen, int gap)
{
    const int top = std::clamp(contents.top(), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - window.height()));
    const int screenEnd = screen.right() + 1;
    const int right = contents.right() + 1 + gap;
    if (right + window.width() <= screenEnd) {
        return {{right, top}, contents.topLeft()};
    }
    const int left = contents.left() - gap - window.width();
    if (left >= screen.left()) {
        return {{left, top}, contents.topLeft()};
    }
    const int both = contents.width() + gap + window.width();
    if (both <= screen.width()) {
        const int contentsLeft = screenEnd - both;
        return {{contentsLeft + contents.width() + gap, top}, {contentsLeft, contents.top()}};
    }
    return {{std::max(screen.left(), screenEnd - window.width()), top}, contents.topLeft()};
}

void placeBeside(QWidget* window, QWidget* contents)
{
    if (!window || !contents || !contents->isVisible()) {
        return;
    }
    const QRect outer = contents->frameGeometry();
    // A window not shown yet has no frame: it will get one like the contents'.
    const QSize frame = window->isVisible() ? QSize() : outer.size() - contents->size();
    const QSize size = window->frameGeometry().size() + frame;
    const QScreen* screen = contents->screen();
    const SideBySide place = sideBySide(outer, size, screen ? screen->availableGeometry() : outer, Gap);
    contents->move(place.contents);
    window->move(place.window);
}

} // namespace pondra
