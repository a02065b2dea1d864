#include "archive/recoveryfile.h"
#include "support/studybuilder.h"
#include "ui/core/crashrecovery.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace pondra;

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

std::unique_ptr<Study> readBack(const QString& path, TitlePage* page = nullptr)
{
    auto study = std::make_unique<Study>();
    TitlePage read;
    QString error;
    if (!readRecoveryFile(path, *study, read, &error)) {
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

    void everySlotInUse_andUnstorableCharacters_kept()
    {
        QTemporaryDir dir;
        auto study = std::make_unique<Study>();
        testsupport::nameHypothesis(*study, 1, QStringLiteral("Prima"));
        testsupport::enterRow(*study, 1, 1, QString::fromUtf16(u"qualità ≥ 3"), 3, 100);
        // Rows typed in a slot past the named ones, its name still to come.
        testsupport::enterRow(*study, 3, 1, QStringLiteral("costo"), 5, 40);
        TitlePage page;
        page.progetto = QString::fromUtf16(u"Perizia “A” — €");
        const QString file = dir.filePath(QStringLiteral("r.txt"));
        QVERIFY(writeRecoveryFile(file, *study, page, nullptr));

        auto expected = std::make_unique<Study>(*study);
        expected->row(1, 1).name = Value::text(QString::fromUtf16(u"qualità ? 3"));
        TitlePage read;
        QVERIFY(*readBack(file, &read) == *expected);
        QCOMPARE(read.progetto, page.progetto); // all in the code page
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
};

QTEST_GUILESS_MAIN(TestCrashRecovery)
#include "tst_crashrecovery.moc"
