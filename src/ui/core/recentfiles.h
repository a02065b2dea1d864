#pragma once

#include <QString>
#include <QStringList>

namespace pondra {

class Environment;

// The studies last opened or saved, newest first, kept in the user's settings so that every
// running program and the next run share them.
class RecentFiles {
public:
    static constexpr int Capacity = 8;

    explicit RecentFiles(const Environment& environment) : m_environment(environment) {}

    QStringList paths() const;
    // Opened or saved: to the top of the list, once, as a full path.
    void add(const QString& path);
    void remove(const QString& path);

    // What the menu shows for the path at `number` (from 1): "&1 studio.txt", the file's name alone,
    // an "&" in it doubled so that it shows instead of marking the key.
    static QString menuText(int number, const QString& path);

private:
    void store(const QStringList& paths);

    const Environment& m_environment;
};

} // namespace pondra
