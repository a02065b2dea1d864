#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace pondra {

// The pieces the About and Support windows are laid out with.

// Plain text (never rich text: the maker data come from a settings file).
QLabel* plainLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QString& text,
                   Qt::Alignment alignment);

// A sunken horizontal rule across `width` pixels.
void horizontalRule(QWidget* parent, int left, int y, int width);

} // namespace pondra
