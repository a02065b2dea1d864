#include "ui/layout/clsresize.h"

#include "ui/layout/line.h"
#include "ui/layout/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

#include <algorithm>

namespace pondra {

namespace {

// The area the controls live in: a main window's central widget, otherwise the window itself.
QWidget* clientArea(QWidget* form)
{
    if (auto* main = qobject_cast<QMainWindow*>(form)) {
        return main->centralWidget();
    }
    return form;
}

QSize clientSize(QWidget* form)
{
    QWidget* client = clientArea(form);
    if (!client) {
        return form->size();
    }
    // A hidden window's layout places the central widget only when shown; place it now so that
    // a size just given to the window is the one we scale to.
    if (client != form && !form->isVisible()) {
        if (QLayout* layout = form->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }
    // The central widget keeps its last size when the window shrinks to nothing.
    return client->size().boundedTo(form->size());
}

// Containers whose children are controls of the window: plain widgets, frames and group boxes
// that place their children by hand, and widgets that say so. Any other widget's children are
// its own internals.
bool holdsControls(const QWidget* widget)
{
    if (widget->layout()) {
        return false;
    }
    const QMetaObject* type = widget->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
           qobject_cast<const QGroupBox*>(widget) || widget->property(HoldsControls).toBool();
}

void collectControls(const QWidget* parent, std::vector<QWidget*>& controls)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        // Child windows (menus, dialogs) are not placed inside the client area.
        if (!widget || widget->isWindow()) {
            continue;
        }
        controls.push_back(widget);
        if (holdsControls(widget)) {
            collectControls(widget, controls);
        }
    }
}

// Controls are the client area's child widgets, and the children of those that hold controls
// (see holdsControls), in creation order, each positioned in its own parent's coordinates.
std::vector<QWidget*> controlsOf(QWidget* form)
{
    std::vector<QWidget*> controls;
    QWidget* client = clientArea(form);
    // A client area with a layout places its children itself.
    if (client && !client->layout()) {
        collectControls(client, controls);
    }
    return controls;
}

// Redraw stays off for the whole scaling loop, so nobody sees half-moved controls; a window whose
// redraw someone else has suspended is left suspended.
class UpdatesSuspended {
public:
    explicit UpdatesSuspended(QWidget* widget) : m_widget(widget->updatesEnabled() ? widget : nullptr)
    {
        if (m_widget) {
            m_widget->setUpdatesEnabled(false);
        }
    }
    ~UpdatesSuspended()
    {
        if (m_widget) {
            m_widget->setUpdatesEnabled(true);
        }
    }
    UpdatesSuspended(const UpdatesSuspended&) = delete;
    UpdatesSuspended& operator=(const UpdatesSuspended&) = delete;

private:
    QWidget* m_widget;
};

} // namespace

ScaleDirective scaleDirective(const QString& tag)
{
    const QString directive = tag.toUpper();
    if (!directive.startsWith(u'@')) {
        return {};
    }
    return {directive.contains(u'L'), directive.contains(u'T'), directive.contains(u'W'),
            directive.contains(u'H')};
}

void clsResize::setSourceForm(QWidget* form)
{
    if (form != m_sourceForm) {
        NeedsRecording = true;
        Layouts.clear();
    }
    m_sourceForm = form;
}

void clsResize::ReInitialise()
{
    RecordBaseLayout();
}

void clsResize::RecordBaseLayout()
{
    QWidget* form = m_sourceForm;
    if (!form) {
        return;
    }
    const QSize client = clientSize(form);
    BaseWidth = roundHalfEven(pixelsToTwips(client.width()));
    BaseHeight = roundHalfEven(pixelsToTwips(client.height()));

    Layouts.clear();
    const std::vector<QWidget*> controls = controlsOf(form);
    Layouts.reserve(controls.size());
    for (QWidget* control : controls) {
        ControlLayout entry;
        entry.Control = control;
        if (const auto* line = qobject_cast<const Line*>(control)) {
            entry.Left = roundHalfEven(line->X1());
            entry.Top = roundHalfEven(line->Y1());
            entry.Width = roundHalfEven(line->X2());
            entry.Height = roundHalfEven(line->Y2());
        } else {
            const QRect place = control->geometry();
            entry.Left = roundHalfEven(pixelsToTwips(place.x()));
            entry.Top = roundHalfEven(pixelsToTwips(place.y()));
            entry.Width = roundHalfEven(pixelsToTwips(place.width()));
            entry.Height = roundHalfEven(pixelsToTwips(place.height()));
        }
        Layouts.push_back(entry);
    }
    NeedsRecording = false;
}

void clsResize::SizeFormToScreen(int percent)
{
    QWidget* form = m_sourceForm;
    if (!form) {
        return;
    }
    // The base is the design size the window has before we first size it.
    if (NeedsRecording) {
        RecordBaseLayout();
    }
    QScreen* screen = form->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // Whole twips on both counts, so the floor is exact rather than at the mercy of 0.01 * percent.
    const qint64 screenWidth = qint64(available.width()) * qint64(TwipsPerPixel);
    const qint64 screenHeight = qint64(available.height()) * qint64(TwipsPerPixel);
    const qint64 share = std::max(percent, 0);
    const qint64 height = share * screenHeight / 100;
    const qint64 width = share * screenWidth / 100;

    moveOuterTwips(form, pixelsToTwips(available.x()) + double(screenWidth - width) / 2.0,
                   pixelsToTwips(available.y()) + double(screenHeight - height) / 2.0);
    resizeOuterTwips(form, double(width), double(height));
    ResizeControls();
}

void clsResize::ResizeControls()
{
    QWidget* form = m_sourceForm;
    if (!form) {
        return;
    }
    if (NeedsRecording) {
        // The first size seen with controls on the window becomes the base; a minimised window's
        // client size means nothing, so it must not become the base either.
        if (form->isMinimized() || controlsOf(form).empty()) {
            return;
        }
        RecordBaseLayout();
        return;
    }
    if (Layouts.empty() || form->isMinimized()) {
        return;
    }
    // An empty base gives no ratio to scale by.
    if (BaseWidth == 0 || BaseHeight == 0) {
        return;
    }
    const QSize client = clientSize(form);
    const double ratioX = pixelsToTwips(client.width()) / BaseWidth;
    const double ratioY = pixelsToTwips(client.height()) / BaseHeight;

    const UpdatesSuspended suspended(form);
    for (const ControlLayout& entry : Layouts) {
        QWidget* control = entry.Control;
        if (!control) {
            continue;
        }
        const ScaleDirective scale = scaleDirective(control->property(TagProperty).toString());
        if (auto* line = qobject_cast<Line*>(control)) {
            line->setPoints(scale.left ? entry.Left * ratioX : line->X1(),
                            scale.top ? entry.Top * ratioY : line->Y1(),
                            scale.width ? entry.Width * ratioX : line->X2(),
                            scale.height ? entry.Height * ratioY : line->Y2());
            continue;
        }
        // Pixels only at the very end, from the recorded twips, so sizes never drift.
        const QRect now = control->geometry();
        const QRect next(scale.left ? twipsToPixelsRounded(entry.Left * ratioX) : now.x(),
                         scale.top ? twipsToPixelsRounded(entry.Top * ratioY) : now.y(),
                         scale.width ? twipsToPixelsRounded(entry.Width * ratioX) : now.width(),
                         scale.height ? twipsToPixelsRounded(entry.Height * ratioY) : now.height());
        if (next != now) {
            control->setGeometry(next);
        }
    }
}

void LoadProportionalLayout(clsResize& layout, QWidget* form, int width, int height, std::optional<int> left)
{
    resizeOuterTwips(form, width, height);
    if (form->layout()) {
        form->layout()->activate();
    }
    layout.setSourceForm(form);
    layout.SizeFormToScreen(75);
    resizeOuterTwips(form, width, height);
    if (left) {
        moveOuterTwips(form, *left, pixelsToTwips(form->pos().y()));
    }
}

} // namespace pondra
