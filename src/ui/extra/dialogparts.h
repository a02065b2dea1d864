#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace pondra {

// The pieces the About, Support and analysis windows are laid out with.

// Plain text (never rich text: the maker data come from a settings file).
QLabel* plainLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QString& text,
                   Qt::Alignment alignment);

// A sunken horizontal rule across `width` pixels.
void horizontalRule(QWidget* parent, int left, int y, int width);

// The title band of the analysis windows: bold yellow on the program's green.
QLabel* windowBanner(QWidget* parent, const QString& text);

} // namespace pondra
