// Every folder of tests/golden holds a study and what the headless commands made of it; the
// commands must still print and write exactly those bytes. tests/golden/make-expected writes
// the folders from the pondra binary, so the commands are called here as main() calls them.

#include "app/headlesscommands.h"

#include "settings/translations.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

const QStringList outputs{QStringLiteral("check.txt"), QStringLiteral("ranking.txt"),
                          QStringLiteral("analysis.txt"), QStringLiteral("export.csv"),
                          QStringLiteral("relazione.txt")};

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A command's exit code and messages, laid out as make-expected records them.
QByteArray record(int exit, const QString& out, const QString& err)
{
    return "exit: " + QByteArray::number(exit) + "\n--- stdout\n" + out.toUtf8() + "--- stderr\n" +
           err.toUtf8();
}

// What make-expected keeps of one command run on study.txt in the current folder.
QByteArray produce(const QString& output, const QDir& scratch)
{
    const QString study = QStringLiteral("study.txt");
    const QString written =
        scratch.filePath(output == QStringLiteral("export.csv") ? QStringLiteral("export.csv")
                                                                : QStringLiteral("relazione.html"));
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    // pondra sets up the Italian locale only for the commands that start a GUI application.
    const bool printing = output == QStringLiteral("relazione.txt");
    QLocale::setDefault(printing ? QLocale(QLocale::Italian, QLocale::Italy) : QLocale::system());
    int exit = -1;
    if (output == QStringLiteral("check.txt")) {
        exit = pondra::runCheckCommand(study, o, e);
    } else if (output == QStringLiteral("ranking.txt")) {
        exit = pondra::runRankingCommand(study, o, e);
    } else if (output == QStringLiteral("analysis.txt")) {
        exit = pondra::runAnalysisCommand(study, o, e);
    } else if (output == QStringLiteral("export.csv")) {
        exit = pondra::runSpreadsheetCommand(study, written, e);
    } else {
        exit = pondra::runPrintCommand(QStringLiteral("relazione"), study, written, {}, o, e);
    }
    o.flush();
    e.flush();
    const QByteArray run = record(exit, out, err);
    if (output == QStringLiteral("export.csv")) {
        return exit == 0 && err.isEmpty() ? contents(written) : run;
    }
    if (printing && QFile::exists(written)) {
        // The faces the page carries are the program's files, not its output: named, not copied.
        static const QRegularExpression face(QStringLiteral("base64,[A-Za-z0-9+/=]{1000,}"));
        return run + "--- relazione.html\n" +
               QString::fromUtf8(contents(written)).replace(face, QStringLiteral("base64,…")).toUtf8();
    }
    return run;
}

// The first line that differs, after the two before it, for a message that shows the change.
QByteArray difference(const QByteArray& expected, const QByteArray& actual)
{
    const QList<QByteArray> e = expected.split('\n');
    const QList<QByteArray> a = actual.split('\n');
    qsizetype i = 0;
    while (i < e.size() && i < a.size() && e.at(i) == a.at(i)) {
        ++i;
    }
    QByteArray text = "first difference at line " + QByteArray::number(i + 1) + ":\n";
    for (qsizetype j = qMax<qsizetype>(0, i - 2); j < i; ++j) {
        text += "    " + e.at(j) + '\n';
    }
    text += "  - " + (i < e.size() ? e.at(i) : QByteArray("<end of file>")) + '\n';
    text += "  + " + (i < a.size() ? a.at(i) : QByteArray("<end of file>"));
    return text;
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void command_printsAndWritesWhatItDidBefore_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("output");
        const QDir golden(QStringLiteral(PONDRA_GOLDEN));
        const QStringList folders = golden.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        QVERIFY(folders.size() >= 8);
        for (const QString& folder : folders) {
            for (const QString& output : outputs) {
                QTest::addRow("%s/%s", qPrintable(folder), qPrintable(output))
                    << golden.filePath(folder) << output;
            }
        }
    }

    void command_printsAndWritesWhatItDidBefore()
    {
        QFETCH(QString, folder);
        QFETCH(QString, output);
        const QString expectedPath = QDir(folder).filePath(output);
        QVERIFY2(QFile::exists(expectedPath),
                 qPrintable(expectedPath + QStringLiteral(" missing: run tests/golden/make-expected")));
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        // Messages name the study as it was given, so it is given as make-expected gives it.
        QVERIFY(QDir::setCurrent(folder));
        const QByteArray actual = produce(output, QDir(scratch.path()));
        const QByteArray expected = contents(expectedPath);
        QVERIFY2(actual == expected, difference(expected, actual).constData());
    }
};

int main(int argc, char* argv[])
{
    // Settings and data folders of the test's own: no remembered option of a user may leak in.
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        qputenv(name, QDir(home.path()).filePath(QString::fromLatin1(name)).toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pondra"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pondra"));
    pondra::installItalianTranslations(app);
    TestGolden test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_golden.moc"
