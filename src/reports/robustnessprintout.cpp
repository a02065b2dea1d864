#include "robustnessprintout.h"

#include "evaluationchart.h"
#include "printoutparts.h"

#include "model/robustness.h"
#include "model/textrules.h"

namespace pondra {

namespace {

constexpr int BodySize = 12;
constexpr int HeadingSize = 14;
// Bars of one chart: a page holds so many at an easy reading size.
constexpr std::size_t BarsPerChart = 25;

const char16_t MethodText[] =
    u"Per ogni ipotesi è indicato il minimo numero di cambi di giudizio che la porterebbe alla pari "
    u"con la prima in graduatoria: ogni cambio sposta di un grado della scala un solo giudizio, "
    u"migliorando quello di una caratteristica dell'ipotesi o peggiorando quello di una caratteristica "
    u"della prima. Più cambi servono, più la graduatoria è solida.";

QString cr()
{
    return QStringLiteral("\r");
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
    b.writeEndParagraph(QString::fromUtf16(MethodText) + cr());
    b.writeEndParagraph(analysis.summary + cr());
    if (analysis.challenges.empty()) {
        return false;
    }
    appendTable(b, int(analysis.challenges.size()) + 1,
                {QStringLiteral("numero"), QStringLiteral("denominazione dell'ipotesi"),
                 QStringLiteral("cambi necessari"), QStringLiteral("giudizio sulla solidità")});
    int row = 2;
    for (const Challenge& c : analysis.challenges) {
        b.setCellText(row, 1, signBlankText(c.position));
        b.setCellText(row, 2, c.name);
        b.setCellText(row, 3, c.changesNeeded ? signBlankText(*c.changesNeeded) : QStringLiteral("-"));
        b.setCellText(row, 4, c.verdict);
        ++row;
    }
    b.applyTableFormat(ColourfulTableFormat);
    return true;
}

} // namespace

void printRobustness(DocumentBuilder& b, const PrintSource& s)
{
    const QString name = QStringLiteral("Solidità della graduatoria");
    b.setDocumentInfo(name, s.ownerStudioName, name);
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
    // Names and verdicts run over several lines in narrow cells: justified, their words would
    // stand far apart.
    b.alignColumn(table, 2, ParagraphAlignment::Left);
    b.alignColumn(table, 3, ParagraphAlignment::Right);
    b.alignColumn(table, 4, ParagraphAlignment::Left);
}

} // namespace pondra
