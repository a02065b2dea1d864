#include "robustnessprintout.h"

#include "documentcontent.h"
#include "evaluationchart.h"
#include "printoutparts.h"

#include "model/robustness.h"
#include "model/textrules.h"

#include <algorithm>

namespace pondra {

namespace {

constexpr int BodySize = 12;
constexpr int HeadingSize = 14;
// Bars of one chart: a page holds so many at an easy reading size.
constexpr std::size_t BarsPerChart = 25;
// Up to so many hypotheses after the first, none of them changing more than SentenceRows rows,
// the table says in a sentence what each would take. Past them the sentences, each naming both
// hypotheses and every row, would run to hundreds of pages: each hypothesis gets a short line
// instead, with its ListedRows most effective rows.
constexpr std::size_t SentenceChallenges = KeptTableRows;
constexpr std::size_t SentenceRows = 6;
constexpr std::size_t ListedRows = 3;

const char16_t MethodText[] =
    u"Per ogni ipotesi è indicato il minimo numero di cambi di giudizio che la porterebbe alla pari "
    u"con la prima in graduatoria: ogni cambio sposta di un grado della scala un solo giudizio, "
    u"migliorando quello di una caratteristica dell'ipotesi o peggiorando quello di una caratteristica "
    u"della prima. Più cambi servono, più la graduatoria è solida.";

QString cr()
{
    return QStringLiteral("\r");
}

bool inSentences(const RobustnessAnalysis& analysis)
{
    return analysis.challenges.size() <= SentenceChallenges &&
           std::all_of(analysis.challenges.begin(), analysis.challenges.end(),
                       [](const Challenge& c) { return c.changes.size() <= SentenceRows; });
}

// The rows a hypothesis needs changed, without naming it or the first again: the most effective
// first, by name and steps, «costo» +2, «consumo» −1 nella prima, the rest counted.
QString rowsInBrief(const Challenge& c)
{
    if (!c.changesNeeded) {
        return QStringLiteral("nessun cambio basta");
    }
    if (*c.changesNeeded == 0) {
        return QStringLiteral("nessuna: è già alla pari");
    }
    QStringList rows;
    for (std::size_t i = 0; i < std::min(c.changes.size(), ListedRows); ++i) {
        const JudgementChange& change = c.changes[i];
        const QString name =
            change.rowName.isEmpty() ? QStringLiteral("riga %1").arg(change.row) : change.rowName;
        rows << u'«' + name + u'»' + QChar(0x00A0) + (change.better ? u'+' : QChar(0x2212)) +
                    QString::number(change.steps) +
                    (change.better ? QString() : QStringLiteral(" nella prima"));
    }
    const std::size_t more = c.changes.size() - std::min(c.changes.size(), ListedRows);
    QString text = rows.join(QStringLiteral(", "));
    if (more == 1) {
        text += QStringLiteral(" e un'altra riga");
    } else if (more > 1) {
        text += QStringLiteral(" e altre %1 righe").arg(more);
    }
    return text;
}

// The chart, then the explanation of the table, the word on the whole and the table itself, from
// the end paragraph. The heading above is kept with the chart.
bool writeBody(DocumentBuilder& b, const RobustnessAnalysis& analysis)
{
    b.setKeepWithNext(false);
    b.setEndParagraphSize(BodySize);
    const std::vector<ChartBar> bars = chartBars(analysis.ranked);
    for (std::size_t first = 0; first < bars.size(); first += BarsPerChart) {
        const auto end = bars.begin() + std::ptrdiff_t(std::min(bars.size(), first + BarsPerChart));
        b.appendChart(std::vector<ChartBar>(bars.begin() + std::ptrdiff_t(first), end));
    }
    const bool sentences = inSentences(analysis);
    b.writeEndParagraph(QString::fromUtf16(MethodText) + cr());
    if (!sentences) {
        b.writeEndParagraph(QStringLiteral("Le righe da cambiare sono in ordine di efficacia, ciascuna con i "
                                           "gradi del cambio: + per migliorare il giudizio dell'ipotesi, "
                                           "\u2212 per peggiorare quello della prima, «") +
                            analysis.ranked.front().name + QStringLiteral("».") + cr());
    }
    b.writeEndParagraph(analysis.summary + cr());
    if (analysis.challenges.empty()) {
        return false;
    }
    appendTable(
        b, int(analysis.challenges.size()) + 1,
        {QStringLiteral("numero"), QStringLiteral("denominazione dell'ipotesi"),
         QStringLiteral("cambi necessari"),
         sentences ? QStringLiteral("giudizio sulla solidità") : QStringLiteral("righe da cambiare")});
    int row = 2;
    for (const Challenge& c : analysis.challenges) {
        b.setCellText(row, 1, signBlankText(c.position));
        b.setCellText(row, 2, c.name);
        b.setCellText(row, 3, c.changesNeeded ? signBlankText(*c.changesNeeded) : QStringLiteral("-"));
        b.setCellText(row, 4, sentences ? c.verdict : rowsInBrief(c));
        ++row;
    }
    b.applyTableFormat(ColourfulTableFormat);
    return true;
}

} // namespace

void printRobustness(DocumentBuilder& b, const PrintSource& s)
{
    const QString name = QStringLiteral("Solidità della graduatoria");
    b.setDocumentInfo(name, s.owner.OwnerStudioName, name);
    standardHeading(b, s.identity, 20, 16);
    b.setKeepWithNext(true);
    b.typeText(QStringLiteral("Solidità della graduatoria") + cr());
    if (writeBody(b, analyseRobustness(s.study))) {
        alignRobustnessTable(b, 1);
    }
}

bool robustnessSection(DocumentBuilder& b, const PrintSource& s)
{
    b.setEndParagraphSize(HeadingSize);
    b.setKeepWithNext(true);
    b.writeEndParagraph(cr() + QStringLiteral("C) SOLIDITÀ DELLA GRADUATORIA"));
    b.markEndParagraphHeading(1, QString());
    b.writeEndParagraph(cr());
    const bool table = writeBody(b, analyseRobustness(s.study));
    b.setEndParagraphSize(HeadingSize);
    return table;
}

void alignRobustnessTable(DocumentBuilder& b, int table)
{
    b.alignColumn(table, 1, ParagraphAlignment::Decimal);
    b.alignColumn(table, 3, ParagraphAlignment::Decimal);
}

} // namespace pondra
