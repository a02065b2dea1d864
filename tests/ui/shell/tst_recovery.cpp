#include "archive/recoveryfile.h"
#include "support/editingsession.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/main/requisiti.h"
#include "ui/shell/archivecommands.h"
#include "ui/shell/recoveryoffer.h"
#include "ui/shell/shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

using namespace pondra;
using testsupport::controls;

namespace {

struct Kept {
    std::unique_ptr<Study> study = std::make_unique<Study>();
    TitlePage page;
    bool operator==(const Kept& o) const { return *study == *o.study && page == o.page; }
};

std::optional<Kept> read(const QString& path)
{
    Kept kept;
    QString error;
    if (!readRecoveryFile(path, *kept.study, kept.page, &error)) {
        qWarning("%s", qUtf8Printable(error));
        return std::nullopt;
    }
    return kept;
}

// The study as a recovery file keeps it: written and read back.
Kept asKept(const ModuloPondra& module, const QString& scratch)
{
    [&] { QVERIFY(writeRecoveryFile(scratch, module.study(), module.titlePage(), nullptr)); }();
    return read(scratch).value_or(Kept{});
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    QTemporaryDir dir;

    ModuloPondra& module() { return *scripted->module; }
    testsupport::ScriptedDialogs& dialogs() { return *scripted->dialogs; }
    QString folder()
    {
        return QDir(module().environment().userDataFolder()).filePath(QStringLiteral("recupero"));
    }

    // A study left by a program that is gone: a recovery file whose lock nobody holds.
    QString leftBehind(const QByteArray& bytes = {})
    {
        QDir().mkpath(folder());
        const QString path = QDir(folder()).filePath(QStringLiteral("recupero-1-1-1.txt"));
        if (bytes.isEmpty()) {
            Study study;
            testsupport::nameHypothesis(study, 1, QStringLiteral("Rimasta"));
            testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 100);
            TitlePage page;
            page.progetto = QStringLiteral("Perizia rimasta");
            [&] { QVERIFY(writeRecoveryFile(path, study, page, nullptr)); }();
        } else {
            QFile file(path);
            [&] { QVERIFY(file.open(QIODevice::WriteOnly)); }();
            file.write(bytes);
        }
        return path;
    }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
        module().recovery().start();
    }

    void offered_accepted_opensUnsavedWithoutName_andKeepsItAsItsOwn()
    {
        const QString left = leftBehind();
        const std::optional<Kept> expected = read(left);
        // The study held under the name of a file, which is gone since.
        QVERIFY(module().document().save(dir.filePath(QStringLiteral("altro")), nullptr));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("altro"))));
        QVERIFY(OfferRecovery(module()));
        QCOMPARE(dialogs().messages.size(), 1);
        const QString question = dialogs().messages.at(0).text;
        QVERIFY2(QRegularExpression(QString::fromUtf16(u"^È stato trovato uno studio non archiviato del "
                                                       u"\\d\\d/\\d\\d/\\d{4} \\(ore \\d\\d:\\d\\d\\)\\. "
                                                       u"Recuperarlo\\?$"))
                     .match(question)
                     .hasMatch(),
                 qPrintable(question));
        const Kept now{std::make_unique<Study>(module().study()), module().titlePage()};
        QVERIFY(now == *expected);
        QCOMPARE(module().document().fileName(), QString());
        QVERIFY(module().document().isModified());
        QVERIFY(!QFile::exists(left));
        QVERIFY(*read(module().recovery().file()) == *expected);
    }

    void offered_declined_removedAndNothingChanges()
    {
        const QString left = leftBehind();
        const auto before = std::make_unique<Study>(module().study());
        dialogs().answers.enqueue(MessageAnswer::No);
        QVERIFY(!OfferRecovery(module()));
        QVERIFY(module().study() == *before);
        QVERIFY(!module().document().isModified());
        QVERIFY(!QFile::exists(left));
    }

    void unreadable_movedAsideWithMessage_neverDeleted()
    {
        const QString left = leftBehind("3\r\n\"A\",1,,\r\n");
        QVERIFY(!OfferRecovery(module()));
        QCOMPARE(dialogs().messages.size(), 1);
        const QString aside = QDir(folder()).filePath(QStringLiteral("illeggibile-recupero-1-1-1.txt"));
        QVERIFY(dialogs().messages.at(0).text.contains(QDir::toNativeSeparators(aside)));
        QVERIFY(!QFile::exists(left));
        QVERIFY(QFile::exists(aside));
        QVERIFY(!OfferRecovery(module())); // not offered again
        QCOMPARE(dialogs().messages.size(), 1);
    }

    void written_onHypothesisChange_removedOnSave_andOnExit()
    {
        requisiti* data = module().window<requisiti>();
        const QString own = module().recovery().file();
        QTest::keyClicks(controls(data).ipotesi, QStringLiteral("Sede"));
        QVERIFY(!QFile::exists(own));
        controls(data).HScroll1->setValue(2);
        QVERIFY(QFile::exists(own));

        QTest::keyClicks(controls(module().window<frontespizio>()).progetto, QStringLiteral("Perizia"));
        controls(data).HScroll1->setValue(1);
        controls(data).Check[1]->click();
        controls(data).requisito[1]->setEditText(QStringLiteral("costo"));
        controls(data).scala[3]->click();
        for (int w = 10; w < 100; ++w) {
            controls(data).scroll[1]->stepUp();
        }
        dialogs().fileNames.enqueue(dir.filePath(QStringLiteral("Pondra-dati-sede")));
        SaveStudy(module(), *data, CommandOrigin::DataWindow, false);
        QVERIFY(!module().document().isModified());
        QVERIFY(!QFile::exists(own));

        controls(data).scroll[1]->stepDown();
        QVERIFY(module().recovery().writeIfChanged());
        scripted.reset();
        QVERIFY(!QFile::exists(own));
    }

    void killedMidSession_fileHoldsTheStudyOfAWrite_data()
    {
        // Killed after a step was reported written, and a little later, when the next write is
        // likely under way (writes take most of the session's time).
        QTest::addColumn<int>("killAfter");
        QTest::addColumn<int>("delayMs");
        QTest::newRow("early") << 40 << 0;
        QTest::newRow("middle") << 150 << 7;
        QTest::newRow("late") << 300 << 13;
    }
    void killedMidSession_fileHoldsTheStudyOfAWrite()
    {
#ifndef Q_OS_UNIX
        QSKIP("SIGKILL is a POSIX signal");
#else
        QFETCH(int, killAfter);
        QFETCH(int, delayMs);
        QTemporaryDir data;
        QProcess child;
        child.start(QStringLiteral(PONDRA_RECOVERY_SESSION), {data.path()});
        QVERIFY(child.waitForStarted());
        QElapsedTimer session;
        session.start();
        qint64 writing = 0;
        int last = 0;
        int lastWritten = 0;
        while (last < killAfter) {
            if (!child.canReadLine()) {
                QVERIFY2(child.waitForReadyRead(20000), "the session stopped before the kill");
                continue;
            }
            const QList<QByteArray> fields = child.readLine().trimmed().split(' ');
            QVERIFY(fields.size() == 3);
            last = fields.at(0).toInt();
            writing += fields.at(2).toLongLong();
            if (fields.at(1) == "1") {
                lastWritten = last;
            }
        }
        QThread::msleep(ulong(delayMs));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QList<RecoveryFolder::Orphan> orphans =
            RecoveryFolder(QDir(data.path()).filePath(QStringLiteral("recupero"))).orphans();
        QCOMPARE(orphans.size(), 1);
        const std::optional<Kept> recovered = read(orphans.at(0).path);
        QVERIFY2(recovered, "the recovery file is not whole");

        // The same session again, here: the file must hold the study as one of the writes from
        // the last one reported left it.
        testsupport::ScriptedModule replay;
        installShell(*replay.module);
        const QString scratch = data.filePath(QStringLiteral("confronto.txt"));
        quint64 revision = replay.module->study().revision();
        int matched = 0;
        testsupport::runEditingSession(*replay.module, [&](int step) {
            const bool written = replay.module->study().revision() != revision;
            revision = replay.module->study().revision();
            if (step >= lastWritten && written && asKept(*replay.module, scratch) == *recovered) {
                matched = step;
                return false;
            }
            return true;
        });
        qInfo("killed after step %d reported (last write reported at step %d), writes had taken %d%% of the "
              "session's time; the file holds the study of step %d",
              last, lastWritten, int(100 * writing / std::max<qint64>(1, session.nsecsElapsed() / 1000)),
              matched);
        QVERIFY(matched >= lastWritten && lastWritten > 0);
#endif
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
