// The editing session of the crash test, in a process of its own that the test kills: the
// program's recovery kept in the data folder given, written after each step that changed the
// study. After each step it prints the step's number, 1 when the file was written (0 when not)
// and the microseconds the write took.

#include "support/editingsession.h"
#include "support/scriptedseams.h"
#include "ui/shell/shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    auto environment = std::make_unique<testsupport::ScriptedEnvironment>();
    environment->dataFolder = QString::fromLocal8Bit(argv[1]);
    pondra::ModuloPondra module(std::make_unique<testsupport::ScriptedDialogs>(), std::move(environment));
    pondra::installShell(module);
    module.recovery().start();
    QTextStream out(stdout);
    testsupport::runEditingSession(module, [&](int step) {
        QElapsedTimer clock;
        clock.start();
        const bool written = module.recovery().writeIfChanged();
        out << step << ' ' << (written ? 1 : 0) << ' ' << clock.nsecsElapsed() / 1000 << Qt::endl;
        return true;
    });
    out << "fine" << Qt::endl;
    // Waits for the test to kill it.
    return QApplication::exec();
}
