#include "archive/datafile.h"
#include "model/identity.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "model/textrules.h"
#include "reports/documentexport.h"
#include "reports/helppages.h"
#include "reports/htmlwriter.h"
#include "reports/pagelayout.h"
#include "reports/pagesetup.h"
#include "reports/printouts.h"
#include "reports/termsofuse.h"
#include "reports/textdocumentbuilder.h"
#include "support/pdfpages.h"
#include "support/studybuilder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <memory>

using namespace pondra;
using testsupport::pdfPages;

namespace {

// A study of the given size, names long enough to wrap when asked. Spread, the evaluations run
// from the top of the scale to the bottom, so the last hypotheses need most rows changed.
std::unique_ptr<Study> craftedStudy(int hypotheses, int rows, int nameLength, bool spread = false)
{
    auto study = std::make_unique<Study>();
    for (int h = 1; h <= hypotheses; ++h) {
        testsupport::nameHypothesis(*study, h,
                                    QStringLiteral("Ipotesi %1 ").arg(h).leftJustified(nameLength, u'x'));
        for (int r = 1; r <= rows; ++r) {
            const QString name =
                QStringLiteral("requisito %1 ").arg(r) + QStringLiteral("ampio ").repeated(nameLength / 6);
            const int step =
                spread ? std::min(11, 1 + (h - 1) * 8 / std::max(1, hypotheses - 1) + (r * 7 + h) % 3)
                       : 1 + (h + r) % 11;
            testsupport::enterRow(*study, h, r, name.trimmed(), step, r == rows ? 100 - (rows - 1) : 1);
        }
        Recalculate(*study, h);
    }
    return study;
}

TitlePage titlePage()
{
    TitlePage t;
    t.progetto = QStringLiteral("Scelta della sede");
    t.luogo = QStringLiteral("Bologna");
    t.data = QStringLiteral("lunedì, 7 dic 2026");
    t.allegati = QStringLiteral("planimetrie");
    return t;
}

// Every hypothesis weighs its first rows (up to the most a comparison holds) by a comparison:
// its own judgements, or one set shared by all.
void compareRows(Study& study, int rows, bool shared)
{
    const int n = std::min(rows, MaxCompared);
    for (int h = 1; h <= study.countNamedHypotheses(); ++h) {
        PairwiseComparison comparison;
        for (int r = 1; r <= n; ++r) {
            comparison.rows.push_back(r);
        }
        for (int pair = 0; pair < n * (n - 1) / 2; ++pair) {
            comparison.steps.push_back((pair * 5 + (shared ? 0 : h)) % (2 * MaxStep + 1) - MaxStep);
        }
        study.hypothesis(h).comparison = comparison;
    }
}

int report(TextDocumentBuilder& b, Study& study, bool withRobustness = false, bool withWeighting = false)
{
    Ranking ranking;
    ordina(study, ranking);
    static const IdentityTexts identity = InitGlobals();
    const PrintSource source{identity,
                             study,
                             ranking,
                             titlePage(),
                             {QStringLiteral("Studio Rossi"), {}, QStringLiteral("via Roma 1"), {}, {}}};
    return printReport(b, source, {.withRobustness = withRobustness, .withWeighting = withWeighting});
}

// Where each block starts and ends: the pages of its first and last line or row.
struct Placement {
    std::vector<int> first;
    std::vector<int> last;
    // A table's first row after its header.
    std::vector<int> firstData;
};

Placement placement(const PagedDocument& pages)
{
    const std::size_t n = pages.content->blocks.size();
    Placement p{std::vector<int>(n, -1), std::vector<int>(n, -1), std::vector<int>(n, -1)};
    for (int page = 0; page < pages.pageCount(); ++page) {
        for (const PageSlice& slice : pages.pages[std::size_t(page)]) {
            const std::size_t b = std::size_t(slice.block);
            if (p.first[b] < 0) {
                p.first[b] = page;
            }
            p.last[b] = page;
            const auto* table = std::get_if<Table>(&pages.content->blocks[b]);
            if (table && p.firstData[b] < 0 && slice.last > table->headerRows()) {
                p.firstData[b] = page;
            }
        }
    }
    return p;
}

const Paragraph* paragraphAt(const PagedDocument& pages, std::size_t b)
{
    return std::get_if<Paragraph>(&pages.content->blocks[b]);
}

// The last paragraph starting so.
std::size_t findParagraph(const PagedDocument& pages, const QString& start)
{
    for (std::size_t b = pages.content->blocks.size(); b-- > 0;) {
        if (const Paragraph* p = paragraphAt(pages, b); p && p->text.startsWith(start)) {
            return b;
        }
    }
    return std::size_t(-1);
}

// The output of one of poppler's programs on the PDF; empty when it is not installed.
QString poppler(const QString& program, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        return {};
    }
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF's bookmarks as poppler reads them, "page title", two blanks before for every level
// below the top.
QStringList pdfOutline(const QString& xml)
{
    QStringList entries;
    int depth = -1;
    static const QRegularExpression item(QStringLiteral("<item page=\"(\\d+)\">(.*)</item>"));
    for (const QString& line : xml.split(u'\n')) {
        depth += line.startsWith(QStringLiteral("<outline>"))    ? 1
                 : line.startsWith(QStringLiteral("</outline>")) ? -1
                                                                 : 0;
        if (const QRegularExpressionMatch m = item.match(line); m.hasMatch()) {
            QString title = m.captured(2);
            title.replace(QStringLiteral("&apos;"), QStringLiteral("'"))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            entries << QString(2 * depth, u' ') + m.captured(1) + u' ' + title;
        }
    }
    return entries;
}

std::unique_ptr<Study> shippedExample()
{
    auto study = std::make_unique<Study>();
    TitlePage ignored;
    QString error;
    if (!loadStudyFile(QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"), *study, ignored,
                       &error)) {
        qWarning("%s", qPrintable(error));
    }
    return study;
}

// What a technician would correct by hand, checked on the laid-out pages.
void checkRules(const PagedDocument& pages)
{
    const Placement at = placement(pages);
    const auto& blocks = pages.content->blocks;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (const auto* table = std::get_if<Table>(&blocks[b])) {
            if (table->rows <= KeptTableRows) {
                QVERIFY2(at.first[b] == at.last[b],
                         qPrintable(QStringLiteral("tabella spezzata: blocco %1").arg(b)));
            }
            continue;
        }
        const Paragraph& p = std::get<Paragraph>(blocks[b]);
        if (p.keepWithNext && b + 1 < blocks.size()) {
            // A heading (or a line of a kept block) never ends a page: what follows it is there.
            const bool nextIsTable = std::holds_alternative<Table>(blocks[b + 1]);
            const int next = nextIsTable ? at.firstData[b + 1] : at.first[b + 1];
            QVERIFY2(at.last[b] == next || next < 0,
                     qPrintable(QStringLiteral("«%1» a fine pagina %2").arg(p.text).arg(at.last[b] + 1)));
        }
    }
    // Never one line of a paragraph alone at a page's foot or head.
    for (const auto& page : pages.pages) {
        for (const PageSlice& slice : page) {
            const Paragraph* p = paragraphAt(pages, std::size_t(slice.block));
            const std::size_t lines = pages.lines[std::size_t(slice.block)].size();
            QVERIFY2(!p || lines < 2 || slice.last - slice.first >= 2,
                     qPrintable(QStringLiteral("riga sola di «%1»").arg(p ? p->text.left(40) : QString())));
        }
    }
    // No page without text or rows.
    for (int page = 0; page < pages.pageCount(); ++page) {
        bool ink = false;
        for (const PageSlice& slice : pages.pages[std::size_t(page)]) {
            const Paragraph* p = paragraphAt(pages, std::size_t(slice.block));
            ink = ink || !p || !p->text.trimmed().isEmpty() || p->hasChart();
        }
        QVERIFY2(ink, qPrintable(QStringLiteral("pagina %1 bianca").arg(page + 1)));
    }
}

} // namespace

class TestPageLayout : public QObject {
    Q_OBJECT

    int m_spilled = 0;
    int m_together = 0;

private Q_SLOTS:
    void report_statesItsPagesAndKeepsTheRules_data()
    {
        QTest::addColumn<int>("hypotheses");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<bool>("robustness");
        // 0: no section D; 1: a comparison for each hypothesis; 2: one shared by all.
        QTest::addColumn<int>("weighting");
        QTest::newRow("esempio fornito") << 0 << 0 << 0 << false << 0;
        QTest::newRow("esempio fornito, con la solidità") << 0 << 0 << 0 << true << 0;
        for (const auto& [h, r, n] : std::vector<std::tuple<int, int, int>>{{1, 1, 10},
                                                                            {1, 4, 10},
                                                                            {1, 5, 10},
                                                                            {2, 9, 10},
                                                                            {3, 12, 20},
                                                                            {4, 15, 20},
                                                                            {5, 5, 40},
                                                                            {6, 14, 10},
                                                                            {8, 3, 10},
                                                                            {9, 7, 60},
                                                                            {12, 20, 20},
                                                                            {25, 16, 90},
                                                                            {40, 4, 10},
                                                                            {3, 100, 200}}) {
            QTest::newRow(
                qPrintable(QStringLiteral("%1 ipotesi x %2 righe, nomi di %3").arg(h).arg(r).arg(n)))
                << h << r << n << false << 0;
        }
        // Section C: charts of up to 25 bars, and a table of what each hypothesis needs.
        for (const auto& [h, r] : std::vector<std::pair<int, int>>{{2, 9}, {9, 7}, {40, 4}, {100, 3}}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 ipotesi x %2 righe, con la solidità").arg(h).arg(r)))
                << h << r << 10 << true << 0;
        }
        // Section D: a matrix and its weights for every comparison, or one for all.
        for (const auto& [h, r, n, shared] :
             std::vector<std::tuple<int, int, int, bool>>{{1, 2, 10, false},
                                                          {3, 5, 20, false},
                                                          {9, 7, 40, false},
                                                          {4, 15, 20, false},
                                                          {40, 4, 10, true},
                                                          {3, 15, 90, true},
                                                          {2, 9, 10, false},
                                                          {2, 5, 90, false}}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 ipotesi x %2 righe, nomi di %3, con i pesi%4")
                                         .arg(h)
                                         .arg(r)
                                         .arg(n)
                                         .arg(shared ? QStringLiteral(" comuni") : QString())))
                << h << r << n << (h == 2) << (shared ? 2 : 1);
        }
        // Sections C and D together, for studies of every size: the signature never alone.
        for (const int h : {1, 2, 3, 4, 5, 6, 9, 12, 17, 22, 26, 30}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 ipotesi, con la solidità e i pesi").arg(h)))
                << h << 2 + h % 9 << 10 << true << 1;
        }
    }

    void report_statesItsPagesAndKeepsTheRules()
    {
        QFETCH(int, hypotheses);
        QFETCH(int, rows);
        QFETCH(int, nameLength);
        QFETCH(bool, robustness);
        QFETCH(int, weighting);
        std::unique_ptr<Study> study;
        if (hypotheses == 0) {
            study = std::make_unique<Study>();
            TitlePage ignored;
            QString error;
            QVERIFY2(loadStudyFile(QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"), *study,
                                   ignored, &error),
                     qPrintable(error));
        } else {
            study = craftedStudy(hypotheses, rows, nameLength);
        }
        if (weighting > 0) {
            compareRows(*study, rows, weighting == 2);
        }
        TextDocumentBuilder b;
        const int stated = report(b, *study, robustness, weighting > 0);
        const PagedDocument& pages = b.pages();
        QCOMPARE(findParagraph(pages, QStringLiteral("C) SOLIDITÀ")) != std::size_t(-1), robustness);
        QCOMPARE(findParagraph(pages, QStringLiteral("D) CRITERI")) != std::size_t(-1), weighting > 0);
        if (weighting == 2) {
            QVERIFY(findParagraph(pages, QStringLiteral("Confronto comune a tutte le ipotesi")) !=
                    std::size_t(-1));
        }
        QCOMPARE(stated, pages.pageCount());
        QVERIFY(pages.settled);
        const std::size_t closing = findParagraph(pages, QStringLiteral("La presente relazione"));
        QVERIFY(closing != std::size_t(-1));
        QCOMPARE(paragraphAt(pages, closing)->text,
                 QStringLiteral("La presente relazione di stima è composta di n.%1\u00A0pagine.")
                     .arg(joinedSignBlankText(stated)));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("relazione.pdf"));
        QString error;
        QVERIFY2(exportPages(pages, pdf, &error), qPrintable(error));
        QCOMPARE(pdfPages(pdf), stated);

        checkRules(pages);
        // The closing block on one page, from the page count to the studio, with the end of what
        // stands before it (the blank line after a table between).
        const Placement at = placement(pages);
        const std::size_t studio = findParagraph(pages, QStringLiteral("(Studio Rossi)"));
        QCOMPARE(at.first[closing - 1], at.last[studio]);
        QCOMPARE(at.last[closing - 2], at.first[closing]);
        // Counted over both kinds: the block taking the end of a table to a new page, and not.
        (at.first[closing] > at.first[closing - 2] ? m_spilled : m_together)++;
    }

    void report_casesCoverClosingTextsOnANewPage()
    {
        QVERIFY2(m_spilled > 0 && m_together > 0,
                 qPrintable(QStringLiteral("%1 %2").arg(m_spilled).arg(m_together)));
    }

    void robustnessSection_sentencesWhileSmallOneLineEachWhenLarge_data()
    {
        QTest::addColumn<int>("hypotheses");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("sentences");
        QTest::addColumn<int>("mostPages");
        QTest::newRow("4 ipotesi x 6 righe") << 4 << 6 << true << 2;
        QTest::newRow("16 ipotesi, l'ultima in frasi") << 16 << 3 << true << 6;
        QTest::newRow("17 ipotesi, una riga ciascuna") << 17 << 3 << false << 3;
        QTest::newRow("3 ipotesi x 100 righe, molti cambi") << 3 << 100 << false << 2;
        // Hundreds of pages of sentences before, each naming both hypotheses and every row.
        QTest::newRow("100 ipotesi x 100 righe") << 100 << 100 << false << 9;
    }

    void robustnessSection_sentencesWhileSmallOneLineEachWhenLarge()
    {
        QFETCH(int, hypotheses);
        QFETCH(int, rows);
        QFETCH(bool, sentences);
        QFETCH(int, mostPages);
        std::unique_ptr<Study> study = craftedStudy(hypotheses, rows, 20, true);
        TextDocumentBuilder without;
        const int pages = report(without, *study);
        TextDocumentBuilder b;
        const int withSection = report(b, *study, true);
        QVERIFY2(withSection - pages <= mostPages, qPrintable(QString::number(withSection - pages)));
        // The section's table is the last one; in one line a row names no hypothesis.
        const auto& blocks = b.content().blocks;
        const auto table = std::find_if(blocks.rbegin(), blocks.rend(), [](const Block& block) {
            return std::holds_alternative<Table>(block);
        });
        const Table& t = std::get<Table>(*table);
        QCOMPARE(t.rows, hypotheses);
        QCOMPARE(t.cell(0, 3).paragraphs[0].text,
                 sentences ? QStringLiteral("giudizio sulla solidità") : QStringLiteral("righe da cambiare"));
        for (int r = 1; r < t.rows; ++r) {
            QCOMPARE(t.cell(r, 3).paragraphs[0].text.contains(QStringLiteral("Ipotesi ")), sentences);
        }
    }

    void otherPrintouts_noBlankPageAndTheirOwnRules_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("expectedPages");
        QTest::newRow("modulo di acquisizione") << QStringLiteral("modello") << 1;
        QTest::newRow("condizioni di licenza") << QStringLiteral("licenza") << 1;
        QTest::newRow("guida") << QStringLiteral("guida") << HelpPageCount;
        QTest::newRow("dati di 30 ipotesi") << QStringLiteral("dati") << -1;
    }

    void otherPrintouts_noBlankPageAndTheirOwnRules()
    {
        QFETCH(QString, kind);
        QFETCH(int, expectedPages);
        const IdentityTexts identity = InitGlobals();
        TextDocumentBuilder b;
        std::unique_ptr<Study> study = craftedStudy(30, 9, 20);
        Ranking ranking;
        Study& s = *study;
        const PrintSource source{identity, s, ranking, titlePage(), {}};
        if (kind == u"modello") {
            printTemplate(b, identity, QStringLiteral("Studio Rossi"));
        } else if (kind == u"licenza") {
            printTermsOfUse(b, identity, termsOfUseText(true));
        } else if (kind == u"guida") {
            printHelpContents(b, identity);
        } else {
            printHypothesesData(b, source);
        }
        if (expectedPages > 0) {
            QCOMPARE(b.pageCount(), expectedPages);
        }
        checkRules(b.pages());
    }

    void report_outlineNamesEverySectionOnItsPage_data()
    {
        QTest::addColumn<bool>("robustness");
        // Written again from the document window's text after the user typed in it.
        QTest::addColumn<bool>("edited");
        QTest::newRow("A and B") << false << false;
        QTest::newRow("A, B and C") << true << false;
        QTest::newRow("A, B and C, edited") << true << true;
    }

    void report_outlineNamesEverySectionOnItsPage()
    {
        QFETCH(bool, robustness);
        QFETCH(bool, edited);
        std::unique_ptr<Study> study = shippedExample();
        TextDocumentBuilder b;
        report(b, *study, robustness);
        const PagedDocument& pages = b.pages();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("relazione.pdf"));
        if (edited) {
            // A blank at the end of the last line: it moves nothing.
            QTextCursor cursor(b.document());
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QStringLiteral(" "));
            QVERIFY(exportDocument(*b.document(), pdf, nullptr));
        } else {
            QVERIFY(exportPages(pages, pdf, nullptr));
        }
        const QString xml =
            poppler(QStringLiteral("pdftohtml"), {QStringLiteral("-xml"), QStringLiteral("-stdout"),
                                                  QStringLiteral("-i"), QStringLiteral("-q"), pdf});
        if (xml.isEmpty()) {
            QSKIP("pdftohtml (poppler-utils) reads the outline");
        }
        // Bookmark, its level, and how its paragraph starts where the two differ.
        const struct {
            const char16_t* title;
            int level;
            const char16_t* paragraph;
        } sections[] = {
            {u"Frontespizio", 1, u"VALUTAZIONI DI IPOTESI"},
            {u"RELAZIONE DI STIMA", 1, nullptr},
            {u"A) DATI ( 4 ipotesi considerate)", 1, u"A) DATI  (\u00A04"},
            {u"Ipotesi n. 1: Caldaia a condensazione a metano", 2, u"Ipotesi n.\u00A01"},
            {u"Ipotesi n. 2: Pompa di calore aria-acqua", 2, u"Ipotesi n.\u00A02"},
            {u"Ipotesi n. 3: Teleriscaldamento comunale", 2, u"Ipotesi n.\u00A03"},
            {u"Ipotesi n. 4: Caldaia a pellet", 2, u"Ipotesi n.\u00A04"},
            {u"B) GRADUATORIA DELLE IPOTESI", 1, nullptr},
            {u"C) SOLIDITÀ DELLA GRADUATORIA", 1, nullptr},
        };
        const Placement at = placement(pages);
        QStringList expected;
        for (const auto& section : sections) {
            const std::size_t b = findParagraph(
                pages, QString::fromUtf16(section.paragraph ? section.paragraph : section.title));
            if (b == std::size_t(-1)) {
                QVERIFY(!robustness);
                continue;
            }
            expected << QString(2 * (section.level - 1), u' ') + QString::number(at.first[b] + 1) + u' ' +
                            QString::fromUtf16(section.title);
        }
        QCOMPARE(pdfOutline(xml), expected);
    }

    void report_pdfTextReadsInOrderTablesRowByRow()
    {
#ifdef Q_OS_WIN
        QSKIP("poppler's tools read the PDF on Linux; the Windows build's pages are compared there");
#endif
        std::unique_ptr<Study> study = shippedExample();
        TextDocumentBuilder b;
        report(b, *study);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("relazione.pdf"));
        QVERIFY(exportPages(b.pages(), pdf, nullptr));
        // In the order the text is drawn; a page ends with a form feed.
        const QString text =
            poppler(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
        const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\\n\\f]")));
        QVERIFY2(lines.size() >= 2, "pdftotext (poppler-utils) reads the text");
        // Every page numbered among as many as the report says it has.
        const QStringList pageTexts = text.split(u'\f', Qt::SkipEmptyParts);
        const int count = b.pageCount();
        QCOMPARE(pageTexts.size(), count);
        QVERIFY(text.contains(QStringLiteral("composta di n. %1 pagine.").arg(count)));
        for (int i = 0; i < count; ++i) {
            QVERIFY2(pageTexts[i].trimmed().endsWith(QStringLiteral("pagina %1 di %2").arg(i + 1).arg(count)),
                     qPrintable(pageTexts[i].right(80)));
        }
        qsizetype last = -1;
        for (const QString& line :
             {QStringLiteral("VALUTAZIONI DI IPOTESI"),
              QStringLiteral("valutazioni qualsiasi mediante confronto"),
              QStringLiteral("RELAZIONE DI STIMA"), QStringLiteral("A) DATI ( 4 ipotesi considerate)"),
              QStringLiteral("numero scala dei giudizi"), QStringLiteral("1 eccellente"),
              QStringLiteral("Ipotesi n. 1: Caldaia a condensazione a metano"),
              QStringLiteral("n. caratteristiche considerate giudizi valori coefficienti pesi"),
              QStringLiteral("1 costo buono 3 0,800 30"), QStringLiteral("giudizio complessivo buono"),
              QStringLiteral("B) GRADUATORIA DELLE IPOTESI"),
              QStringLiteral("numero denominazione dell'ipotesi valutazione in % giudizio complessivo")}) {
            const qsizetype at = lines.indexOf(line, last + 1);
            QVERIFY2(at > last, qPrintable(line));
            last = at;
        }
    }

    void form_rowsHighEnoughToWriteInOnOnePage()
    {
        const IdentityTexts identity = InitGlobals();
        TextDocumentBuilder b;
        printTemplate(b, identity, QString());
        const PagedDocument& pages = b.pages();
        QCOMPARE(pages.pageCount(), 1);
        const auto& blocks = pages.content->blocks;
        const auto form = std::find_if(blocks.rbegin(), blocks.rend(), [](const Block& block) {
            return std::holds_alternative<Table>(block);
        });
        QVERIFY(form != blocks.rend());
        const Table& table = std::get<Table>(*form);
        const TableGeometry& g = pages.tables[std::size_t(blocks.rend() - form - 1)];
        QVERIFY2(table.rows > 20, qPrintable(QString::number(table.rows)));
        // Every row written in by hand, below the header.
        constexpr double SevenMillimetres = 7 * 72 / 25.4;
        for (int r = table.headerRows(); r < table.rows; ++r) {
            QVERIFY2(g.rows[std::size_t(r)] >= SevenMillimetres - 1e-9, qPrintable(QString::number(r)));
        }

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("modello.pdf"));
        QVERIFY(exportPages(pages, pdf, nullptr));
        QCOMPARE(pdfPages(pdf), 1);
        const QString html = QString::fromUtf8(htmlPage(pages, QString()));
        QCOMPARE(html.count(QStringLiteral("height: 19.84pt\">")), table.rows - table.headerRows());
    }

    void webPage_standaloneWithOurPagesLinesAndColumns()
    {
        std::unique_ptr<Study> study = craftedStudy(3, 4, 10);
        TextDocumentBuilder b;
        report(b, *study);
        const QString html = QString::fromUtf8(htmlPage(b.pages(), QStringLiteral("Relazione <prova>")));
        QVERIFY(html.startsWith(
            QStringLiteral("<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">")));
        QVERIFY(html.contains(QStringLiteral("<title>Relazione &lt;prova&gt;</title>")));
        QVERIFY(html.trimmed().endsWith(QStringLiteral("</html>")));
        // Our pages, each a sheet, and lines as high as on them: a browser's own "normal" height
        // rounds to pixels.
        QCOMPARE(html.count(QStringLiteral("<div class=\"page\">")), b.pageCount());
        static const QRegularExpression lineHeight(
            QStringLiteral("\\.s(\\d+) \\{[^}]*line-height: ([0-9.]+)pt"));
        TextMeasurer measurer(*b.pages().content);
        int looks = 0;
        for (const QRegularExpressionMatch& m : lineHeight.globalMatch(html)) {
            QCOMPARE(m.captured(2).toDouble(),
                     std::round(measurer.lineHeight(m.captured(1).toInt()) * 100) / 100);
            ++looks;
        }
        QCOMPARE(looks, int(b.pages().content->styles.size()));
        QVERIFY(!html.contains(QStringLiteral("border:")));
        // Blank lines stay; tables have the columns of the pages, adding up to the text width.
        QVERIFY(html.count(QStringLiteral("<br></p>")) > 30);
        QCOMPARE(html.count(QStringLiteral("<table")), 5);
        static const QRegularExpression group(QStringLiteral("<colgroup>(.*?)</colgroup>"));
        static const QRegularExpression width(QStringLiteral("width: ([0-9.]+)%"));
        for (const QRegularExpressionMatch& g : group.globalMatch(html)) {
            double sum = 0;
            for (const QRegularExpressionMatch& w : width.globalMatch(g.captured(1))) {
                sum += w.captured(1).toDouble();
            }
            QVERIFY2(qAbs(sum - 100) < 0.01, qPrintable(g.captured(1)));
        }
        QVERIFY(html.contains(QStringLiteral("<p class=\"s")) && html.contains(QStringLiteral(" r\">0,")));
    }

    void titlePage_onePageWhateverItsFields_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("onePage");
        QTest::newRow("brevi") << -1 << 0 << true;
        const char* names[] = {"perizia", "località", "tipologia", "committente", "luogo", "data"};
        for (int f = 0; f < 6; ++f) {
            QTest::newRow(qPrintable(QStringLiteral("%1 di 1000 caratteri").arg(QString::fromUtf8(names[f]))))
                << f << 1000 << true;
        }
        QTest::newRow("tutti di 1000 caratteri") << 6 << 1000 << false;
    }

    void titlePage_onePageWhateverItsFields()
    {
        QFETCH(int, field);
        QFETCH(int, length);
        QFETCH(bool, onePage);
        TitlePage t = titlePage();
        QString* fields[] = {&t.progetto, &t.localita, &t.tipostudio, &t.committente, &t.luogo, &t.data};
        for (int f = 0; f < 6; ++f) {
            if (f == field || field == 6) {
                *fields[f] = QStringLiteral("parola ").repeated(length / 7);
            }
        }
        std::unique_ptr<Study> study = craftedStudy(1, 3, 10);
        Ranking ranking;
        ordina(*study, ranking);
        const IdentityTexts identity = InitGlobals();
        TextDocumentBuilder b;
        printReport(b,
                    {identity,
                     *study,
                     ranking,
                     t,
                     {QStringLiteral("Studio Rossi"), {}, QStringLiteral("via Roma 1"), {}, {}}},
                    {});
        const PagedDocument& pages = b.pages();
        const Placement at = placement(pages);
        const std::size_t report = findParagraph(pages, QStringLiteral("RELAZIONE DI STIMA"));
        const std::size_t address = findParagraph(pages, QStringLiteral("via Roma 1"));
        // The studio and its address close the title page, however many pages it takes.
        QCOMPARE(at.first[address - 1], at.last[address]);
        QCOMPARE(at.last[address] + 1, at.first[report]);
        QCOMPARE(at.first[report] == 1, onePage);
        checkRules(pages);
    }

    void longKeptChain_breaksBetweenParagraphs()
    {
        // Two- to four-line paragraphs all kept with the next: several pages of one chain.
        TextDocumentBuilder b;
        b.setFontName(QString::fromLatin1(DocumentFont));
        b.setFontSize(12);
        b.setKeepWithNext(true);
        for (int i = 0; i < 90; ++i) {
            b.typeText(QStringLiteral("testo di prova ").repeated(7 * (2 + i % 3)) + QStringLiteral("\r"));
        }
        QVERIFY(b.pageCount() > 3);
        checkRules(b.pages());
    }

    void webPage_printsOurPagesInABrowser_data()
    {
        QTest::addColumn<int>("hypotheses");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("nameLength");
        QTest::newRow("esempio fornito") << 0 << 0 << 0;
        QTest::newRow("9 ipotesi x 7 righe, nomi di 60") << 9 << 7 << 60;
        QTest::newRow("12 ipotesi x 20 righe, nomi di 20") << 12 << 20 << 20;
    }

    void webPage_printsOurPagesInABrowser()
    {
        const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty()) {
            QSKIP("Chromium non è installato: la stampa della pagina web non è confrontata.");
        }
        QFETCH(int, hypotheses);
        QFETCH(int, rows);
        QFETCH(int, nameLength);
        std::unique_ptr<Study> study;
        if (hypotheses == 0) {
            study = std::make_unique<Study>();
            TitlePage ignored;
            QVERIFY(loadStudyFile(QStringLiteral(PONDRA_RESOURCES "/Pondra-dati-riscaldamento.txt"), *study,
                                  ignored, nullptr));
        } else {
            study = craftedStudy(hypotheses, rows, nameLength);
        }
        TextDocumentBuilder b;
        const int stated = report(b, *study, true);
        QTemporaryDir dir;
        const QString html = dir.filePath(QStringLiteral("relazione.html"));
        const QString printed = dir.filePath(QStringLiteral("stampata.pdf"));
        QVERIFY(exportPages(b.pages(), html, nullptr));
        QProcess browser;
        browser.start(chromium,
                      {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                       QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                       QStringLiteral("--user-data-dir=") + dir.filePath(QStringLiteral("profilo")),
                       QStringLiteral("--no-pdf-header-footer"), QStringLiteral("--print-to-pdf=") + printed,
                       QUrl::fromLocalFile(html).toString()});
        QVERIFY(browser.waitForFinished(120000));
        QCOMPARE(pdfPages(printed), stated);
    }

    void longReport_hasATruePageCount()
    {
        // Some three thousand pages, as no study reaches: the count stated is the count written.
        TextDocumentBuilder b;
        b.setFontName(QString::fromLatin1(DocumentFont));
        b.setFontSize(48);
        QString lines;
        for (int i = 0; i < 36000; ++i) {
            lines += QStringLiteral("riga %1\r").arg(i);
        }
        b.typeText(lines);
        b.writeEndParagraph(QStringLiteral("composta di n."));
        b.writeEndParagraphPageCount();
        b.writeEndParagraph(QStringLiteral(" pagine."));
        const int pages = b.pageCount();
        QVERIFY2(pages > 2900, qPrintable(QString::number(pages)));
        QVERIFY(b.pages().settled);
        const auto& last = std::get<Paragraph>(b.content().blocks.back());
        QCOMPARE(last.text, QStringLiteral("composta di n.%1 pagine.").arg(joinedSignBlankText(pages)));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("lunga.pdf"));
        QVERIFY(exportPages(b.pages(), pdf, nullptr));
        QCOMPARE(pdfPages(pdf), pages);
    }
};

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
