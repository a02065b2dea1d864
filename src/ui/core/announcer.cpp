#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

#include <algorithm>

namespace pondra {

namespace {

class AnnouncementAccessible : public QAccessibleWidget {
public:
    explicit AnnouncementAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const Announcer*>(widget())->said() : QString();
    }
};

QAccessibleInterface* announcerFactory(const QString&, QObject* object)
{
    auto* announcer = qobject_cast<Announcer*>(object);
    return announcer ? new AnnouncementAccessible(announcer) : nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(announcerFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("annuncio"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Shown, for a reader to take it as a notification shown, but a point in a corner.
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::announce(const QString& text)
{
    if (m_pending.isEmpty()) {
        QTimer::singleShot(0, this, &Announcer::sayPending);
    }
    // A newer text of the same kind ("resto da assegnare: ...") takes the older one's place.
    const QString kind = text.section(QStringLiteral(": "), 0, 0);
    const auto older = std::find_if(m_pending.begin(), m_pending.end(), [&kind](const QString& pending) {
        return pending.section(QStringLiteral(": "), 0, 0) == kind;
    });
    if (older != m_pending.end()) {
        *older = text;
    } else {
        m_pending << text;
    }
}

void Announcer::sayPending()
{
    m_said = m_pending.join(QStringLiteral(". "));
    m_pending.clear();
    if (!window()->isActiveWindow()) {
        return;
    }
    hide();
    show();
}

} // namespace pondra
