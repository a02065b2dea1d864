#pragma once

#include <QAccessible>
#include <QWidget>

namespace pondra {

// Renames a control for a screen reader and tells it so, so that a figure or a hint that
// changes is heard changed ("resto da assegnare: 15"), whatever the Qt version sends itself.
inline void setSpokenName(QWidget* widget, const QString& name)
{
    if (widget->accessibleName() == name) {
        return;
    }
    widget->setAccessibleName(name);
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

// The same for what a control says beyond its name.
inline void setSpokenDescription(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() == description) {
        return;
    }
    widget->setAccessibleDescription(description);
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace pondra
