#include "archive/datafile.h"
#include "model/identity.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "reports/documentexport.h"
#include "reports/layoutfaces.h"
#include "reports/pagelayout.h"
#include "reports/pdffile.h"
#include "reports/pdfwriter.h"
#include "reports/printouts.h"
#include "reports/robustnessprintout.h"
#include "reports/textdocumentbuilder.h"
#include "support/pdfpages.h"
#include "support/studybuilder.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace pondra;
using namespace Qt::StringLiterals;

namespace {

// The PDF's own information as poppler reads it: "Title", "Author", "Subject", ...
QMap<QString, QString> pdfInformation(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path});
    pdfinfo.waitForFinished();
    QMap<QString, QString> entries;
    for (const QString& line : QString::fromUtf8(pdfinfo.readAllStandardOutput()).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0) {
            entries.insert(line.left(colon), line.mid(colon + 1).trimmed());
        }
    }
    return entries;
}

QByteArray xml(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

// What a poppler tool prints of a PDF, or nothing without it.
QString popplerOutput(const QStringList& arguments, const QString& tool = QStringLiteral("pdfinfo"))
{
    QProcess poppler;
    poppler.start(tool, arguments);
    // A long report's structure takes poppler a while on a busy machine.
    poppler.waitForFinished(-1);
    return QString::fromUtf8(poppler.readAllStandardOutput());
}

// The report of a study, scored and ranked as the windows leave it.
void reportOf(TextDocumentBuilder& b, Study& study, const TitlePage& titlePage, const ReportOptions& options)
{
    for (int h = 1; h <= study.countNamedHypotheses(); ++h) {
        Recalculate(study, h);
    }
    Ranking ranking;
    ordina(study, ranking);
    printReport(b,
                {InitGlobals(), study, ranking, titlePage, {QStringLiteral("Studio Rossi"), {}, {}, {}, {}}},
                options);
}

// The report of a study of the given size, its hypotheses named after the pattern.
void reportOfSize(TextDocumentBuilder& b, int hypotheses, int rows, const QString& name)
{
    Study study;
    for (int h = 1; h <= hypotheses; ++h) {
        testsupport::nameHypothesis(study, h, name.arg(h));
        for (int r = 1; r <= rows; ++r) {
            testsupport::enterRow(study, h, r, QStringLiteral("requisito %1").arg(r), 1 + (h + r) % 10,
                                  100 / rows);
        }
    }
    reportOf(b, study, TitlePage{}, {});
}

// Text operators outside a marked stretch with an identifier or an artifact, in the content
// streams of the readable PDF: what a reader of the structure would never reach.
int unmarkedText(const QByteArray& pdf)
{
    int unmarked = 0;
    std::vector<bool> marks;
    for (const QByteArray& line : pdf.split('\n')) {
        if (line.endsWith(" BDC") || line.endsWith(" BMC")) {
            marks.push_back(line.contains("/MCID ") || line.startsWith("/Artifact"));
        } else if (line == "EMC" && !marks.empty()) {
            marks.pop_back();
        } else if (line.endsWith("TJ") && (marks.empty() || !marks.back())) {
            ++unmarked;
        }
    }
    return unmarked;
}

} // namespace

class TestArchivalPdf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdf_isPdfA2bAndUa1_withTitleAuthorAndAgreeingDates()
    {
        TextDocumentBuilder b;
        b.setDocumentInfo(QStringLiteral("Stima «villa» & rustico"), QStringLiteral("Studio Rossi"),
                          QStringLiteral("Relazione di stima"));
        b.setFontName(QStringLiteral("Century Gothic"));
        b.typeText(QStringLiteral("RELAZIONE DI STIMA\rè à ù"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("relazione.pdf"));
        QString error;
        QVERIFY2(exportDocument(*b.document(), path, &error), qPrintable(error));
        const QByteArray pdf = testsupport::readablePdf(path);

        QVERIFY(pdf.startsWith("%PDF-1.7"));
        QVERIFY(pdf.contains("<pdfaid:part>2</pdfaid:part>"));
        QVERIFY(pdf.contains("<pdfaid:conformance>B</pdfaid:conformance>"));
        QVERIFY(pdf.contains("<pdfuaid:part>1</pdfuaid:part>"));
        QVERIFY(pdf.contains("/S /GTS_PDFA1"));
        QVERIFY(pdf.contains("/FontFile2"));
        QVERIFY(pdf.contains("/MarkInfo << /Marked true >>"));
        QVERIFY(pdf.contains(
            QStringLiteral("<rdf:li xml:lang=\"x-default\">Stima «villa» &amp; rustico</rdf:li>").toUtf8()));
        QVERIFY(pdf.contains("<dc:creator><rdf:Seq><rdf:li>Studio Rossi</rdf:li></rdf:Seq></dc:creator>"));

        // The metadata's date is the one the PDF's own information states.
        const QRegularExpression info(
            QStringLiteral("/CreationDate \\(D:(\\d{4})(\\d\\d)(\\d\\d)(\\d\\d)(\\d\\d)(\\d\\d)"));
        const QRegularExpressionMatch m = info.match(QString::fromLatin1(pdf));
        QVERIFY(m.hasMatch());
        const QString date = QStringLiteral("<xmp:CreateDate>%1-%2-%3T%4:%5:%6")
                                 .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4),
                                      m.captured(5), m.captured(6));
        QVERIFY(pdf.contains(date.toLatin1()));
    }

    void printout_statesTitleAuthorSubjectAndItalian_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("perizia");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("subject");
        const QString perizia = QStringLiteral("Stima «villa» & rustico");
        const auto row = [&](const char* name, const char16_t* kind, const QString& periziaText,
                             const char16_t* title, const char16_t* subject) {
            QTest::newRow(name) << QString::fromUtf16(kind) << periziaText << QString::fromUtf16(title)
                                << QString::fromUtf16(subject);
        };
        row("relazione", u"relazione", perizia, u"Stima «villa» & rustico", u"Relazione di stima");
        row("relazione senza perizia", u"relazione", QString(), u"Relazione di stima", u"Relazione di stima");
        row("dati", u"dati", perizia, u"Dati delle ipotesi", u"Dati delle ipotesi");
        row("classifica", u"classifica", perizia, u"Graduatoria delle ipotesi", u"Graduatoria delle ipotesi");
        row("modello", u"modello", perizia, u"Modello di acquisizione dati", u"Modello di acquisizione dati");
        row("frontespizio", u"frontespizio", perizia, u"Frontespizio", u"Frontespizio");
        row("solidità", u"solidita", perizia, u"Solidità della graduatoria", u"Solidità della graduatoria");
    }

    void printout_statesTitleAuthorSubjectAndItalian()
    {
        QFETCH(QString, kind);
        QFETCH(QString, perizia);
        QFETCH(QString, title);
        QFETCH(QString, subject);
        const QString studio = QStringLiteral("Studio «Rossi» & figli");
        Study study;
        testsupport::nameHypothesis(study, 1, QStringLiteral("Casa"));
        testsupport::enterRow(study, 1, 1, QStringLiteral("luce"), 2, 100);
        testsupport::nameHypothesis(study, 2, QStringLiteral("Villa"));
        testsupport::enterRow(study, 2, 1, QStringLiteral("luce"), 4, 100);
        Recalculate(study, 1);
        Recalculate(study, 2);
        Ranking ranking;
        ordina(study, ranking);
        const IdentityTexts identity = InitGlobals();
        TitlePage page;
        page.progetto = perizia;
        const PrintSource source{
            identity, study, ranking, page, {studio, {}, QStringLiteral("via Roma 1"), {}, {}}};
        TextDocumentBuilder b;
        if (kind == u"relazione") {
            printReport(b, source, {true});
        } else if (kind == u"dati") {
            printHypothesesData(b, source);
        } else if (kind == u"classifica") {
            printRanking(b, source);
        } else if (kind == u"modello") {
            printTemplate(b, identity, studio);
        } else if (kind == u"frontespizio") {
            printTitlePageData(b, source);
        } else {
            printRobustness(b, source);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stampa.pdf"));
        QString error;
        QVERIFY2(exportPages(b.pages(), path, &error), qPrintable(error));
        const QByteArray pdf = testsupport::readablePdf(path);

        QVERIFY(
            pdf.contains("<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xml(title) + "</rdf:li>"));
        QVERIFY(
            pdf.contains("<dc:creator><rdf:Seq><rdf:li>" + xml(studio) + "</rdf:li></rdf:Seq></dc:creator>"));
        QVERIFY(pdf.contains("<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xml(subject) +
                             "</rdf:li>"));
        QVERIFY(pdf.contains("<dc:language><rdf:Bag><rdf:li>it-IT</rdf:li></rdf:Bag></dc:language>"));
        QVERIFY(pdf.contains("/Lang (it-IT)"));

        // The information the PDF states agrees with its metadata, as read by another program.
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            QSKIP("pdfinfo (poppler-utils) reads the PDF's information");
        }
        const QMap<QString, QString> information = pdfInformation(path);
        QCOMPARE(information.value(QStringLiteral("Title")), title);
        QCOMPARE(information.value(QStringLiteral("Author")), studio);
        QCOMPARE(information.value(QStringLiteral("Subject")), subject);
        QCOMPARE(information.value(QStringLiteral("Pages")).toInt(), b.pageCount());
    }

    void shippedReport_isTaggedInReadingOrder_data()
    {
        QTest::addColumn<bool>("robustness");
        QTest::newRow("relazione") << false;
        QTest::newRow("relazione con la solidità") << true;
    }

    void shippedReport_isTaggedInReadingOrder()
    {
        QFETCH(bool, robustness);
        Study study;
        TitlePage titlePage;
        QString error;
        QVERIFY2(loadStudyFile(QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"), study,
                               titlePage, &error),
                 qPrintable(error));
        TextDocumentBuilder b;
        reportOf(b, study, titlePage, {robustness});
        const PagedDocument& pages = b.pages();
        const DocumentContent& content = *pages.content;
        const TaggedPdf tagged = taggedPdf(pages, {content.title, content.author, content.subject}, {}, true);
        QVERIFY2(!tagged.bytes.isEmpty(), "i caratteri URW Gothic accanto al test mancano");

        // Headings, tables led by their header cells, and the chart described in words.
        const QString& tree = tagged.structure;
        QVERIFY(tree.startsWith(QStringLiteral("Document 0\n  H1 1\n")));
        QVERIFY(tree.count(QStringLiteral("  H1 ")) >= 4);
        QVERIFY(tree.contains(QStringLiteral("  Table 0\n    TR 0\n      TH 1\n")));
        QVERIFY(tree.contains(QStringLiteral("      TD 1\n")));
        QCOMPARE(tree.contains(QStringLiteral("  Figure 1 Alt\n")), robustness);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("relazione.pdf"));
        QVERIFY2(exportPages(pages, path, &error), qPrintable(error));
        const QByteArray pdf = testsupport::readablePdf(path);
        QVERIFY(pdf.contains("/StructTreeRoot") && pdf.contains("/Lang (it-IT)") &&
                pdf.contains("/Outlines"));
        QVERIFY(pdf.contains(" TJ") || pdf.contains("]TJ"));
        QCOMPARE(unmarkedText(pdf), 0);
        QCOMPARE(testsupport::pdfPages(path), pages.pageCount());
        // The faces go in cut down to the glyphs shown.
        static const QRegularExpression faceLength(QStringLiteral("/Length1 (\\d+)"));
        int faces = 0;
        for (const QRegularExpressionMatch& m : faceLength.globalMatch(QString::fromLatin1(pdf))) {
            QVERIFY(m.captured(1).toInt() < layoutFaceData(false).size() / 2);
            ++faces;
        }
        QCOMPARE(faces, 2);
        if (robustness) {
            QVERIFY(pdf.contains(pdfText(evaluationChartDescription(
                std::get<Paragraph>(*std::find_if(content.blocks.begin(), content.blocks.end(),
                                                  [](const Block& block) {
                                                      const auto* p = std::get_if<Paragraph>(&block);
                                                      return p && p->hasChart();
                                                  }))
                    .chart))));
        }

        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            QSKIP("pdfinfo (poppler-utils) legge la struttura del PDF");
        }
        QVERIFY(popplerOutput({path}).contains(QRegularExpression(QStringLiteral("Tagged:\\s+yes"))));
        // The text read back through the structure, in the order of the pages.
        const QString text = popplerOutput({QStringLiteral("-struct-text"), path});
        const qsizetype heading = text.indexOf(QStringLiteral("\"RELAZIONE DI STIMA\""));
        const qsizetype data = text.indexOf(QStringLiteral("\"A) DATI"));
        QVERIFY(heading > 0 && data > heading);
        QVERIFY(text.contains(QStringLiteral("\"scala dei giudizi\"")));
    }

    // Thousands of cells go into several streams of rows; each must read back in its place.
    void longReport_readsBackEveryCell()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
            QSKIP("pdfinfo (poppler-utils) legge la struttura del PDF");
        }
        TextDocumentBuilder b;
        reportOfSize(b, 20, 20, QStringLiteral("ipotesi %1"));
        const QString tree =
            taggedPdf(b.pages(), {QStringLiteral("studio lungo"), {}, {}}, {}, true).structure;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("relazione.pdf"));
        QString error;
        QVERIFY2(exportPages(b.pages(), path, &error), qPrintable(error));

        const QString text = popplerOutput({QStringLiteral("-struct-text"), path});
        const auto count = [](const QString& in, const QString& pattern) {
            return in.count(QRegularExpression(pattern, QRegularExpression::MultilineOption));
        };
        QVERIFY(count(tree, QStringLiteral("^ *TD 1$")) > 2000);
        QCOMPARE(count(text, QStringLiteral("^ *TD\\b")), count(tree, QStringLiteral("^ *TD ")));
        QCOMPARE(count(text, QStringLiteral("^ *TR\\b")), count(tree, QStringLiteral("^ *TR ")));
        QVERIFY(text.contains(QStringLiteral("\"requisito 20\"")));
        QVERIFY(text.contains(QStringLiteral("ipotesi 20")));
    }

    // A character URW Gothic lacks is shown from the fallback face, which goes into the file too.
    void characterFromAnotherFace_printedOrRefused_data()
    {
        QTest::addColumn<QString>("name");
        // The character the export refuses; empty where every character prints.
        QTest::addColumn<QString>("refused");
        QTest::newRow("simboli") << QStringLiteral("ΔT ≥ 5 °C → ✓ %1") << QString();
        // Beyond the document's faces: an arrow only DejaVu Serif has comes from the system's fallback.
        QTest::newRow("quattro scritture") << QStringLiteral("Hà Nội ἀγαθός ⤀ ✓ %1") << QString();
        QTest::newRow("nessun carattere")
            << QStringLiteral("Casa \U0010FFFD %1") << QStringLiteral("\U0010FFFD");
    }

    void characterFromAnotherFace_printedOrRefused()
    {
#ifdef Q_OS_WIN
        QSKIP("poppler's tools read the PDF on Linux; the Windows build's pages are compared there");
#endif
        QFETCH(QString, name);
        QFETCH(QString, refused);
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty(),
                 "pdffonts (poppler-utils) elenca i caratteri del PDF");
        TextDocumentBuilder b;
        reportOfSize(b, 2, 2, name);
        QTemporaryDir dir;
        QString error;
        if (!refused.isEmpty()) {
            // Every format alike, and no file left behind.
            for (const QString& file : {u"r.pdf"_s, u"r.docx"_s, u"r.html"_s}) {
                QVERIFY(!exportPages(b.pages(), dir.filePath(file), &error));
                QVERIFY2(error.contains(u"il carattere «%1» del testo «Ipotesi n."_s.arg(refused)),
                         qPrintable(error));
                QVERIFY(!QFile::exists(dir.filePath(file)));
            }
            return;
        }
        const QString path = dir.filePath(QStringLiteral("relazione.pdf"));
        QVERIFY2(exportPages(b.pages(), path, &error), qPrintable(error));
        QVERIFY(popplerOutput({path}).contains(QRegularExpression(QStringLiteral("Tagged:\\s+yes"))));
        // Every face embedded, cut down and readable back, the bold one among them.
        const QStringList fonts =
            popplerOutput({path}, QStringLiteral("pdffonts")).split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(fonts.size() >= 3);
        for (const QString& font : fonts) {
            QVERIFY2(font.contains(QRegularExpression(QStringLiteral("\\byes\\s+yes\\s+yes\\b"))),
                     qPrintable(font));
        }
        QVERIFY(fonts.filter(QRegularExpression(QStringLiteral("Demi|Bold"))).size() >= 1);
        QVERIFY(popplerOutput({QStringLiteral("-struct-text"), path}).contains(name.arg(2)));
    }
};

QTEST_MAIN(TestArchivalPdf)
#include "tst_archivalpdf.moc"
