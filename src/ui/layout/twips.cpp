#include "ui/layout/twips.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace pondra {

int roundHalfEven(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (value <= lowest) {
        return std::numeric_limits<int>::min();
    }
    if (value >= highest) {
        return std::numeric_limits<int>::max();
    }
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return static_cast<int>(whole);
}

int twipsToPixelsRounded(double twips)
{
    return roundHalfEven(twipsToPixels(twips));
}

void placeTwips(QWidget* control, int left, int top, int width, int height)
{
    if (!control) {
        return;
    }
    control->setGeometry(twipsToPixelsRounded(left), twipsToPixelsRounded(top), twipsToPixelsRounded(width),
                         twipsToPixelsRounded(height));
}

void moveOuterTwips(QWidget* window, double left, double top)
{
    if (!window) {
        return;
    }
    // A window's pos is that of its frame, so no frame correction is needed here.
    window->move(twipsToPixelsRounded(left), twipsToPixelsRounded(top));
}

void resizeOuterTwips(QWidget* window, double width, double height)
{
    if (!window) {
        return;
    }
    const QSize frame = window->frameGeometry().size() - window->size();
    window->resize(std::max(0, twipsToPixelsRounded(width) - frame.width()),
                   std::max(0, twipsToPixelsRounded(height) - frame.height()));
}

} // namespace pondra
