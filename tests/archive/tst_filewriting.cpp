#include "archive/filewriting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace pondra;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Every failed save, of a data file or an exported document, says its cause in Italian and
// leaves the previous file as it was. A full disk and a disk without free inodes need a file
// system of their own; they are tried by hand on small tmpfs mounts.
class TestFileWriting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void failure_namesTheCause_keepsOldFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder in its place")
            << QStringLiteral("folder") << QStringLiteral("è una cartella.");
        QTest::newRow("missing folder") << QStringLiteral("missing") << QStringLiteral("non esiste.");
        QTest::newRow("read-only file")
            << QStringLiteral("readonly") << QStringLiteral("è un file di sola lettura.");
#ifdef Q_OS_WIN
        // Windows will not replace a file another program holds open.
        QTest::newRow("file held open")
            << QStringLiteral("held") << QStringLiteral("la scrittura non è riuscita.");
#endif
#ifdef Q_OS_UNIX
        QTest::newRow("write stopped midway")
            << QStringLiteral("limit") << QStringLiteral("la scrittura non è riuscita.");
        QTest::newRow("folder not writable")
            << QStringLiteral("locked")
            << QStringLiteral("non si hanno i permessi per scrivere nella cartella");
        QTest::newRow("a link to a FIFO")
            << QStringLiteral("fifo") << QStringLiteral("non è un file ordinario.");
#endif
    }
    void failure_namesTheCause_keepsOldFile()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
#ifdef Q_OS_UNIX
        // Permissions do not stop root.
        if ((setup == u"readonly" || setup == u"locked") && geteuid() == 0) {
            QSKIP("permissions do not hold for root");
        }
#endif
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("Pondra-dati-x"));
        const QByteArray old(300, 'o');
        const QByteArray fresh(4096, 'n');
        QFile existing(path);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write(old);
        existing.close();
        if (setup == u"folder") {
            path = dir.filePath(QStringLiteral("cartella"));
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cartella")));
        } else if (setup == u"missing") {
            path = dir.filePath(QStringLiteral("manca/Pondra-dati-x"));
        } else if (setup == u"readonly") {
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
#ifdef Q_OS_UNIX
        } else if (setup == u"fifo") {
            // Beside a FIFO of its own, so that only the link points at it.
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("fifo")));
            path = dir.filePath(QStringLiteral("fifo/collegamento"));
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo/f"))).constData(), 0600),
                     0);
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("fifo/f")), path));
#endif
        } else if (setup == u"locked") {
            QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }

        QFile holder(path);
        if (setup == u"held") {
            QVERIFY(holder.open(QIODevice::ReadOnly));
        }

        QString error;
        bool saved = false;
#ifdef Q_OS_UNIX
        // A file-size limit stops the write midway, even for root.
        rlimit before{};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        if (setup == u"limit") {
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
            rlimit tight = before;
            tight.rlim_cur = 1024;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        }
        saved = saveWholeFile(path, fresh, &error);
        if (setup == u"limit") {
            setrlimit(RLIMIT_FSIZE, &before);
        }
        std::signal(SIGXFSZ, handler);
#else
        saved = saveWholeFile(path, fresh, &error);
#endif
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QVERIFY(!saved);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(contentOf(dir.filePath(QStringLiteral("Pondra-dati-x"))), old);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).size() == 1); // no temporary left behind

        // Once the cause is gone, the same save goes through.
        holder.close();
        if (setup == u"limit" || setup == u"readonly" || setup == u"held") {
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QVERIFY2(saveWholeFile(path, fresh, &error), qPrintable(error));
            QCOMPARE(contentOf(path), fresh);
        }
    }
};

QTEST_GUILESS_MAIN(TestFileWriting)
#include "tst_filewriting.moc"
