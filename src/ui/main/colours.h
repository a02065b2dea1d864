#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

namespace pondra {

// The windows' own colours, the same wherever they appear.
namespace colours {
inline const QColor Cyan(0, 255, 255);   // row numbers and ranking cells
inline const QColor Yellow(255, 255, 0); // headings, and row numbers once the pointer left them
inline const QColor Red(255, 0, 0);      // the row number under the pointer
inline const QColor Green(0, 128, 0);    // banners
inline const QColor Grey(192, 192, 192); // the quiet background offered for every window
inline const QColor Warning(192, 0, 0);  // a notice the user must not miss
} // namespace colours

// Paints a widget's background (and, when given, its text) in a colour of its own.
inline void setColours(QWidget* widget, const QColor& background, std::optional<QColor> text = std::nullopt)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, background);
    if (text) {
        p.setColor(QPalette::WindowText, *text);
    }
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace pondra
