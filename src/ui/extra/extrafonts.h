#pragma once

#include <QFont>

namespace pondra {

// The fixed-size information windows size their fonts in device-independent pixels, so the
// texts keep fitting the boxes they were laid out in whatever the screen's font dpi.

// The maker's brand: "Simpson" where installed, otherwise a decorative or italic serif face.
QFont brandFont(int pixelSize);
// The program's name: "Arial Black" where installed, otherwise the heaviest sans-serif face.
QFont programNameFont(int pixelSize);
// The application's own face at the given size.
QFont textFont(int pixelSize, bool bold = false, bool italic = false);

} // namespace pondra
