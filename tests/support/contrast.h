#pragma once

#include <QColor>

#include <algorithm>
#include <cmath>

namespace testsupport {

// Colour contrast as WCAG 2.1 measures it. Text that must be read needs 4.5:1 against its
// background (level AA for text of ordinary size).
constexpr double ReadableContrast = 4.5;

// One channel of sRGB, from 0 to 1, as light.
inline double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The relative luminance of a colour, 0 for black to 1 for white.
inline double relativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// The contrast ratio of two colours, 1 (the same) to 21 (black on white), in either order.
inline double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace testsupport
