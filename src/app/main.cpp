#include "commandline.h"
#include "guicommands.h"
#include "headlesscommands.h"
#include "importcommand.h"
#include "processstart.h"

#include "model/identity.h"
#include "settings/translations.h"
#include "settings/userfiles.h"

#include <QApplication>
#include <QTextStream>

namespace {

void identify()
{
    QCoreApplication::setApplicationName(QStringLiteral("Pondra"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pondra"));
    QCoreApplication::setApplicationVersion(pondra::InitGlobals().ProgramVersion);
}

// Every window, dialog and document in Italian; the windows belong to the menu entry
// pondra.desktop, so a Wayland shell shows its name and icon for them.
void identify(QApplication& app)
{
    pondra::installItalianTranslations(app);
    identify();
    QGuiApplication::setDesktopFileName(QStringLiteral("pondra"));
}

// Whether the windows can be shown: a platform of its own (offscreen, vnc, ...) needs nothing
// more; the X11 and Wayland ones, chosen or by default, need a display named.
bool hasGraphicalSession()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    for (const QString& platform : qEnvironmentVariable("QT_QPA_PLATFORM").split(u';', Qt::SkipEmptyParts)) {
        if (!platform.startsWith(QLatin1String("xcb")) && !platform.startsWith(QLatin1String("wayland"))) {
            return true;
        }
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    pondra::connectToConsole();
    const QStringList arguments = pondra::programArguments(argc, argv);
    const pondra::CommandLine options;
    QCommandLineParser parser;
    options.describe(parser);
    if (!parser.parse(arguments)) {
        QTextStream(stderr) << pondra::CommandLine::errorText(parser);
        return pondra::ExitUnreadable;
    }
    if (parser.isSet(options.help)) {
        QTextStream(stdout) << options.helpText();
        return pondra::ExitPassed;
    }
    if (parser.isSet(options.version)) {
        QTextStream(stdout) << pondra::CommandLine::versionText();
        return pondra::ExitPassed;
    }
    if (const QString reason = options.misuse(parser); !reason.isEmpty()) {
        QTextStream(stderr) << pondra::CommandLine::refusal(reason);
        return pondra::ExitUnreadable;
    }

    // Files older versions kept elsewhere come to this version's places before anything reads them.
    for (const QString& problem : pondra::moveOldUserFiles(pondra::userFilePlaces())) {
        QTextStream(stderr) << QStringLiteral("pondra: ") << problem << Qt::endl;
    }

    // The headless commands need no display; only the windows start a GUI application.
    const bool windows = !parser.isSet(options.check) && !parser.isSet(options.ranking) &&
                         !parser.isSet(options.analysis) && !parser.isSet(options.spreadsheet) &&
                         !parser.isSet(options.pairwise) && !parser.isSet(options.sheet) &&
                         !parser.isSet(options.sensitivity);
    if (!windows) {
        QCoreApplication app(argc, argv);
        identify();
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (parser.isSet(options.spreadsheet)) {
            return pondra::runSpreadsheetCommand(parser.value(options.spreadsheet),
                                                 parser.value(options.output), err);
        }
        if (parser.isSet(options.sheet)) {
            return pondra::runImportCommand(parser.value(options.sheet), parser.value(options.output), err);
        }
        if (parser.isSet(options.pairwise)) {
            return pondra::runPairwiseCommand(parser.value(options.pairwise), out, err);
        }
        if (parser.isSet(options.check)) {
            return pondra::runCheckCommand(parser.value(options.check), out, err);
        }
        if (parser.isSet(options.analysis)) {
            return pondra::runAnalysisCommand(parser.value(options.analysis), out, err);
        }
        if (parser.isSet(options.sensitivity)) {
            return pondra::runSensitivityCommand(parser.value(options.sensitivity), out, err);
        }
        return pondra::runRankingCommand(parser.value(options.ranking), out, err);
    }

    // Printouts and pictures are made offscreen, the same with or without a display.
    if ((parser.isSet(options.print) || parser.isSet(options.screenshot)) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (parser.isSet(options.print)) {
        QApplication app(argc, argv);
        identify(app);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return pondra::runPrintCommand(parser.value(options.print), parser.positionalArguments().value(0),
                                       parser.value(options.output),
                                       {.withRobustness = parser.isSet(options.robustness),
                                        .withWeighting = parser.isSet(options.weighting)},
                                       out, err);
    }
    if (parser.isSet(options.screenshot)) {
        QApplication app(argc, argv);
        identify(app);
        const QStringList rest = parser.positionalArguments();
        if (rest.isEmpty()) {
            QTextStream(stderr) << QStringLiteral("Manca il nome dell'immagine da scrivere.") << Qt::endl;
            return pondra::ExitUnreadable;
        }
        return pondra::runScreenshot(parser.value(options.screenshot), rest.at(0), rest.value(1));
    }

    // Qt would abort in English with a core dump; the user hears why in Italian instead.
    if (!hasGraphicalSession()) {
        QTextStream(stderr) << pondra::CommandLine::refusal(
            QStringLiteral("le finestre del programma richiedono una sessione grafica, che qui manca; "
                           "senza, il programma lavora con le opzioni."));
        return pondra::ExitUnreadable;
    }
    QApplication app(argc, argv);
    identify(app);
    return pondra::runWindows(parser.positionalArguments().value(0));
}
