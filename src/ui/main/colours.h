#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

namespace pondra {

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
