#pragma once

#include <QtGlobal>

QT_FORWARD_DECLARE_CLASS(QWidget)

namespace pondra {

// Windows are designed in twips, 1440 to the inch; Qt's device-independent pixel is 1/96 inch.
constexpr double TwipsPerPixel = 15.0;

constexpr double twipsToPixels(double twips)
{
    return twips / TwipsPerPixel;
}
constexpr double pixelsToTwips(double pixels)
{
    return pixels * TwipsPerPixel;
}

// Nearest whole number, halves to the even neighbour; NaN gives 0 and values beyond int are clamped,
// so a wild ratio can never turn into undefined behaviour.
int roundHalfEven(double value);

// Twips to whole pixels: the one place where a twip measure meets the pixel grid.
int twipsToPixelsRounded(double twips);

// Puts a control where the window's design has it: twips, in its parent's coordinates.
void placeTwips(QWidget* control, int left, int top, int width, int height);

// Moves a window so that its outer top-left corner (frame included) is at the given desktop twips.
void moveOuterTwips(QWidget* window, double left, double top);

// Gives a window an outer size in twips; the frame, where the window system has told us its size,
// is taken out of what the window itself receives.
void resizeOuterTwips(QWidget* window, double width, double height);

} // namespace pondra
