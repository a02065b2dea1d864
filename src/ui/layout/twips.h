#pragma once

namespace pondra {

// Windows are designed in twips, 1440 to the inch; Qt's device-independent pixel is 1/96 inch.
constexpr double TwipsPerPixel = 15.0;

constexpr double twipsToPixels(double twips) { return twips / TwipsPerPixel; }
constexpr double pixelsToTwips(double pixels) { return pixels * TwipsPerPixel; }

} // namespace pondra
