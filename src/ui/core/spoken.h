#pragma once

#include <QWidget>

namespace pondra {

// Renames a control for a screen reader, which hears the change (Qt tells it: a figure or a
// hint that changes is heard changed, "resto da assegnare: 15 %"). Unchanged, nothing is told.
inline void setSpokenName(QWidget* widget, const QString& name)
{
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
}

// The same for what a control says beyond its name.
inline void setSpokenDescription(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

} // namespace pondra
