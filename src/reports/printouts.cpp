#include "printouts.h"

#include "pagesetup.h"
#include "printoutparts.h"
#include "robustnessprintout.h"
#include "weightingprintout.h"

#include "model/judgementscale.h"
#include "model/ranking.h"
#include "model/scoring.h"
#include "model/textrules.h"
#include "model/weight.h"

#include <QStringList>

namespace pondra {

namespace {

constexpr int BodySize = 12;
constexpr int CellSize = 10;
// The rows of the form filled in by hand: 7 mm, the height of a line of handwriting.
constexpr double HandwritingRowHeight = 7 * 72 / 25.4;
// The form's rows, its header included: as many as fit on its page at that height.
constexpr int FormRows = 22;

QString cr(int count = 1)
{
    return QString(count, u'\r');
}

// A cell read as a number, comma decimals, shown with the pattern. Never set counts as 0; a
// text that is no number (the empty text among them) is written as it is.
QString patternText(const Value& value, QStringView pattern)
{
    const std::optional<double> number = value.toNumber();
    return number ? fixedPatternText(*number, pattern) : value.toDisplayText();
}

QString patternText(const QString& text, QStringView pattern)
{
    return patternText(Value::text(text), pattern);
}

QString held(const Value& value)
{
    return value.toDisplayText();
}

// Where the studio has not been set, a line to write on by hand: never anyone else's name.
QString orBlankLine(const QString& text)
{
    return text.trimmed().isEmpty() ? QString(40, u'_') : text;
}

// A line of its own for a text that may be missing.
QString lineIfAny(const QString& text)
{
    return text.trimmed().isEmpty() ? QString() : text.trimmed() + u'\r';
}

void appendParagraph(DocumentBuilder& b, int size, const QString& text)
{
    b.appendParagraph();
    b.setEndParagraphSize(size);
    b.writeEndParagraph(text);
}

} // namespace

void standardHeading(DocumentBuilder& b, const IdentityTexts& identity, int titleSize, int descriptionSize)
{
    b.setFontName(QString::fromLatin1(DocumentFont));
    b.setFontSize(titleSize);
    b.typeText(identity.ProgramName + cr());
    b.setFontSize(descriptionSize);
    b.typeText(identity.ProgramDescription + cr(2));
    b.setFontSize(BodySize);
}

void appendTable(DocumentBuilder& b, int rows, const QStringList& header)
{
    b.appendTable(rows, int(header.size()));
    b.setTableFontSize(CellSize);
    for (int c = 1; c <= header.size(); ++c) {
        b.setCellText(1, c, header.at(c - 1));
    }
}

namespace {

void judgementScaleTable(DocumentBuilder& b)
{
    appendTable(b, JudgementSteps + 1, {QStringLiteral("numero"), QStringLiteral("scala dei giudizi")});
    // All the numbers first, then all the adjectives.
    for (int k = 1; k <= JudgementSteps; ++k) {
        b.setCellText(k + 1, 1, signBlankText(k));
    }
    for (int k = 1; k <= JudgementSteps; ++k) {
        b.setCellText(k + 1, 2, JudgementScale::adjective(k));
    }
    b.applyTableFormat(ColourfulTableFormat);
    // The scale opens every printout that has it: it is table 1.
    b.alignColumn(1, 1, ParagraphAlignment::Decimal);
}

// The section's heading stands in the document's outline at the level given.
void hypothesisSection(DocumentBuilder& b, const PrintSource& s, int h, int outlineLevel)
{
    const Hypothesis& hyp = s.study.hypothesis(h);
    const ScoreFigures figures = scoreFigures(hyp);
    appendParagraph(b, BodySize,
                    cr() + QStringLiteral("Ipotesi n.") + joinedSignBlankText(h) + QStringLiteral(": ") +
                        held(hyp.name));
    b.markEndParagraphHeading(outlineLevel, QString());
    b.writeEndParagraph(cr());

    // A row removed in between (neither named nor judged) is not listed; the others keep their
    // numbers.
    QList<int> listed;
    for (int r = 1; r <= s.study.lastNamedRowOf(h); ++r) {
        const CharacteristicEntry& row = s.study.row(h, r);
        if (row.holdsData()) {
            listed << r;
        }
    }
    const int rows = int(listed.size());
    appendTable(b, rows + 4,
                {QStringLiteral("n."), QStringLiteral("caratteristiche considerate"),
                 QStringLiteral("giudizi"), QStringLiteral("valori"), QStringLiteral("coefficienti"),
                 QStringLiteral("pesi")});
    for (int line = 2; const int r : listed) {
        const CharacteristicEntry& row = s.study.row(h, r);
        b.setCellText(line, 1, signBlankText(r));
        b.setCellText(line, 2, held(row.name));
        b.setCellText(line, 3, held(row.judgement));
        b.setCellText(line, 4, held(row.judgementNumber));
        b.setCellText(line, 5, patternText(row.coefficient, u"0.000"));
        b.setCellText(line, 6, shownWeightText(row.weight));
        b.applyTableFormat(ColourfulTableFormat);
        ++line;
    }
    b.setCellText(rows + 2, 2, QStringLiteral("media dei coefficienti"));
    b.setCellText(rows + 2, 5, patternText(figures.media, u"0.000"));
    b.setCellText(rows + 3, 2, QStringLiteral("coefficiente ponderato"));
    b.setCellText(rows + 3, 5, patternText(figures.ponderata, u"0.000"));
    b.setCellText(rows + 4, 2, QStringLiteral("giudizio complessivo"));
    b.setCellText(rows + 4, 3, held(hyp.OverallJudgement));
}

void rankingTable(DocumentBuilder& b, const Ranking& ranking, int count)
{
    appendTable(b, count + 1,
                {QStringLiteral("numero"), QStringLiteral("denominazione dell'ipotesi"),
                 QStringLiteral("valutazione in") + NoBreakSpace + u'%',
                 QStringLiteral("giudizio complessivo")});
    const RankingPlaces places = placesOf(ranking);
    for (int i = 1; i <= count; ++i) {
        const RankingEntry& entry = ranking.at(std::size_t(i));
        const Place& place = places.at(std::size_t(i));
        // The place, not the hypothesis number.
        b.setCellText(i + 1, 1, signBlankText(place.number));
        b.setCellText(i + 1, 2, held(entry.name) + placeNote(place));
        b.setCellText(i + 1, 3, patternText(entry.evaluation, u"0.0"));
        b.setCellText(i + 1, 4, held(entry.overallJudgement));
    }
    b.applyTableFormat(ColourfulTableFormat);
}

// The numbers of the hypothesis tables (tables 2..count+1) stand on their decimal commas.
void alignHypothesisTables(DocumentBuilder& b, int count)
{
    for (int table = 2; table <= count + 1; ++table) {
        for (const int column : {1, 4, 5, 6}) {
            b.alignColumn(table, column, ParagraphAlignment::Decimal);
        }
    }
}

// The ranking's place and evaluation.
void alignRankingTable(DocumentBuilder& b, int table)
{
    b.alignColumn(table, 1, ParagraphAlignment::Decimal);
    b.alignColumn(table, 3, ParagraphAlignment::Decimal);
}

void reportTitlePage(DocumentBuilder& b, const PrintSource& s)
{
    const TitlePage& t = s.titlePage;
    b.setFontName(QString::fromLatin1(DocumentFont));
    b.setFontSize(24);
    b.typeText(QStringLiteral("VALUTAZIONI DI IPOTESI"));
    b.markEndParagraphHeading(1, QStringLiteral("Frontespizio"));
    b.typeText(cr());
    b.setFontSize(14);
    b.typeText(s.identity.ProgramDescription + cr());
    b.setFontSize(14);
    // The title page stays one page: its spacing gives way to long fields.
    b.setBlankLinesGiveWay(true);
    b.typeText(cr(4) + QStringLiteral("perizia: ") + t.progetto + cr(3));
    b.typeText(QStringLiteral("località: ") + t.localita + cr(3));
    b.typeText(QStringLiteral("tipologia di studio: ") + t.tipostudio);
    for (int i = 0; i < 9; ++i) {
        b.typeText(cr());
    }
    const OwnerData& owner = s.owner;
    b.typeText(QStringLiteral("progettista: ") + orBlankLine(owner.OwnerStudioName) + cr());
    b.typeText(QStringLiteral("committente: ") + t.committente + cr(2));
    b.typeText(t.luogo + QStringLiteral(": ") + t.data);
    for (int i = 0; i < 12; ++i) {
        b.typeText(cr());
    }
    b.setBlankLinesGiveWay(false);
    // The studio closes the title page, its lines together: name, qualification, address and
    // how to reach it.
    QStringList studio{orBlankLine(owner.OwnerStudioName), owner.OwnerQualification.trimmed(),
                       orBlankLine(owner.OwnerAddress), owner.contactLine()};
    studio.removeAll(QString());
    b.setKeepWithNext(true);
    b.typeText(studio.sliced(0, studio.size() - 1).join(u'\r') + cr());
    b.setKeepWithNext(false);
    b.typeText(studio.last() + cr() + u'\f');
}

const char16_t MethodText[] =
    u"La presente elaborazione valuta per confronto la soluzione migliore tra le ipotesi assunte. "
    u"I requisiti indicati sono quelli che si desiderano, o che meglio descrivono le qualità degli "
    u"oggetti, dei beni o delle situazioni di stima. Il peso di tali caratteristiche misura "
    u"l'importanza che ad esse viene data rispetto al totale della valutazione: viene espresso in "
    u"percentuale.  Maggiore sarà tale valore, maggiore sarà  'il peso', appunto, nell'insieme "
    u"della stima dell'ipotesi considerata. In definitiva il peso misura quanto è presente quel "
    u"requisito: meno o più della media.";

const char16_t ScaleText[] =
    u"La qualità viene invece indicata mediante un aggettivo a cui corrisponde un preciso "
    u"coefficiente associato alla formula di calcolo. Nella scala proposta il massimo grado è "
    u"costituito dal giudizio 'eccellente', mentre il minimo è costituito dal giudizio 'nullo'. Ad "
    u"ognuno di essi corrisponde un valore che va da '1', per l 'eccellente,  allo  '0',  per il "
    u"nullo.  La stima finale,  esposta in forma di percentuale rispetto ad una ideale con tutti i "
    u"requisiti al massimo grado, è una media ponderata calcolata con i dati a disposizione. "
    u"All'aumentare delle caratteristiche considerate per ogni ipotesi si affina la valutazione ed "
    u"il risultato finale diventa sempre più attendibile.";

} // namespace

void printTemplate(DocumentBuilder& b, const IdentityTexts& identity, const QString& ownerStudioName)
{
    const QString name = QStringLiteral("Modello di acquisizione dati");
    b.setDocumentInfo(name, ownerStudioName, name);
    standardHeading(b, identity, 20, 16);
    b.appendParagraph();
    judgementScaleTable(b);
    // 45 underscores for the name written by hand.
    appendParagraph(b, BodySize,
                    cr() + QStringLiteral("Ipotesi n.:_____") + QStringLiteral("  -  nome: ") +
                        QString(45, u'_'));
    appendTable(b, FormRows,
                {QStringLiteral("numero"), QStringLiteral("caratteristiche considerate per l'ipotesi"),
                 QStringLiteral("giudizi"), QStringLiteral("pesi in\u00A0% (totale\u00A0=\u00A0100)")});
    b.setTableMinimumRowHeight(HandwritingRowHeight);
    b.applyTableFormat(ColourfulTableFormat);
}

void printHypothesesData(DocumentBuilder& b, const PrintSource& s)
{
    const int count = s.study.countNamedHypotheses();
    const QString name = QStringLiteral("Dati delle ipotesi");
    b.setDocumentInfo(name, s.owner.OwnerStudioName, name);
    standardHeading(b, s.identity, 20, 16);
    b.appendParagraph();
    judgementScaleTable(b);
    for (int h = 1; h <= count; ++h) {
        hypothesisSection(b, s, h, 1);
    }
    alignHypothesisTables(b, count);
}

void printRanking(DocumentBuilder& b, const PrintSource& s)
{
    const QString name = QStringLiteral("Graduatoria delle ipotesi");
    b.setDocumentInfo(name, s.owner.OwnerStudioName, name);
    standardHeading(b, s.identity, 20, 16);
    b.typeText(QStringLiteral("Classifica delle ipotesi"));
    b.appendParagraph();
    rankingTable(b, s.ranking, s.study.countNamedHypotheses());
    alignRankingTable(b, 1);
}

int printReport(DocumentBuilder& b, const PrintSource& s, const ReportOptions& options)
{
    const int count = s.study.countNamedHypotheses();
    const QString name = QStringLiteral("Relazione di stima");
    // The perizia names the report; without one, what it is.
    const QString perizia = s.titlePage.progetto.simplified();
    b.setDocumentInfo(perizia.isEmpty() ? name : perizia, s.owner.OwnerStudioName, name);
    reportTitlePage(b, s);

    appendParagraph(b, 18, u'\f' + QStringLiteral("RELAZIONE DI STIMA"));
    b.markEndParagraphHeading(1, QString());
    b.writeEndParagraph(cr(2));
    b.setEndParagraphSize(BodySize);
    b.writeEndParagraph(QString::fromUtf16(MethodText) + cr());
    b.writeEndParagraph(QString::fromUtf16(ScaleText) + cr());

    b.setEndParagraphSize(14);
    b.writeEndParagraph(cr() + QStringLiteral("A) DATI  (") + joinedSignBlankText(count) + NoBreakSpace +
                        QStringLiteral("ipotesi considerate)"));
    b.markEndParagraphHeading(1, QString());
    b.writeEndParagraph(cr());
    b.writeEndParagraph(cr());
    judgementScaleTable(b);
    for (int h = 1; h <= count; ++h) {
        hypothesisSection(b, s, h, 2);
    }

    // The ranking heading goes to the end paragraph the last hypothesis section left.
    b.setEndParagraphSize(14);
    b.writeEndParagraph(cr() + QStringLiteral("B) GRADUATORIA DELLE IPOTESI"));
    b.markEndParagraphHeading(1, QString());
    b.writeEndParagraph(cr());
    b.writeEndParagraph(cr());
    rankingTable(b, s.ranking, count);
    const bool robustnessTable = options.withRobustness && robustnessSection(b, s);
    const std::vector<int> weightingTables =
        options.withWeighting ? weightingSection(b, s) : std::vector<int>();

    // The page count is a field: it states the pages of the document as finally laid out,
    // closing texts and signature included. The closing block, from the page count to the studio,
    // stands on one page with the end of what precedes it: a signature alone on a page could be
    // put under any other pages.
    const TitlePage& t = s.titlePage;
    b.keepWithPrevious();
    b.setKeepWithNext(true);
    b.writeEndParagraph(cr() + QStringLiteral("La presente relazione di stima è composta di n."));
    b.writeEndParagraphPageCount();
    b.writeEndParagraph(NoBreakSpace + QStringLiteral("pagine.") + cr());
    b.writeEndParagraph(QStringLiteral("Si allega: ") + t.allegati + cr(3));
    b.writeEndParagraph(t.luogo + QStringLiteral(": ") + t.data + cr(3));
    b.writeEndParagraph(QStringLiteral("il perito") + cr() + lineIfAny(s.owner.OwnerQualification));
    b.setKeepWithNext(false);
    b.writeEndParagraph(u'(' + orBlankLine(s.owner.OwnerStudioName) + u')');

    b.justifyAll();
    alignHypothesisTables(b, count);
    alignRankingTable(b, count + 2);
    if (robustnessTable) {
        alignRobustnessTable(b, count + 3);
    }
    alignWeightingTables(b, count + (robustnessTable ? 4 : 3), weightingTables);
    return b.pageCount();
}

void printTitlePageData(DocumentBuilder& b, const PrintSource& s)
{
    const TitlePage& t = s.titlePage;
    const QString name = QStringLiteral("Frontespizio");
    b.setDocumentInfo(name, s.owner.OwnerStudioName, name);
    standardHeading(b, s.identity, 18, 12);
    b.typeText(QStringLiteral("FRONTESPIZIO") + cr());
    // Straight after the typed text: no end paragraph comes first.
    appendTable(b, 10, {QStringLiteral("tipologia"), QStringLiteral("dati")});
    const QString rows[][2] = {
        {QStringLiteral("perizia"), t.progetto},
        {QStringLiteral("località"), t.localita},
        {QStringLiteral("tipologia di studio"), t.tipostudio},
        {QStringLiteral("committente"), t.committente},
        {QStringLiteral("luogo della elaborazione"), t.luogo},
        {QStringLiteral("data della elaborazione"), t.data},
        {QStringLiteral("allegati alla relazione"), t.allegati},
        {QStringLiteral("studio tecnico"), orBlankLine(s.owner.OwnerStudioName)},
        {QStringLiteral("indirizzo"), orBlankLine(s.owner.OwnerAddress)},
    };
    int row = 2;
    for (const auto& [caption, text] : rows) {
        b.setCellText(row, 1, caption);
        b.setCellText(row, 2, text);
        ++row;
    }
    b.applyTableFormat(ColourfulTableFormat);
}

} // namespace pondra
