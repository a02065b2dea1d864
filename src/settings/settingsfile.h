#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace pondra {

// The user's settings file, INI as QSettings writes it, read as data: each value is taken as the
// type the program expects (a text, a list of texts, a yes or no) and anything else, a
// "@Variant(...)" above all, is ignored with a note on stderr instead of being turned into an
// object. The file is read only when it is a regular file of at most MaxBytes; otherwise it is
// left alone, said once, and every value takes its default.
class SettingsFile {
public:
    static constexpr qint64 MaxBytes = 1024 * 1024;

    explicit SettingsFile(QString path);

    const QString& path() const { return m_path; }

    // Reads the file again, as another running program may have written it.
    void reload();
    // Whether the file, as last read, holds any value.
    bool isEmpty() const { return m_values.isEmpty(); }

    // The value of "Group/Name" ("Name" alone for the file's general part), if it is of the type asked.
    std::optional<QString> text(const QString& key) const;
    std::optional<QStringList> texts(const QString& key) const;
    std::optional<bool> flag(const QString& key) const;

    // Rewrites the file with the value set, every other line as it is on disk now; through a
    // temporary file beside it, never through a link to anything but a regular file. False,
    // with a note on stderr, when the file cannot be written.
    bool setTexts(const QString& key, const QStringList& texts);
    bool setFlag(const QString& key, bool value);

private:
    bool setRaw(const QString& key, const QString& raw);

    QString m_path;
    // Each key as written in the file, with its value still escaped.
    QHash<QString, QString> m_values;
};

// Says `text` on stderr, prefixed with the program's name, once in the life of the process.
void noteOnce(const QString& text);

} // namespace pondra
