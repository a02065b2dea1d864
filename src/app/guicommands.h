#pragma once

#include <QString>

namespace pondra {

// Starts the windows: the splash window, or the Data window with FILE opened in it.
int runWindows(const QString& file);

// Renders one window offscreen into a PNG, with FILE opened first when given.
// Exit 0 written, 2 unknown window, unreadable file or picture not written.
int runScreenshot(const QString& window, const QString& output, const QString& file);

} // namespace pondra
