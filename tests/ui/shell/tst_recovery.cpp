#include "archive/recoveryfile.h"
#include "support/editingsession.h"
#include "support/scriptedmodule.h"
#include "support/studybuilder.h"
#include "support/windowcontrols.h"
#include "ui/main/requisiti.h"
#include "ui/shell/archivecommands.h"
#include "ui/shell/recoveryoffer.h"
#include "ui/shell/shell.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

using namespace pondra;
using testsupport::controls;
using namespace Qt::StringLiterals;

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
    if (!readRecoveryFile(path, *kept.study, kept.page, nullptr, &error)) {
        qWarning("%s", qUtf8Printable(error));
        return std::nullopt;
    }
    return kept;
}

// The study as a recovery file keeps it: written and read back (by the kill test, POSIX only).
[[maybe_unused]] Kept asKept(const ModuloPondra& module, const QString& scratch)
{
    [&] {
        QVERIFY(writeRecoveryFile(scratch, module.study(), module.titlePage(), module.document().fileName(),
                                  nullptr));
    }();
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
    QString leftBehind(const QByteArray& bytes = {},
                       const QString& name = QStringLiteral("recupero-1-1-1.txt"),
                       const QString& perizia = QStringLiteral("Perizia rimasta"),
                       const QString& studyFile = {})
    {
        QDir().mkpath(folder());
        const QString path = QDir(folder()).filePath(name);
        if (bytes.isEmpty()) {
            Study study;
            testsupport::nameHypothesis(study, 1, QStringLiteral("Rimasta"));
            testsupport::enterRow(study, 1, 1, QStringLiteral("costo"), 3, 100);
            TitlePage page;
            page.progetto = perizia;
            [&] { QVERIFY(writeRecoveryFile(path, study, page, studyFile, nullptr)); }();
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
                                                       u"\\d\\d/\\d\\d/\\d{4} \\(ore \\d\\d:\\d\\d\\)\\.\n"
                                                       u"Perizia: «Perizia rimasta»\nRecuperarlo\\?$"))
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
        dialogs().answers << MessageAnswer::No << MessageAnswer::Yes;
        QVERIFY(!OfferRecovery(module()));
        // Asked once more before the only copy goes.
        QCOMPARE(dialogs().messages.size(), 2);
        QCOMPARE(dialogs().messages.at(1).text,
                 QString::fromUtf16(u"La copia di recupero verrà eliminata definitivamente. Continuare?"));
        QCOMPARE(dialogs().messages.at(1).defaultAnswer, MessageAnswer::No);
        QVERIFY(module().study() == *before);
        QVERIFY(!module().document().isModified());
        QVERIFY(!QFile::exists(left));
    }

    void offered_answered_fileKeptUnlessDeletionConfirmedOrStudySafe_data()
    {
        // Two studies left behind; the answers given in turn to the questions asked.
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<bool>("ownWriteFails");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("filesLeft");
        using A = MessageAnswer;
        QTest::newRow("✕ or Esc: ask next time") << QList{A::Closed} << false << 1 << 2;
        QTest::newRow("No, not deleted") << QList{A::No, A::No, A::Closed} << false << 3 << 2;
        QTest::newRow("No, then ✕ or Esc") << QList{A::No, A::Closed} << false << 2 << 2;
        QTest::newRow("No, deleted; the next") << QList{A::No, A::Yes, A::Closed} << false << 3 << 1;
        QTest::newRow("Sì, not kept again") << QList{A::Yes} << true << 1 << 2;
        QTest::newRow("Sì, kept again") << QList{A::Yes} << false << 1 << 1;
    }
    void offered_answered_fileKeptUnlessDeletionConfirmedOrStudySafe()
    {
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(bool, ownWriteFails);
        QFETCH(int, questions);
        QFETCH(int, filesLeft);
        leftBehind({}, QStringLiteral("recupero-1-1-1.txt"));
        leftBehind({}, QStringLiteral("recupero-2-2-2.txt"));
        const auto left = [this] {
            return QDir(folder()).entryList({QStringLiteral("recupero-?-?-?.txt")}, QDir::Files).size();
        };
        if (ownWriteFails) {
            QVERIFY(QDir().mkdir(module().recovery().file()));
        }
        dialogs().answers << answers;
        const bool recovered = OfferRecovery(module());
        QCOMPARE(recovered, answers.last() == MessageAnswer::Yes && answers.size() == 1);
        QCOMPARE(dialogs().messages.size(), questions);
        QCOMPARE(left(), filesLeft);
        QCOMPARE(module().document().isModified(), recovered);
        if (recovered) {
            // Saved, the study is safe: its recovery file goes.
            QVERIFY(
                module().document().save(dir.filePath(QStringLiteral("Pondra-dati-salvato.txt")), nullptr));
            QCOMPARE(left(), 1);
        }
    }

    void offered_namesTheStudy_recoveredKeepsItsFileName_data()
    {
        QTest::addColumn<QString>("perizia");
        QTest::addColumn<QString>("studyFile");
        QTest::addColumn<QString>("named");
        QTest::newRow("perizia and file")
            << u"Scuola Ω"_s << u"/studi/Pondra-dati-scuola.txt"_s
            << u"Perizia: «Scuola Ω»\nFile: «%1»\nRecuperarlo?"_s.arg(
                   QDir::toNativeSeparators(u"/studi/Pondra-dati-scuola.txt"_s));
        QTest::newRow("file only") << QString() << u"/studi/bozza.txt"_s
                                   << u"File: «%1»\nRecuperarlo?"_s.arg(
                                          QDir::toNativeSeparators(u"/studi/bozza.txt"_s));
        QTest::newRow("neither") << QString() << QString() << u"Recuperarlo?"_s;
    }
    void offered_namesTheStudy_recoveredKeepsItsFileName()
    {
        QFETCH(QString, perizia);
        QFETCH(QString, studyFile);
        QFETCH(QString, named);
        leftBehind({}, QStringLiteral("recupero-1-1-1.txt"), perizia, studyFile);
        QVERIFY(OfferRecovery(module()));
        QCOMPARE(dialogs().messages.at(0).text.section(u'\n', 1), named);
        QCOMPARE(module().document().fileName(), studyFile);
        QVERIFY(module().document().isModified());
        // Kept again under the same name, should the program stop once more.
        QString kept;
        auto study = std::make_unique<Study>();
        TitlePage page;
        QVERIFY(readRecoveryFile(module().recovery().file(), *study, page, &kept, nullptr));
        QCOMPARE(kept, studyFile);
    }

    // The file named on the copy's last line is where the first Salva asks to write, never decides.
    void recoveredFileName_firstSaveAsks()
    {
        const QString named = dir.filePath(QStringLiteral("tesi.odt"));
        QFile file(named);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mia") == 3);
        file.close();
        leftBehind({}, QStringLiteral("recupero-1-1-1.txt"), QString(), named);
        QVERIFY(OfferRecovery(module()));
        requisiti* data = module().window<requisiti>();
        dialogs().answers << MessageAnswer::Cancel << MessageAnswer::SaveAs;
        QVERIFY(!SaveStudy(module(), *data, CommandOrigin::DataWindow, false));
        QCOMPARE(dialogs().messages.last().text,
                 u"Salvare lo studio recuperato in «%1»?"_s.arg(QDir::toNativeSeparators(named)));
        const QString chosen = dir.filePath(QStringLiteral("Pondra-dati-scelto.txt"));
        dialogs().fileNames << chosen;
        QVERIFY(SaveStudy(module(), *data, CommandOrigin::DataWindow, false));
        QVERIFY(SaveStudy(module(), *data, CommandOrigin::DataWindow, false));
        QCOMPARE(dialogs().messages.size(), 3);
        QVERIFY(QFile::exists(chosen));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("mia"));
    }

    // A copy whose lock cannot be made is offered all the same, and the step line says why it stays.
    void unclaimable_offeredReadOnly_reasonOnTheStepLine()
    {
        const QString left = leftBehind();
        QVERIFY(QDir().mkdir(left.chopped(4) + QStringLiteral(".lock")));
        QString step;
        dialogs().answers << MessageAnswer::Yes;
        QVERIFY(OfferRecovery(module(), &step));
        QVERIFY2(step.contains(u"«%1» resta dov'è: "_s.arg(QDir::toNativeSeparators(left))),
                 qPrintable(step));
    }

    void realQuestion_closedApartFromNo_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("tellsClosed");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("✕") << u"close"_s << true << MessageAnswer::Closed;
        QTest::newRow("Esc") << u"escape"_s << true << MessageAnswer::Closed;
        QTest::newRow("No") << u"&No"_s << true << MessageAnswer::No;
        QTest::newRow("Sì") << u"&Sì"_s << true << MessageAnswer::Yes;
        QTest::newRow("✕, other questions") << u"close"_s << false << MessageAnswer::No;
        QTest::newRow("Esc, other questions") << u"escape"_s << false << MessageAnswer::No;
    }
    void realQuestion_closedApartFromNo()
    {
        QFETCH(QString, action);
        QFETCH(bool, tellsClosed);
        QFETCH(MessageAnswer, answer);
        QTimer::singleShot(0, [action] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (action == u"close"_s) {
                box->close();
            } else if (action == u"escape"_s) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                for (QAbstractButton* button : box->buttons()) {
                    if (button->text() == action) {
                        button->click();
                    }
                }
            }
        });
        MessageRequest request{u"Recuperarlo?"_s, u"Pondra"_s, MessageIcon::Question, MessageButtons::YesNo};
        request.tellsClosed = tellsClosed;
        QCOMPARE(QtDialogs().message(nullptr, request), answer);
    }

    void manyUnreadable_oneMessage_theReadableStillOffered()
    {
        for (const char* name : {"recupero-1-1-1.txt", "recupero-2-2-2.txt", "recupero-3-3-3.txt"}) {
            leftBehind("3\r\n\"A\",1,,\r\n", QString::fromLatin1(name));
        }
        leftBehind({}, QStringLiteral("recupero-4-4-4.txt"));
        dialogs().answers << MessageAnswer::Closed;
        QVERIFY(!OfferRecovery(module()));
        QCOMPARE(dialogs().messages.size(), 2);
        QCOMPARE(dialogs().messages.at(0).text,
                 u"3 studi non archiviati non si possono recuperare: i file sono stati messi da parte nella "
                 u"cartella «%1», con nomi che iniziano per «illeggibile-»."_s.arg(
                     QDir::toNativeSeparators(folder())));
        QVERIFY(dialogs().messages.at(1).text.startsWith(u"È stato trovato"_s));
        QCOMPARE(QDir(folder()).entryList({u"illeggibile-recupero-*.txt"_s}, QDir::Files).size(), 3);
    }

    void unwritableFolder_saidOnceInTheDataWindow()
    {
        requisiti* data = module().window<requisiti>();
        QVERIFY(QDir().mkdir(module().recovery().file()));
        QTest::keyClicks(controls(data).ipotesi, QStringLiteral("Sede"));
        controls(data).HScroll1->setValue(2);
        QCoreApplication::processEvents();
        const QString said = data->stepText();
        QCOMPARE(
            said,
            u"attenzione: la copia di recupero non si può scrivere in «%1»; salvare spesso lo studio"_s.arg(
                QDir::toNativeSeparators(folder())));
        QTest::keyClicks(controls(data).ipotesi, QStringLiteral("Altra"));
        controls(data).HScroll1->setValue(1);
        QCoreApplication::processEvents();
        QVERIFY(data->stepText() != said);
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
