#pragma once

#include <QString>
#include <QWidget>

namespace pondra {

// Tells a screen reader a short text whatever control has the focus, as "resto da assegnare:
// 15 %": a notification that shows itself anew with each text, which readers speak as they speak
// a desktop notification. A renamed label is heard only while it has the focus. Nothing of it is
// seen. Texts told in one turn of the event loop are said together, so one does not cut off the
// other, and of two of a kind (what comes before ": ") only the newer.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
    // What was said last.
    QString said() const { return m_said; }

private:
    void sayPending();

    QStringList m_pending;
    QString m_said;
};

} // namespace pondra
