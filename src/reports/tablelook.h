#pragma once

#include <QColor>

namespace pondra {

// The colourful table look, the same in every output: a deep teal header row with white bold
// text over two light bands, the cells parted by thin white rules. A plain table is ruled grey.
inline const QColor HeaderShade{0x1F, 0x5F, 0x6E};
inline const QColor BandShade{0xD9, 0xE8, 0xEB};
inline const QColor LightBandShade{0xEE, 0xF5, 0xF6};
inline const QColor PlainRule{0x80, 0x80, 0x80};

// The shade of a row of the colourful look, the header being row 0.
inline QColor rowShade(int row)
{
    return row == 0 ? HeaderShade : row % 2 == 1 ? BandShade : LightBandShade;
}

} // namespace pondra
