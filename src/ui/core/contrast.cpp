#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace pondra {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableBackground(const QColor& background, const QColor& text, double ratio)
{
    const bool darken = relativeLuminance(text) > relativeLuminance(background);
    const QColor start = background.toRgb();
    // One 255th of the way at a time, towards black or white, so that the hue stays and the
    // change is the least that reads.
    for (int step = 0; step <= 255; ++step) {
        const double k = step / 255.0;
        const auto towards = [&](int channel) {
            return int(std::lround(darken ? channel * (1 - k) : channel + (255 - channel) * k));
        };
        const QColor candidate(towards(start.red()), towards(start.green()), towards(start.blue()));
        if (contrastRatio(candidate, text) >= ratio) {
            return candidate;
        }
    }
    return darken ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace pondra
