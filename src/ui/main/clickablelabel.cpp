#include "clickablelabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pondra {

namespace {

// A clickable label is a button to a screen reader: it says so and can be pressed.
class ClickableLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickableLabelAccessible(ClickableLabel* label) : QAccessibleWidget(label, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) {
            text = static_cast<const QLabel*>(widget())->text();
        }
        return text;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& name) override
    {
        if (name == pressAction() && widget()->isEnabled()) {
            static_cast<ClickableLabel*>(widget())->click();
        }
    }
};

QAccessibleInterface* clickableLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1StringView(ClickableLabel::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new ClickableLabelAccessible(static_cast<ClickableLabel*>(object));
    }
    return nullptr;
}

} // namespace

FocusLabel::FocusLabel(QWidget* parent) : QLabel(parent) {}

void FocusLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    // Drawn by hand: the style draws a focus frame only for the controls it knows.
    QPainter painter(this);
    // A solid line along the edge, in the text's colour: the cells are too low for a frame
    // inside them, and the text colour reads on every background they take.
    QPen pen(palette().color(QPalette::WindowText));
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

ClickableLabel::ClickableLabel(QWidget* parent) : FocusLabel(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(clickableLabelFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        Q_EMIT clicked();
    }
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT hovered();
    // Not passed on: the window would take it for a move over its background.
    event->accept();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            Q_EMIT clicked();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

} // namespace pondra
