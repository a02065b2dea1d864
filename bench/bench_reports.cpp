// Times the estimate report of a full-size study (100 hypotheses of 100 characteristics) and of
// a typical one (10 of 10) through the real printout, stage by stage: building it, laying it out
// in pages (the page count it states), writing the PDF and the DOCX. Then the whole program as a
// user runs it (`pondra --print relazione FILE -o OUT`), with its peak memory, and LibreOffice
// converting the same DOCX to PDF, when it is installed, for comparison.

#include "fullstudy.h"
#include "measure.h"

#include "archive/datafile.h"
#include "model/identity.h"
#include "model/ranking.h"
#include "reports/documentexport.h"
#include "reports/docxwriter.h"
#include "reports/pagelayout.h"
#include "reports/printouts.h"
#include "reports/textdocumentbuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pondra;

namespace {

// The study's first h hypotheses with their first r rows each, weights made to add up again.
std::unique_ptr<Study> studyOfSize(int hypotheses, int rows)
{
    std::unique_ptr<Study> study = bench::fullStudy();
    for (int h = 1; h <= MaxHypotheses; ++h) {
        Hypothesis& hyp = study->hypothesis(h);
        if (h > hypotheses) {
            hyp = Hypothesis();
            continue;
        }
        for (int r = rows + 1; r <= MaxRows; ++r) {
            hyp.rows.at(std::size_t(r)) = CharacteristicEntry();
        }
        for (int r = 1; r <= rows; ++r) {
            hyp.rows.at(std::size_t(r)).weight =
                Value::text(QString::number(r == rows ? 100 - (rows - 1) : 1));
        }
        hyp.LastNamedRow = Value::integer(qint16(rows));
        Recalculate(*study, h);
    }
    return study;
}

struct Built {
    std::unique_ptr<Study> study;
    Ranking ranking;
    IdentityTexts identity = InitGlobals();
};

int buildReport(TextDocumentBuilder& b, Built& in)
{
    ordina(*in.study, in.ranking);
    Study& study = *in.study;
    const PrintSource source{
        in.identity,
        study,
        in.ranking,
        bench::fullTitlePage(),
        {QStringLiteral("Studio tecnico Rossi"),
         QStringLiteral("geom. Mario Rossi, iscritto al Collegio dei Geometri di Parma al n. 1234"),
         QStringLiteral("Via Roma, 1 - 43121 Parma (PR)"),
         {},
         {}}};
    return printReport(b, source);
}

bench::Figures figures(std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median =
        n % 2 ? double(samples[n / 2]) : (double(samples[n / 2 - 1]) + double(samples[n / 2])) / 2.0;
    return {median / 1e6, double(samples.back()) / 1e6};
}

void inProcess(const char* name, int hypotheses, int rows, int repetitions, const QString& folder)
{
    std::vector<qint64> built, laidOut, pdf, docx;
    int pages = 0;
    const QString pdfPath = QDir(folder).filePath(QStringLiteral("relazione.pdf"));
    const QString docxPath = QDir(folder).filePath(QStringLiteral("relazione.docx"));
    for (int i = 0; i < repetitions + 1; ++i) {
        Built in;
        in.study = studyOfSize(hypotheses, rows);
        QElapsedTimer timer;
        timer.start();
        TextDocumentBuilder builder;
        // The printout ends by asking its page count: built and laid out once.
        pages = buildReport(builder, in);
        const qint64 buildAndLayout = timer.nsecsElapsed();
        // The layout alone, of the same content once more.
        timer.restart();
        const std::unique_ptr<PagedDocument> again =
            layOutPages(std::make_shared<DocumentContent>(builder.content()));
        const qint64 layout = timer.nsecsElapsed();
        QString error;
        timer.restart();
        if (!exportPages(builder.pages(), pdfPath, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return;
        }
        const qint64 pdfDone = timer.nsecsElapsed();
        timer.restart();
        if (!writeDocx(builder.pages(), docxPath, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return;
        }
        const qint64 docxDone = timer.nsecsElapsed();
        if (i == 0) {
            continue; // warm-up: fonts and caches
        }
        built.push_back(buildAndLayout - layout);
        laidOut.push_back(layout);
        pdf.push_back(pdfDone);
        docx.push_back(docxDone);
    }
    std::printf("%s: %d pagine, PDF di %lld byte\n", name, pages, QFileInfo(pdfPath).size());
    const QByteArray prefix(name);
    auto line = [&](const char* stage, const std::vector<qint64>& samples) {
        bench::report((prefix + stage).constData(), figures(samples), repetitions, 0);
    };
    line(", costruzione", built);
    line(", impaginazione (una volta, con il conteggio delle pagine)", laidOut);
    line(", scrittura PDF dalle pagine", pdf);
    line(", scrittura DOCX dalle pagine", docx);
}

struct Run {
    double seconds = 0;
    long peakKb = 0;
    QString out;
    bool ok = false;
};

// A child process, timed from start to end, with its own peak resident memory (Linux).
Run runProcess(const QString& program, const QStringList& arguments, const QStringList& environment)
{
    Run run;
    std::vector<QByteArray> storage;
    std::vector<char*> argv;
    std::vector<char*> envp;
    storage.push_back(QFile::encodeName(program));
    for (const QString& a : arguments) {
        storage.push_back(a.toLocal8Bit());
    }
    const std::size_t argc = storage.size();
    for (const QString& e : environment) {
        storage.push_back(e.toLocal8Bit());
    }
    for (std::size_t i = 0; i < storage.size(); ++i) {
        (i < argc ? argv : envp).push_back(storage[i].data());
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) {
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return run;
    }
    // The peak of the program's own memory, read while it runs: the accounts the kernel keeps
    // for a spawned child start from its parent's size.
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    QByteArray printed;
    const QString status = QStringLiteral("/proc/%1/status").arg(pid);
    int exit = 0;
    while (waitpid(pid, &exit, WNOHANG) == 0) {
        QFile file(status);
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n')) {
                if (line.startsWith("VmHWM:")) {
                    run.peakKb = std::max(run.peakKb, line.mid(6).trimmed().split(' ').value(0).toLong());
                }
            }
        }
        char buffer[4096];
        for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
            printed.append(buffer, n);
        }
        usleep(2000);
    }
    run.seconds = timer.nsecsElapsed() / 1e9;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, n);
    }
    close(out[0]);
    run.ok = WIFEXITED(exit) && WEXITSTATUS(exit) == 0;
    run.out = QString::fromUtf8(printed).trimmed();
    return run;
}

// As poppler counts them: our page objects sit in compressed object streams.
int pdfPageCount(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished() || pdfinfo.exitCode() != 0) {
        return -1;
    }
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    return pages.match(QString::fromLatin1(pdfinfo.readAllStandardOutput())).captured(1).toInt();
}

// The whole program on a study file: its own, or one of the given size.
void wholeProgram(const char* name, int hypotheses, int rows, const QString& folder,
                  QString study = QString())
{
    if (study.isEmpty()) {
        study = QDir(folder).filePath(QStringLiteral("Pondra-dati-%1x%2.txt").arg(hypotheses).arg(rows));
        QString error;
        if (!saveStudyFile(study, *studyOfSize(hypotheses, rows), bench::fullTitlePage(), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return;
        }
    }
    const QString pondra = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pondra"));
    QStringList environment = QProcessEnvironment::systemEnvironment().toStringList();
    environment << QStringLiteral("QT_QPA_PLATFORM=offscreen");
    for (const char* format : {"pdf", "docx"}) {
        const QString out = QDir(folder).filePath(QStringLiteral("relazione.%1").arg(QLatin1String(format)));
        std::vector<double> seconds;
        long peak = 0;
        Run run;
        // One run to warm the disk cache, then the ones measured.
        for (int i = 0; i < 4; ++i) {
            run = runProcess(
                pondra,
                {QStringLiteral("--print"), QStringLiteral("relazione"), study, QStringLiteral("-o"), out},
                environment);
            if (!run.ok) {
                std::fprintf(stderr, "pondra --print relazione non riuscito\n");
                return;
            }
            if (i > 0) {
                seconds.push_back(run.seconds);
                peak = std::max(peak, run.peakKb);
            }
        }
        std::sort(seconds.begin(), seconds.end());
        std::printf("%s, programma intero fino al %s: mediana %.2f s, massimo %.2f s su 3, memoria massima "
                    "%.1f MB (%s)\n",
                    name, format, seconds[1], seconds[2], peak / 1024.0, qPrintable(run.out));
    }

    // LibreOffice on the same DOCX, as installed: where Century Gothic is missing it lays the DOCX
    // out in the faces the DOCX carries.
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        std::printf("%s, LibreOffice: non installato\n", name);
        return;
    }
    const QString converted = QDir(folder).filePath(QStringLiteral("lo"));
    const Run lo = runProcess(soffice,
                              {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                               QStringLiteral("pdf"), QStringLiteral("--outdir"), converted,
                               QDir(folder).filePath(QStringLiteral("relazione.docx"))},
                              environment);
    const int ours = pdfPageCount(QDir(folder).filePath(QStringLiteral("relazione.pdf")));
    const int theirs = pdfPageCount(QDir(converted).filePath(QStringLiteral("relazione.pdf")));
    std::printf("%s, LibreOffice dal DOCX al PDF: %.2f s; pagine: nostre %d, di LibreOffice %d\n", name,
                lo.seconds, ours, theirs);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    inProcess("relazione 100 ipotesi x 100 righe", 100, 100, 3, folder.path());
    inProcess("relazione 10 ipotesi x 10 righe", 10, 10, 20, folder.path());
    wholeProgram("relazione 100 ipotesi x 100 righe", 100, 100, folder.path());
    wholeProgram("relazione 10 ipotesi x 10 righe", 10, 10, folder.path());
    wholeProgram("relazione dell'esempio fornito", 0, 0, folder.path(),
                 QStringLiteral(PONDRA_SOURCE_DIR "/resources/Pondra-dati-riscaldamento.txt"));
    return 0;
}
