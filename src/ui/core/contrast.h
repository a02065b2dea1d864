#pragma once

#include <QColor>

namespace pondra {

// Colour contrast as WCAG 2.1 measures it. Text that must be read needs 4.5:1 against its
// background (level AA for text of ordinary size).
constexpr double ReadableContrast = 4.5;

// The relative luminance of a colour, 0 for black to 1 for white.
double relativeLuminance(const QColor& colour);

// The contrast ratio of two colours, 1 (the same) to 21 (black on white), in either order.
double contrastRatio(const QColor& a, const QColor& b);

// The background nearest to `background`, of the same hue, on which `text` reads at `ratio`:
// darkened under light text, lightened under dark text; the background itself when it already
// reads.
QColor readableBackground(const QColor& background, const QColor& text, double ratio = ReadableContrast);

} // namespace pondra
