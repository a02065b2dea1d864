#pragma once

#include <QPixmap>

namespace pondra {

// The program's picture: a balance with its beam tipped, for a program that weighs
// alternatives. Drawn, not loaded, so it is sharp at any size and ratio.
QPixmap balanceEmblem(int size, qreal devicePixelRatio);

} // namespace pondra
