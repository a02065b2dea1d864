#include "support/scriptedmodule.h"
#include "support/windowcontrols.h"
#include "ui/extra/frmsplash.h"
#include "ui/main/classifica.h"
#include "ui/main/frontespizio.h"
#include "ui/main/requisiti.h"
#include "ui/shell/archivecommands.h"
#include "ui/shell/shell.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace pondra;
using testsupport::controls;

namespace {

constexpr int NeverEnded = 99;

// Runs the program's event loop as main() does, with `steps` as the first event; returns the
// exit code, or NeverEnded when the program is still running after a few seconds.
int runProgram(const std::function<void()>& steps)
{
    QTimer::singleShot(0, qApp, steps);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(NeverEnded); });
    guard.start(5000);
    return QApplication::exec();
}

QAction* entry(QMainWindow* window, const QString& text)
{
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The ways a study can be touched before "Apri...": the edits, then what is no edit.
enum class Touch { None, Opened, Saved, NameTyped, TitleTyped, CurrentFileDeleted, ResultsShown };

} // namespace

Q_DECLARE_METATYPE(Touch)

// The program as a whole: how it ends, what it asks before it throws data away, and a file
// opened from the command line.
class TestSession : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScriptedModule> scripted;
    QTemporaryDir dir;

    ModuloPondra& module() { return *scripted->module; }
    testsupport::ScriptedDialogs& dialogs() { return *scripted->dialogs; }

    // A copy of the shipped example, which the program wrote itself.
    QString exampleCopy(const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile::remove(path);
        QFile::copy(QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

private Q_SLOTS:
    void init()
    {
        scripted = std::make_unique<testsupport::ScriptedModule>();
        installShell(module());
    }
    void cleanup() { scripted.reset(); }

    void everyExitRoute_endsTheProcess_data()
    {
        QTest::addColumn<int>("route");
        QTest::newRow("key on the splash at start") << 0;
        QTest::newRow("splash closed from its title bar at start") << 1;
        QTest::newRow("USCITA, Sì, key on the closing splash") << 2;
        QTest::newRow("last main window closed: No keeps it, Sì then a key") << 3;
    }
    void everyExitRoute_endsTheProcess()
    {
        QFETCH(int, route);
        const int exitCode = runProgram([&] {
            frmSplash* splash = module().window<frmSplash>();
            splash->show();
            switch (route) {
            case 0:
                QTest::keyClick(splash, Qt::Key_X);
                break;
            case 1:
                splash->close();
                break;
            case 2: {
                splash->Form_Click();
                QTest::mouseClick(controls(module().loadedWindow<requisiti>()).cmdesci, Qt::LeftButton);
                QVERIFY(module().loadedWindow<frmSplash>()->isVisible());
                QTest::keyClick(module().loadedWindow<frmSplash>(), Qt::Key_Escape);
                break;
            }
            case 3: {
                // Started on a file, without a splash: the Data window is the only window.
                splash->hide();
                requisiti* data = module().window<requisiti>();
                data->show();
                dialogs().answers.enqueue(MessageAnswer::No);
                data->close();
                QCOMPARE(dialogs().messages.last().text, QStringLiteral("Vuoi uscire da Pondra?"));
                QVERIFY(data->isVisible());
                data->close();
                QVERIFY(!data->isVisible());
                QVERIFY(module().loadedWindow<frmSplash>()->isVisible());
                QTest::keyClick(module().loadedWindow<frmSplash>(), Qt::Key_X);
                break;
            }
            }
        });
        QCOMPARE(exitCode, 0);
    }

    void openFromCommandLine_thenSave_writesTheSameBytesBack()
    {
        const QString file = exampleCopy(QStringLiteral("Pondra-dati-riscaldamento"));
        const QByteArray before = contents(file);
        requisiti* data = module().window<requisiti>();
        data->show();
        QVERIFY(OpenStudyFile(module(), data, file));
        QCOMPARE(module().document().fileName(), file);
        QVERIFY(!module().document().isModified());
        QVERIFY(data->windowTitle().endsWith(QStringLiteral(" - Pondra-dati-riscaldamento")));
        QFile::remove(file);
        entry(data, QStringLiteral("&Salva"))->trigger();
        QVERIFY(dialogs().fileRequests.isEmpty());
        QVERIFY2(dialogs().messages.isEmpty(), qPrintable(dialogs().messageTexts().join(u'\n')));
        QCOMPARE(contents(file), before);
    }

    void openAsksOnlyAfterAnEdit_data()
    {
        QTest::addColumn<Touch>("touch");
        QTest::addColumn<bool>("asks");
        QTest::newRow("new study") << Touch::None << false;
        QTest::newRow("just opened") << Touch::Opened << false;
        QTest::newRow("just saved") << Touch::Saved << false;
        QTest::newRow("hypothesis name typed") << Touch::NameTyped << true;
        QTest::newRow("title page typed") << Touch::TitleTyped << true;
        QTest::newRow("its file deleted") << Touch::CurrentFileDeleted << true;
        QTest::newRow("results shown") << Touch::ResultsShown << false;
    }
    void openAsksOnlyAfterAnEdit()
    {
        QFETCH(Touch, touch);
        QFETCH(bool, asks);
        const QString file = exampleCopy(QStringLiteral("Pondra-dati-uno"));
        const QString other = exampleCopy(QStringLiteral("Pondra-dati-altro"));
        requisiti* data = module().window<requisiti>();
        data->show();
        if (touch != Touch::None) {
            QVERIFY(OpenStudyFile(module(), data, file));
        }
        switch (touch) {
        case Touch::None:
        case Touch::Opened:
            break;
        case Touch::Saved:
            QTest::keyClicks(controls(data).ipotesi, QStringLiteral(" bis"));
            entry(data, QStringLiteral("&Salva"))->trigger();
            break;
        case Touch::NameTyped:
            QTest::keyClicks(controls(data).ipotesi, QStringLiteral(" bis"));
            break;
        case Touch::TitleTyped:
            QTest::keyClicks(controls(module().window<frontespizio>()).luogo, QStringLiteral("x"));
            break;
        case Touch::CurrentFileDeleted:
            dialogs().fileNames.enqueue(file);
            entry(data, QStringLiteral("&Elimina..."))->trigger();
            QVERIFY(!QFile::exists(file));
            break;
        case Touch::ResultsShown:
            QTest::mouseClick(controls(data).avanti, Qt::LeftButton);
            break;
        }
        QCOMPARE(module().document().isModified(), asks);
        const int asked = dialogs().messages.size();
        const Study before = module().study();
        const QString name = module().document().fileName();
        dialogs().answers.enqueue(MessageAnswer::No);
        dialogs().fileNames.enqueue(other);
        entry(data, QStringLiteral("&Apri..."))->trigger();
        if (!asks) {
            QCOMPARE(dialogs().messages.size(), asked);
            QCOMPARE(module().document().fileName(), other);
            return;
        }
        // "No" keeps everything: no dialog, the same study, the same file.
        QCOMPARE(dialogs().messages.size(), asked + 1);
        const MessageRequest& question = dialogs().messages.last();
        QCOMPARE(question.text,
                 QStringLiteral("I dati non archiviati andranno persi. Aprire un altro file?"));
        QCOMPARE(question.defaultAnswer, MessageAnswer::No);
        QVERIFY(module().study() == before);
        QCOMPARE(module().document().fileName(), name);
        QCOMPARE(dialogs().fileNames.size(), 1);
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
