#include "settings/installation.h"
#include "settings/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace pondra;

class TestSettingsFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valuesOfAnotherType_areIgnored()
    {
        QTemporaryDir home;
        const QString path = home.filePath(QStringLiteral("pondra.conf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A colour, as QSettings writes one: reading it as an object needs the GUI.
        file.write("[General]\nFileRecenti=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\0\\0\\0\\0)\n"
                   "[Owner]\nStudioName=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff\\0\\0\\0\\0\\0\\0)\n"
                   "[Relazione]\nIncludiSolidita=true\nIncludiPesi=forse\n");
        file.close();
        const Settings settings(path);
        QCOMPARE(settings.recentFiles(), QStringList());
        // As if it were not there: the shipped default.
        QCOMPARE(settings.installation(Settings::Installation::OwnerStudioName),
                 Settings(home.filePath(QStringLiteral("nessuno.conf")))
                     .installation(Settings::Installation::OwnerStudioName));
        QVERIFY(settings.reportIncludesRobustness());
        QVERIFY(!settings.reportIncludesWeighting());
    }

    void writtenList_readsBackInQSettingsToo()
    {
        QTemporaryDir home;
        const QString path = home.filePath(QStringLiteral("pondra.conf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray others = "[Owner]\nStudioName=Studio Rossi ; il nostro\n";
        file.write(others);
        file.close();
        const QStringList names{QStringLiteral("/a, b;c/\"d\"\\e.txt"), QStringLiteral("@lavoro.txt"),
                                QStringLiteral(" spazi \x01"
                                               "a è.txt"),
                                QString()};
        Settings(path).setRecentFiles(names);
        QCOMPARE(Settings(path).recentFiles(), names);
        QCOMPARE(QSettings(path, QSettings::IniFormat).value(QStringLiteral("FileRecenti")).toStringList(),
                 names);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(others));
    }

    void fifoInItsPlace_isLeftAlone()
    {
        QTemporaryDir home;
        const QString fifo = home.filePath(QStringLiteral("fifo"));
        const QString link = home.filePath(QStringLiteral("pondra.conf"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(fifo, link));
        for (const QString& path : {fifo, link}) {
            auto reading = std::async(std::launch::async, [path] {
                Settings settings(path);
                settings.setReportIncludesRobustness(true);
                return settings.recentFiles();
            });
            if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
                // A writer lets the stuck reader go, so that the test can end.
                ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
                QFAIL("reading the settings waits on a FIFO");
            }
            QCOMPARE(reading.get(), QStringList());
        }
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(fifo).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QVERIFY(QFileInfo(link).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
