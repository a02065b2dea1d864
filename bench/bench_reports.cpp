// Times a report-like document through the real document builder, stage by stage: building it,
// the page count it states, and writing it as PDF and as DOCX. A full-size study (100 hypotheses
// of 100 characteristics, some 290 pages with these texts) and a typical one (10 of 10).

#include "measure.h"
#include "reports/documentexport.h"
#include "reports/docxwriter.h"
#include "reports/textdocumentbuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace pondra;

namespace {

const QStringList Adjectives{
    QStringLiteral("eccellente"), QStringLiteral("ottimo"),   QStringLiteral("buono"),
    QStringLiteral("discreto"),   QStringLiteral("accettabile"), QStringLiteral("mediocre"),
    QStringLiteral("scadente"),   QStringLiteral("molto scarso"), QStringLiteral("pessimo"),
    QStringLiteral("minimo"),     QStringLiteral("nullo")};

QString number(int n)
{
    return QStringLiteral(" %1").arg(n);
}

// The report's sequence of operations, with made-up data of the given size; returns the page
// count, asked where the report asks it.
int buildReport(DocumentBuilder& b, int hypotheses, int rows, qint64* pageCountNs)
{
    b.setFontName(QStringLiteral("Century Gothic"));
    b.setFontSize(24);
    b.typeText(QStringLiteral("VALUTAZIONI DI IPOTESI\r"));
    b.setFontSize(14);
    b.typeText(QStringLiteral("valutazioni qualsiasi mediante confronto\r"));
    b.typeText(QStringLiteral("\r\r\r\rperizia: progetto di prova\r\r\r"));
    b.typeText(QStringLiteral("località: Bologna\r\r\r"));
    b.typeText(QStringLiteral("tipologia di studio: confronto"));
    for (int i = 0; i < 9; ++i) {
        b.typeText(QStringLiteral("\r"));
    }
    b.typeText(QStringLiteral("progettista: Studio Tecnico\rcommittente: Comune\r\r"));
    b.typeText(QStringLiteral("Bologna: 7 dicembre 2026"));
    for (int i = 0; i < 12; ++i) {
        b.typeText(QStringLiteral("\r"));
    }
    b.typeText(QStringLiteral("Studio Tecnico\rvia Roma 1, Bologna\r\f"));

    b.appendParagraph();
    b.setEndParagraphSize(18);
    b.writeEndParagraph(QStringLiteral("\fRELAZIONE DI STIMA\r\r"));
    b.setEndParagraphSize(12);
    const QString sentence =
        QStringLiteral("La presente elaborazione valuta per confronto la soluzione migliore tra le "
                       "ipotesi assunte, con i requisiti e i pesi indicati. ");
    b.writeEndParagraph(sentence.repeated(6) + u'\r');
    b.writeEndParagraph(sentence.repeated(7) + u'\r');
    b.setEndParagraphSize(14);
    b.writeEndParagraph(QStringLiteral("\rA) DATI  (%1 ipotesi considerate)\r").arg(number(hypotheses)));
    b.writeEndParagraph(QStringLiteral("\r"));

    b.appendTable(12, 2);
    b.setTableFontSize(10);
    b.setCellText(1, 1, QStringLiteral("numero"));
    b.setCellText(1, 2, QStringLiteral("scala dei giudizi"));
    for (int k = 1; k <= 11; ++k) {
        b.setCellText(k + 1, 1, number(k));
    }
    for (int k = 1; k <= 11; ++k) {
        b.setCellText(k + 1, 2, Adjectives.at(k - 1));
    }
    b.applyTableFormat(ColourfulTableFormat);

    const QStringList header{QStringLiteral("n."),           QStringLiteral("caratteristiche considerate"),
                             QStringLiteral("giudizi"),      QStringLiteral("valori"),
                             QStringLiteral("coefficienti"), QStringLiteral("pesi")};
    for (int h = 1; h <= hypotheses; ++h) {
        b.appendParagraph();
        b.setEndParagraphSize(12);
        b.writeEndParagraph(QStringLiteral("\rIpotesi n.%1: ipotesi di prova %2\r").arg(number(h)).arg(h));
        b.appendTable(rows + 4, 6);
        b.setTableFontSize(10);
        for (int c = 0; c < 6; ++c) {
            b.setCellText(1, c + 1, header.at(c));
        }
        for (int r = 1; r <= rows; ++r) {
            const int judgement = 1 + (r + h) % 11;
            b.setCellText(r + 1, 1, number(r));
            b.setCellText(r + 1, 2, QStringLiteral("caratteristica considerata numero %1").arg(r));
            b.setCellText(r + 1, 3, Adjectives.at(judgement - 1));
            b.setCellText(r + 1, 4, QString::number(judgement));
            b.setCellText(r + 1, 5,
                          QStringLiteral("0,%1").arg(1000 - judgement * 90, 3, 10, QLatin1Char('0')).left(5));
            b.setCellText(r + 1, 6, QString::number(1));
            b.applyTableFormat(ColourfulTableFormat);
        }
        b.setCellText(rows + 2, 2, QStringLiteral("media dei coefficienti"));
        b.setCellText(rows + 2, 5, QStringLiteral("0,650"));
        b.setCellText(rows + 3, 2, QStringLiteral("coefficiente ponderato"));
        b.setCellText(rows + 3, 5, QStringLiteral("0,640"));
        b.setCellText(rows + 4, 2, QStringLiteral("giudizio complessivo"));
        b.setCellText(rows + 4, 3, QStringLiteral("buono"));
    }

    b.setEndParagraphSize(14);
    b.writeEndParagraph(QStringLiteral("\rB) GRADUATORIA DELLE IPOTESI\r"));
    b.writeEndParagraph(QStringLiteral("\r"));
    b.appendTable(hypotheses + 1, 4);
    b.setTableFontSize(10);
    b.setCellText(1, 1, QStringLiteral("numero"));
    b.setCellText(1, 2, QStringLiteral("denominazione dell'ipotesi"));
    b.setCellText(1, 3, QStringLiteral("valutazione in %"));
    b.setCellText(1, 4, QStringLiteral("giudizio complessivo"));
    for (int i = 1; i <= hypotheses; ++i) {
        b.setCellText(i + 1, 1, number(i));
        b.setCellText(i + 1, 2, QStringLiteral("ipotesi di prova %1").arg(i));
        b.setCellText(i + 1, 3, QStringLiteral("%1,0").arg(90 - i % 50));
        b.setCellText(i + 1, 4, QStringLiteral("buono"));
    }
    b.applyTableFormat(ColourfulTableFormat);

    QElapsedTimer timer;
    timer.start();
    const int pages = b.pageCount();
    *pageCountNs = timer.nsecsElapsed();

    b.writeEndParagraph(
        QStringLiteral("\rLa presente relazione di stima è composta di n.%1 pagine.\r").arg(number(pages)));
    b.writeEndParagraph(QStringLiteral("Si allega: planimetrie\r\r\r"));
    b.writeEndParagraph(QStringLiteral("Bologna: 7 dicembre 2026\r\r\r"));
    b.writeEndParagraph(QStringLiteral("il perito\r"));
    b.writeEndParagraph(QStringLiteral("(Studio Tecnico)"));
    b.justifyAll();
    for (int t = 2; t <= hypotheses + 1; ++t) {
        for (int c = 4; c <= 6; ++c) {
            b.alignColumn(t, c, ParagraphAlignment::Right);
        }
    }
    b.alignColumn(hypotheses + 2, 3, ParagraphAlignment::Right);
    return pages;
}

struct Stages {
    std::vector<qint64> build, pageCount, layout, pdf, docx, withPdf, withDocx, cpuWithPdf;
};

bench::Figures figures(std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median =
        n % 2 ? double(samples[n / 2]) : (double(samples[n / 2 - 1]) + double(samples[n / 2])) / 2.0;
    return {median / 1e6, double(samples.back()) / 1e6};
}

void run(const char* name, int hypotheses, int rows, int repetitions, double targetMs, const QString& folder)
{
    Stages stages;
    int pages = 0;
    const QString pdf = QDir(folder).filePath(QStringLiteral("relazione.pdf"));
    const QString docx = QDir(folder).filePath(QStringLiteral("relazione.docx"));
    for (int i = 0; i < repetitions + 1; ++i) {
        QElapsedTimer timer;
        timer.start();
        // Processor time too: on a busy machine the elapsed times say little.
        const std::clock_t cpuStart = std::clock();
        qint64 pageCountNs = 0;
        TextDocumentBuilder builder;
        pages = buildReport(builder, hypotheses, rows, &pageCountNs);
        const qint64 built = timer.nsecsElapsed();
        // The finished document laid out in pages, as the PDF needs it.
        const QTextDocument& document = *builder.document();
        const qint64 laidOut = timer.nsecsElapsed();
        QString error;
        if (!exportDocument(document, pdf, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return;
        }
        const qint64 pdfDone = timer.nsecsElapsed();
        const qint64 cpuPdfDone = qint64(double(std::clock() - cpuStart) * 1e9 / CLOCKS_PER_SEC);
        if (!writeDocx(document, docx, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return;
        }
        const qint64 docxDone = timer.nsecsElapsed();
        if (i == 0) {
            continue; // warm-up: fonts and caches
        }
        stages.build.push_back(built - pageCountNs);
        stages.pageCount.push_back(pageCountNs);
        stages.layout.push_back(laidOut - built);
        stages.pdf.push_back(pdfDone - laidOut);
        stages.docx.push_back(docxDone - pdfDone);
        stages.withPdf.push_back(pdfDone);
        stages.cpuWithPdf.push_back(cpuPdfDone);
        stages.withDocx.push_back(docxDone);
    }
    std::printf("%s: %d pagine\n", name, pages);
    const QByteArray prefix(name);
    auto line = [&](const char* stage, const std::vector<qint64>& samples, double target) {
        bench::report((prefix + stage).constData(), figures(samples), repetitions, target);
    };
    line(", costruzione", stages.build, 0);
    line(", conteggio delle pagine", stages.pageCount, 0);
    line(", impaginazione del documento finito", stages.layout, 0);
    line(", scrittura PDF", stages.pdf, 0);
    line(", esportazione DOCX", stages.docx, 0);
    line(", costruzione + pagine + PDF", stages.withPdf, targetMs);
    line(", costruzione + pagine + PDF, tempo di CPU", stages.cpuWithPdf, targetMs);
    line(", costruzione + pagine + PDF + DOCX", stages.withDocx, 0);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    run("relazione 100 ipotesi x 100 righe", 100, 100, 3, 4000, folder.path());
    run("relazione 10 ipotesi x 10 righe", 10, 10, 20, 500, folder.path());
    return 0;
}
