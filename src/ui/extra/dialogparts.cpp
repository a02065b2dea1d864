#include "dialogparts.h"

#include <QFrame>
#include <QLabel>

namespace pondra {

QLabel* plainLabel(QWidget* parent, const QRect& geometry, const QFont& font, const QString& text,
                   Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

void horizontalRule(QWidget* parent, int left, int y, int width)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(left, y, width, 4);
}

} // namespace pondra
