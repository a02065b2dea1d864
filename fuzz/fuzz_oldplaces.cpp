// Builds, from arbitrary bytes, the places an older version kept the user's files in, on a
// temporary tree beside a folder of the user's own, and moves them as the program does at start.
//
// The bytes choose: the old settings (none, a file of the given bytes, a link to the user's
// file, an old folder that is a link, a FIFO), whether new settings are there already, the old
// recovery folder (none, a folder, a link to the user's folder), and up to eight entries in it,
// each a name (the program's or not) and a kind (a file, a link to the user's file, a folder,
// a FIFO).
//
// What must hold:
//  - nothing of the user's folder changes;
//  - in the old recovery folder, anything that is not a regular file of the program's naming
//    stays as it was; a recovery copy is either where it was or in the new folder, whole;
//  - old settings reached through a link stay as they were; a regular old settings file either
//    stays as it was or becomes, byte for byte, the new settings file, which was not there;
// Any breach aborts with a short description on stderr.

#include "breach.h"

#include "settings/userfiles.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <sys/stat.h>

using namespace pondra;

namespace {

// What a tree holds: each path under the root with its kind and bytes.
QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString path = QDir(root).relativeFilePath(info.filePath());
        if (info.isSymLink()) {
            entries[path] = "link:" + QFile::encodeName(info.symLinkTarget());
        } else if (info.isDir()) {
            entries[path] = "folder";
        } else if (!info.isFile()) {
            entries[path] = "other";
        } else {
            QFile file(info.filePath());
            entries[path] = "file:" + (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
        }
    }
    return entries;
}

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        breach("albero di prova", path);
    }
}

void makeFifo(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    ::mkfifo(QFile::encodeName(path).constData(), 0600);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const char* const names[] = {
        "recupero-1-1-1.txt", "recupero-1-1-1.lock", "illeggibile-recupero-2-2-1.txt",
        "tesi.odt",           ".nascosto",           "recupero-x.txt",
        "recupero-3-3-3.txt", "recupero-3-3-3.lock"};
    const auto byte = [&](std::size_t i) { return i < size ? data[i] : std::uint8_t(0); };
    QTemporaryDir home;
    const QString own = home.filePath(QStringLiteral("Documenti"));
    write(own + QStringLiteral("/tesi.odt"), "tesi");
    write(own + QStringLiteral("/recupero-9-9-9.txt"), "studio dell'utente");
    write(own + QStringLiteral("/Pondra.conf"), "[General]\nFileRecenti=/studi/a.txt\n");
    const UserFilePlaces places{.settingsFile = home.filePath(QStringLiteral("cfg/pondra/pondra.conf")),
                                .oldSettingsFile = home.filePath(QStringLiteral("cfg/Pondra/Pondra.conf")),
                                .recoveryFolder = home.filePath(QStringLiteral("data/pondra/recupero")),
                                .oldRecoveryFolder =
                                    home.filePath(QStringLiteral("data/Pondra/Pondra/recupero"))};
    const QByteArray oldSettings =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(std::min<std::size_t>(size, 64)));
    switch (byte(0) % 5) {
    case 1:
        write(places.oldSettingsFile, oldSettings);
        break;
    case 2:
        QDir().mkpath(QFileInfo(places.oldSettingsFile).path());
        QFile::link(own + QStringLiteral("/Pondra.conf"), places.oldSettingsFile);
        break;
    case 3:
        QDir().mkpath(home.filePath(QStringLiteral("cfg")));
        QFile::link(own, QFileInfo(places.oldSettingsFile).path());
        break;
    case 4:
        makeFifo(places.oldSettingsFile);
        break;
    }
    if (byte(1) % 2) {
        write(places.settingsFile, "[General]\nFileRecenti=/studi/nuovo.txt\n");
    }
    const bool realOldFolder = byte(2) % 3 == 1;
    if (byte(2) % 3 == 2) {
        QDir().mkpath(home.filePath(QStringLiteral("data/Pondra/Pondra")));
        QFile::link(own, places.oldRecoveryFolder);
    }
    for (std::size_t i = 3; realOldFolder && i + 1 < size && i < 3 + 2 * 8; i += 2) {
        const QString path = QDir(places.oldRecoveryFolder).filePath(QString::fromLatin1(names[byte(i) % 8]));
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
            continue;
        }
        switch (byte(i + 1) % 4) {
        case 0:
            write(path, "copia " + QByteArray::number(int(i)));
            break;
        case 1:
            QDir().mkpath(places.oldRecoveryFolder);
            QFile::link(own + QStringLiteral("/tesi.odt"), path);
            break;
        case 2:
            QDir().mkpath(path);
            break;
        case 3:
            makeFifo(path);
            break;
        }
    }

    const QMap<QString, QByteArray> ownBefore = snapshot(own);
    const QMap<QString, QByteArray> oldBefore = snapshot(places.oldRecoveryFolder);
    const QMap<QString, QByteArray> settingsBefore = snapshot(home.filePath(QStringLiteral("cfg")));
    const bool newSettingsThere = QFileInfo::exists(places.settingsFile);
    moveOldUserFiles(places);

    if (snapshot(own) != ownBefore) {
        breach("cartella dell'utente cambiata");
    }
    const QMap<QString, QByteArray> oldAfter = snapshot(places.oldRecoveryFolder);
    const QMap<QString, QByteArray> moved = snapshot(places.recoveryFolder);
    for (auto it = oldBefore.cbegin(); it != oldBefore.cend(); ++it) {
        const bool ours = it.key().contains(QStringLiteral("recupero-")) && !it.key().contains(u'/') &&
                          it.key() != QStringLiteral("recupero-x.txt") && it->startsWith("file:");
        if (!ours && oldAfter.value(it.key()) != *it) {
            breach("file non del programma toccato", it.key());
        }
        if (ours && it.key().endsWith(QStringLiteral(".txt")) && oldAfter.value(it.key()) != *it &&
            moved.value(it.key()) != *it) {
            breach("copia di recupero persa", it.key());
        }
    }
    const QMap<QString, QByteArray> settingsAfter = snapshot(home.filePath(QStringLiteral("cfg")));
    const QString oldKey = QStringLiteral("Pondra/Pondra.conf");
    const QString newKey = QStringLiteral("pondra/pondra.conf");
    if (settingsAfter.value(oldKey) != settingsBefore.value(oldKey)) {
        const bool movedWhole = settingsBefore.value(oldKey).startsWith("file:") && !newSettingsThere &&
                                settingsAfter.value(newKey) == settingsBefore.value(oldKey);
        if (!movedWhole) {
            breach("impostazioni vecchie toccate");
        }
    }
    if (newSettingsThere && settingsAfter.value(newKey) != settingsBefore.value(newKey)) {
        breach("impostazioni nuove sovrascritte");
    }
    return 0;
}
