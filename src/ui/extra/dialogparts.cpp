#include "dialogparts.h"

#include "ui/main/colours.h"

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

QLabel* windowBanner(QWidget* parent, const QString& text)
{
    auto* banner = new QLabel(text, parent);
    banner->setAlignment(Qt::AlignCenter);
    QFont font = banner->font();
    font.setBold(true);
    banner->setFont(font);
    banner->setAutoFillBackground(true);
    QPalette palette = banner->palette();
    palette.setColor(QPalette::Window, colours::Green);
    palette.setColor(QPalette::WindowText, colours::Yellow);
    banner->setPalette(palette);
    banner->setMargin(4);
    return banner;
}

} // namespace pondra
