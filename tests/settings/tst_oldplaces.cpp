#include "settings/settings.h"
#include "settings/userfiles.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace pondra;

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestOldPlaces : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps no older places: nothing moves there.");
#endif
    }
    void moveOldUserFiles_data()
    {
        QTest::addColumn<QByteArray>("oldSettings");
        QTest::addColumn<QByteArray>("newSettings");
        QTest::addColumn<QStringList>("oldRecovery");
        QTest::addColumn<QStringList>("newRecovery");
        QTest::addColumn<QStringList>("heldByARunningProgram");
        QTest::addColumn<QString>("expectedRecent");
        QTest::addColumn<QStringList>("expectedNewRecovery");
        QTest::addColumn<QStringList>("expectedLeftBehind");
        QTest::addColumn<int>("problems");

        const QByteArray older =
            "[General]\nFileRecenti=/studi/Pondra-dati-vecchio.txt\n[Owner]\nStudioName=Studio Rossi\n";
        const QString study = QStringLiteral("recupero-10-20-1.txt");
        const QString unreadable = QStringLiteral("illeggibile-recupero-7-8-1.txt");
        QTest::newRow("nothing old") << QByteArray() << QByteArray() << QStringList() << QStringList()
                                     << QStringList() << QString() << QStringList() << QStringList() << 0;
        QTest::newRow("everything moves, stale locks go")
            << older << QByteArray() << QStringList{study, unreadable, QStringLiteral("recupero-3-4-1.lock")}
            << QStringList() << QStringList() << QStringLiteral("/studi/Pondra-dati-vecchio.txt")
            << QStringList{unreadable, study} << QStringList() << 0;
        QTest::newRow("settings in use are not overwritten")
            << older << QByteArray("[General]\nFileRecenti=/studi/nuovo.txt\n") << QStringList()
            << QStringList() << QStringList() << QStringLiteral("/studi/nuovo.txt") << QStringList()
            << QStringList() << 0;
        QTest::newRow("a running older program keeps its copy")
            << QByteArray() << QByteArray() << QStringList{study, unreadable} << QStringList()
            << QStringList{study} << QString() << QStringList{unreadable} << QStringList{study} << 0;
        QTest::newRow("a name already taken stays behind")
            << QByteArray() << QByteArray() << QStringList{study} << QStringList{study} << QStringList()
            << QString() << QStringList{study} << QStringList{study} << 1;
    }

    void moveOldUserFiles()
    {
        QFETCH(QByteArray, oldSettings);
        QFETCH(QByteArray, newSettings);
        QFETCH(QStringList, oldRecovery);
        QFETCH(QStringList, newRecovery);
        QFETCH(QStringList, heldByARunningProgram);
        QFETCH(QString, expectedRecent);
        QFETCH(QStringList, expectedNewRecovery);
        QFETCH(QStringList, expectedLeftBehind);
        QFETCH(int, problems);

        QTemporaryDir home;
        const QString oldConf = home.filePath(QStringLiteral("config/Pondra/Pondra.conf"));
        const QString newConf = home.filePath(QStringLiteral("config/pondra/pondra.conf"));
        const UserFilePlaces places{.settingsFile = newConf,
                                    .oldSettingsFile = oldConf,
                                    .recoveryFolder = home.filePath(QStringLiteral("data/pondra/recupero")),
                                    .oldRecoveryFolder =
                                        home.filePath(QStringLiteral("data/Pondra/Pondra/recupero"))};
        if (!oldSettings.isEmpty()) {
            write(oldConf, oldSettings);
        }
        if (!newSettings.isEmpty()) {
            write(newConf, newSettings);
        }
        for (const QString& name : oldRecovery) {
            // A lock is a stale one, of a program gone.
            write(QDir(places.oldRecoveryFolder).filePath(name),
                  name.endsWith(QStringLiteral(".lock"))
                      ? "999999999\npondra\n" + QSysInfo::machineHostName().toUtf8() + '\n'
                      : name.toUtf8());
        }
        for (const QString& name : newRecovery) {
            write(QDir(places.recoveryFolder).filePath(name), "già qui");
        }
        std::vector<std::unique_ptr<QLockFile>> held;
        for (const QString& name : heldByARunningProgram) {
            held.push_back(std::make_unique<QLockFile>(
                QDir(places.oldRecoveryFolder)
                    .filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".lock"))));
            QVERIFY(held.back()->tryLock(0));
        }

        QCOMPARE(pondra::moveOldUserFiles(places).size(), problems);

        const Settings current(newConf);
        QCOMPARE(current.recentFiles().value(0), expectedRecent);
        if (newSettings.isEmpty() && !oldSettings.isEmpty()) {
            QCOMPARE(current.installation(Settings::Installation::OwnerStudioName),
                     QStringLiteral("Studio Rossi"));
            QVERIFY(!QFileInfo::exists(QFileInfo(oldConf).path()));
        }
        if (!newSettings.isEmpty()) {
            QVERIFY(QFileInfo::exists(oldConf));
        }
        QCOMPARE(filesIn(places.recoveryFolder), expectedNewRecovery);
        for (const QString& name : expectedNewRecovery) {
            QFile moved(QDir(places.recoveryFolder).filePath(name));
            QVERIFY(moved.open(QIODevice::ReadOnly));
            QCOMPARE(moved.readAll(), newRecovery.contains(name) ? QByteArray("già qui") : name.toUtf8());
        }
        const QStringList left = filesIn(places.oldRecoveryFolder).filter(QStringLiteral(".txt"));
        QCOMPARE(left, expectedLeftBehind);
        // Emptied, the older version's folders are gone, up to the one named after the program.
        QCOMPARE(QFileInfo::exists(home.filePath(QStringLiteral("data/Pondra"))),
                 !expectedLeftBehind.isEmpty());

        // A later start moves what a program that has ended held, and nothing twice.
        held.clear();
        pondra::moveOldUserFiles(places);
        QStringList all = expectedNewRecovery + heldByARunningProgram;
        all.sort();
        QCOMPARE(filesIn(places.recoveryFolder), all);
    }

    // The user's own files, and anything reached through a link, stay where they are, whole.
    void foreignAndLinkedFiles_stay()
    {
        QTemporaryDir home;
        const QString documents = home.filePath(QStringLiteral("Documenti"));
        write(documents + QStringLiteral("/tesi.odt"), "tesi");
        write(documents + QStringLiteral("/recupero-1-2-1.txt"), "copia");
        write(documents + QStringLiteral("/Pondra.conf"), "[General]\nFileRecenti=/a.txt\n");
        const UserFilePlaces linked{.settingsFile = home.filePath(QStringLiteral("new/pondra.conf")),
                                    .oldSettingsFile = home.filePath(QStringLiteral("old/Pondra.conf")),
                                    .recoveryFolder = home.filePath(QStringLiteral("new/recupero")),
                                    .oldRecoveryFolder = home.filePath(QStringLiteral("old/P/P/recupero"))};
        QDir().mkpath(home.filePath(QStringLiteral("old/P/P")));
        QVERIFY(QFile::link(documents, linked.oldRecoveryFolder));
        QVERIFY(QFile::link(documents + QStringLiteral("/Pondra.conf"), linked.oldSettingsFile));
        QCOMPARE(pondra::moveOldUserFiles(linked).size(), 2);
        QCOMPARE(filesIn(documents),
                 (QStringList{QStringLiteral("Pondra.conf"), QStringLiteral("recupero-1-2-1.txt"),
                              QStringLiteral("tesi.odt")}));
        QCOMPARE(QFileInfo(documents + QStringLiteral("/Pondra.conf")).size(), 29);
        QVERIFY(!QFileInfo::exists(linked.settingsFile));

        const QString old = home.filePath(QStringLiteral("real/P/P/recupero"));
        write(old + QStringLiteral("/tesi.odt"), "tesi");
        write(old + QStringLiteral("/.nascosto"), "x");
        write(old + QStringLiteral("/recupero-3-4-1.txt"), "copia");
        QVERIFY(QFile::link(documents + QStringLiteral("/tesi.odt"),
                            old + QStringLiteral("/recupero-5-6-1.txt")));
        const UserFilePlaces real{.settingsFile = linked.settingsFile,
                                  .oldSettingsFile = linked.settingsFile,
                                  .recoveryFolder = linked.recoveryFolder,
                                  .oldRecoveryFolder = old};
        QCOMPARE(pondra::moveOldUserFiles(real).size(), 1);
        QCOMPARE(filesIn(real.recoveryFolder), QStringList{QStringLiteral("recupero-3-4-1.txt")});
        QCOMPARE(QDir(old).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
                 (QStringList{QStringLiteral(".nascosto"), QStringLiteral("recupero-5-6-1.txt"),
                              QStringLiteral("tesi.odt")}));
    }
};

QTEST_GUILESS_MAIN(TestOldPlaces)
#include "tst_oldplaces.moc"
