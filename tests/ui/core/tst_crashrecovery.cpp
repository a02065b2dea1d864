#include "archive/datafile.h"
#include "archive/recoveryfile.h"
#include "support/studybuilder.h"
#include "ui/core/crashrecovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace pondra;
using namespace Qt::StringLiterals;

namespace {

// A study and its edits as the recovery sees them.
struct Editing {
    std::unique_ptr<Study> study = std::make_unique<Study>();
    TitlePage page;
    quint64 revision = 0;
    std::optional<quint64> saved = 0;

    void edit(const std::function<void(Study&)>& change)
    {
        change(*study);
        ++revision;
    }
    CrashRecovery::Source source()
    {
        return {[this]() -> const Study& { return *study; }, [this] { return page; },
                [this]() -> std::optional<quint64> {
                    return revision == saved ? std::nullopt : std::optional<quint64>(revision);
                }};
    }
};

std::unique_ptr<Study> readBack(const QString& path, TitlePage* page = nullptr, QString* studyFile = nullptr)
{
    auto study = std::make_unique<Study>();
    TitlePage read;
    QString error;
    if (!readRecoveryFile(path, *study, read, studyFile, &error)) {
        qWarning("%s", qUtf8Printable(error));
        return nullptr;
    }
    if (page) {
        *page = read;
    }
    return study;
}

} // namespace

class TestCrashRecovery : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void written_onlyWhenUnsavedAndChanged_removedWhenSavedAndOnExit()
    {
        QTemporaryDir dir;
        Editing e;
        QString file;
        {
            CrashRecovery recovery(dir.path(), e.source());
            recovery.start();
            file = recovery.file();
            QVERIFY(file.startsWith(dir.path()));
            recovery.writeIfChanged();
            QVERIFY(!QFile::exists(file)); // nothing unsaved

            e.edit([](Study& s) { testsupport::nameHypothesis(s, 1, QStringLiteral("Sede")); });
            recovery.writeIfChanged();
            QVERIFY(QFile::exists(file));
            QFile::remove(file);
            recovery.writeIfChanged(); // unchanged since the last write: not written again
            QVERIFY(!QFile::exists(file));

            e.edit([](Study& s) { testsupport::enterRow(s, 1, 1, QStringLiteral("costo"), 3, 100); });
            recovery.writeIfChanged();
            QVERIFY(*readBack(file) == *e.study);

            e.saved = e.revision;
            recovery.writeIfChanged();
            QVERIFY(!QFile::exists(file));

            e.edit([](Study& s) { testsupport::nameHypothesis(s, 2, QStringLiteral("Altra")); });
            recovery.writeIfChanged();
            QVERIFY(QFile::exists(file));
        }
        QVERIFY(!QFile::exists(file));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // the lock is gone too
    }

    void everySlotInUse_everyCharacter_andTheStudysFile_kept_data()
    {
        QTest::addColumn<QString>("studyFile");
        QTest::newRow("none") << QString();
        QTest::newRow("plain") << QStringLiteral("/home/geom/Pondra-dati-sede.txt");
        QTest::newRow("odd") << QString::fromUtf16(u"/tmp/100% \"ŝ\"\r\nPondra-recupero,x.txt");
    }
    void everySlotInUse_everyCharacter_andTheStudysFile_kept()
    {
        QFETCH(QString, studyFile);
        QTemporaryDir dir;
        auto study = std::make_unique<Study>();
        testsupport::nameHypothesis(*study, 1, QString::fromUtf16(u"Łódź 🏠"));
        testsupport::enterRow(*study, 1, 1, QString::fromUtf16(u"qualità ≥ 3 \"ő\""), 3, 100);
        // Rows typed in a slot past the named ones, its name still to come.
        testsupport::enterRow(*study, 3, 1, QStringLiteral("costo"), 5, 40);
        TitlePage page;
        page.progetto = QString::fromUtf16(u"Perizia “A” — € Ωμέγα");
        const QString file = dir.filePath(QStringLiteral("r.txt"));
        QVERIFY(writeRecoveryFile(file, *study, page, studyFile, nullptr));

        TitlePage read;
        QString readFile = QStringLiteral("-");
        QVERIFY(*readBack(file, &read, &readFile) == *study);
        QCOMPARE(read, page);
        QCOMPARE(readFile, studyFile);
        // Still a data file: Apri reads the study, the name after it left alone.
        auto opened = std::make_unique<Study>();
        QVERIFY(loadStudyFile(file, *opened, read, nullptr));
        QVERIFY(*opened == *study);
    }

    void twoPrograms_ownFiles_neitherClaimsTheOther_onlyLeftFilesOffered()
    {
        QTemporaryDir dir;
        Editing a;
        Editing b;
        CrashRecovery first(dir.path(), a.source());
        CrashRecovery second(dir.path(), b.source());
        first.start();
        second.start();
        QVERIFY(first.started() && second.started());
        QVERIFY(first.file() != second.file());
        a.edit([](Study& s) { testsupport::nameHypothesis(s, 1, QStringLiteral("A")); });
        b.edit([](Study& s) { testsupport::nameHypothesis(s, 1, QStringLiteral("B")); });
        first.writeIfChanged();
        second.writeIfChanged();
        QVERIFY(*readBack(first.file()) == *a.study);
        QVERIFY(*readBack(second.file()) == *b.study);
        QVERIFY(first.folder().orphans().isEmpty());

        // A file whose program is gone: its lock is free.
        const QString left = dir.filePath(QStringLiteral("recupero-1-1.txt"));
        QVERIFY(QFile::copy(second.file(), left));
        const QList<RecoveryFolder::Orphan> orphans = first.folder().orphans();
        QCOMPARE(orphans.size(), 1);
        QCOMPARE(orphans.at(0).path, left);
        // Claimed while the first program decides: another one starting now does not see it.
        QVERIFY(second.folder().orphans().isEmpty());

        const QString aside = RecoveryFolder::moveAside(orphans.at(0));
        QVERIFY(QFile::exists(aside));
        QVERIFY(!QFile::exists(left));
        QVERIFY(second.folder().orphans().isEmpty());
    }

    void takenOver_goesOnlyOnceTheStudyIsSafe_data()
    {
        // What happens to a recovered study after its file is taken over, and where that leaves the
        // file: gone, still held by this program, or free for the next program that starts.
        QTest::addColumn<QStringList>("then");
        QTest::addColumn<QString>("file");
        QTest::newRow("kept again") << QStringList{u"write"_s} << u"gone"_s;
        QTest::newRow("write fails") << QStringList{u"block"_s} << u"held"_s;
        QTest::newRow("write fails, then works") << QStringList{u"block"_s, u"write"_s} << u"gone"_s;
        QTest::newRow("write fails, saved") << QStringList{u"block"_s, u"save"_s} << u"gone"_s;
        QTest::newRow("write fails, another study") << QStringList{u"block"_s, u"replace"_s} << u"free"_s;
        QTest::newRow("write fails, exit") << QStringList{u"block"_s, u"exit"_s} << u"free"_s;
    }
    void takenOver_goesOnlyOnceTheStudyIsSafe()
    {
        QFETCH(QStringList, then);
        QFETCH(QString, file);
        QTemporaryDir dir;
        Editing e;
        e.edit([](Study& s) { testsupport::nameHypothesis(s, 1, QStringLiteral("Rimasta")); });
        const QString left = dir.filePath(QStringLiteral("recupero-1-1-1.txt"));
        QVERIFY(writeRecoveryFile(left, *e.study, e.page, QString(), nullptr));
        auto recovery = std::make_unique<CrashRecovery>(dir.path(), e.source());
        recovery->start();
        QList<RecoveryFolder::Orphan> orphans = recovery->folder().orphans();
        QCOMPARE(orphans.size(), 1);
        recovery->takeOver(orphans.takeFirst());
        for (const QString& step : then) {
            if (step == u"block"_s) {
                QVERIFY(QDir().mkdir(recovery->file()));
                QVERIFY(!recovery->writeIfChanged());
            } else if (step == u"write"_s) {
                QDir().rmdir(recovery->file());
                QVERIFY(recovery->writeIfChanged());
            } else if (step == u"save"_s) {
                e.saved = e.revision;
                recovery->discard();
            } else if (step == u"replace"_s) {
                recovery->letGoOfTakenOver();
            } else {
                recovery.reset();
            }
        }
        QCOMPARE(QFile::exists(left), file != u"gone"_s);
        QCOMPARE(RecoveryFolder(dir.path()).orphans().size(), file == u"free"_s ? 1 : 0);
    }

    void folderAndFiles_forTheOwnerOnly_staleLocksRemoved()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("recupero"));
        QVERIFY(QDir().mkdir(folder)); // as an earlier version left it
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                  QFileDevice::ExeOther));
        Editing e;
        CrashRecovery recovery(folder, e.source());
        recovery.start();
        e.edit([](Study& s) { testsupport::nameHypothesis(s, 1, QStringLiteral("Sede")); });
        QVERIFY(recovery.writeIfChanged());
        // The bits for the user running the test, whoever owns the file, left out.
        const auto bits = [](const QString& path) {
            return QFileInfo(path).permissions() &
                   ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        };
        const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QCOMPARE(bits(folder), owner | QFileDevice::ExeOwner);
        QCOMPARE(bits(recovery.file()), owner);

        // A lock left by a program that is gone (no process has that number) and one of a
        // program still running, neither with a recovery file.
        QLockFile live(QDir(folder).filePath(QStringLiteral("recupero-2-2-2.lock")));
        QVERIFY(live.tryLock(0));
        QFile liveFile(QDir(folder).filePath(QStringLiteral("recupero-2-2-2.lock")));
        QVERIFY(liveFile.open(QIODevice::ReadOnly));
        QByteArray gone = liveFile.readAll();
        gone.replace(0, gone.indexOf('\n'), "999999999");
        QFile stale(QDir(folder).filePath(QStringLiteral("recupero-1-1-1.lock")));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(gone);
        stale.close();
        QVERIFY(recovery.folder().orphans().isEmpty());
        QVERIFY(!stale.exists());
        QVERIFY(liveFile.exists());
    }

    void unusableFolder_toldOnce_whenSomethingIsAtRisk()
    {
        QTemporaryDir dir;
        // A file where the folder should be: nothing can be made in it, whoever runs the program.
        const QString folder = dir.filePath(QStringLiteral("recupero"));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Editing e;
        CrashRecovery recovery(folder, e.source());
        QStringList told;
        bool listening = false;
        recovery.setProblemHandler([&](const QString& text) {
            told << text;
            return listening;
        });
        recovery.start();
        QVERIFY(!recovery.started());
        QVERIFY(!recovery.writeIfChanged());
        QVERIFY(told.isEmpty()); // nothing unsaved, nothing at risk
        e.edit([](Study& s) { testsupport::nameHypothesis(s, 1, QStringLiteral("Sede")); });
        QVERIFY(!recovery.writeIfChanged());
        listening = true; // not told the first time: told again
        e.edit([](Study& s) { testsupport::nameHypothesis(s, 2, QStringLiteral("Altra")); });
        QVERIFY(!recovery.writeIfChanged());
        e.edit([](Study& s) { testsupport::nameHypothesis(s, 3, QStringLiteral("Terza")); });
        QVERIFY(!recovery.writeIfChanged());
        QCOMPARE(told.size(), 2);

        // Usable again: kept from then on.
        QVERIFY(blocker.remove());
        QVERIFY(recovery.writeIfChanged());
        QVERIFY(*readBack(recovery.file()) == *e.study);
    }
};

QTEST_GUILESS_MAIN(TestCrashRecovery)
#include "tst_crashrecovery.moc"
