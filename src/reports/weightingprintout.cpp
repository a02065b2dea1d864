#include "weightingprintout.h"

#include "printoutparts.h"

#include "model/fairness.h"
#include "model/pairwisecomparison.h"
#include "model/textrules.h"

#include <QStringList>

#include <cmath>

namespace pondra {

namespace {

constexpr int BodySize = 12;
constexpr int HeadingSize = 14;
// Up to so many characteristics the matrix columns are headed by their names; past them by their
// numbers, which the rows repeat before the names: columns of names wrap their words into rows
// taller than a page.
constexpr int NamedColumns = 5;

const char16_t MethodText[] =
    u"I pesi delle caratteristiche contrassegnate sono stati ricavati con il metodo del confronto a "
    u"coppie (processo analitico gerarchico): per ogni coppia di caratteristiche si è giudicato "
    u"quale sia più importante e di quanto, sulla scala di Saaty da 1 (ugualmente importanti) a 9 "
    u"(estremamente più importante). I giudizi formano una matrice reciproca: se la prima è tre "
    u"volte più importante della seconda, la seconda vale un terzo della prima. I pesi sono le "
    u"componenti dell'autovettore principale della matrice, riportate a cento. Il rapporto di "
    u"coerenza CR = CI/RI misura quanto i giudizi si contraddicono tra loro: sotto 0,10 sono "
    u"accettabili.";

QString cr()
{
    return QStringLiteral("\r");
}

// One comparison and the hypotheses that share it.
struct Shown {
    QStringList names;
    PairwiseComparison comparison;
    std::vector<int> hypotheses;
};

QStringList comparedNames(const Study& study, int h, const PairwiseComparison& comparison)
{
    QStringList names;
    for (const int r : comparison.rows) {
        const QString name = r >= 1 && r <= MaxRows ? study.row(h, r).name.toDisplayText() : QString();
        names << (name.isEmpty() ? QStringLiteral("riga %1").arg(r) : name);
    }
    return names;
}

// Every comparison once when all the hypotheses that have one compare the same rows by the same
// names and judgements; otherwise one for each hypothesis.
std::vector<Shown> comparisonsOf(const Study& study)
{
    std::vector<Shown> shown;
    const int count = study.countNamedHypotheses();
    for (int h = 1; h <= count; ++h) {
        const std::optional<PairwiseComparison>& comparison = study.hypothesis(h).comparison;
        if (comparison && comparison->size() >= MinCompared) {
            shown.push_back({comparedNames(study, h, *comparison), *comparison, {h}});
        }
    }
    if (shown.size() < 2) {
        return shown;
    }
    for (const Shown& other : shown) {
        if (other.names != shown.front().names || other.comparison.steps != shown.front().comparison.steps) {
            return shown;
        }
    }
    Shown shared = shown.front();
    for (std::size_t i = 1; i < shown.size(); ++i) {
        shared.hypotheses.push_back(shown[i].hypotheses.front());
    }
    return {shared};
}

// Whole entries as they are, reciprocals as fractions ("1/5"), anything else with decimals.
QString entryText(double value)
{
    if (std::abs(value - std::round(value)) < 1e-9) {
        return generalNumberText(std::round(value));
    }
    const double inverse = 1 / value;
    if (std::abs(inverse - std::round(inverse)) < 1e-9) {
        return QStringLiteral("1/") + generalNumberText(std::round(inverse));
    }
    return fixedPatternText(value, u"0.00");
}

QString caption(const Study& study, const Shown& shown, int named)
{
    if (shown.hypotheses.size() > 1) {
        if (int(shown.hypotheses.size()) == named) {
            return QStringLiteral("Confronto comune a tutte le ipotesi");
        }
        QStringList numbers;
        for (const int h : shown.hypotheses) {
            numbers << QString::number(h);
        }
        return QStringLiteral("Confronto comune alle ipotesi n.") + NoBreakSpace +
               numbers.join(QStringLiteral(", "));
    }
    const int h = shown.hypotheses.front();
    return QStringLiteral("Ipotesi n.") + joinedSignBlankText(h) + QStringLiteral(": ") +
           study.hypothesis(h).name.toDisplayText();
}

void writeComparison(DocumentBuilder& b, const QString& title, const Shown& shown)
{
    const int n = shown.comparison.size();
    const std::vector<double> matrix = shown.comparison.matrix();
    const PairwiseFigures figures = pairwiseFigures(matrix, n);
    const std::vector<int> percents = wholePercents(figures.weights);

    b.setEndParagraphSize(BodySize);
    b.setKeepWithNext(true);
    b.writeEndParagraph(cr() + title);
    b.markEndParagraphHeading(2, QString());
    b.writeEndParagraph(cr());
    b.setKeepWithNext(false);

    const bool named = n <= NamedColumns;
    QStringList header{QString()};
    for (int i = 0; i < n; ++i) {
        header << (named ? shown.names.at(i) : QString::number(i + 1));
    }
    appendTable(b, n + 1, header);
    for (int i = 0; i < n; ++i) {
        b.setCellText(i + 2, 1,
                      named ? shown.names.at(i)
                            : QString::number(i + 1) + QStringLiteral(". ") + shown.names.at(i));
        for (int j = 0; j < n; ++j) {
            b.setCellText(i + 2, j + 2, entryText(matrix[std::size_t(i * n + j)]));
        }
    }
    b.applyTableFormat(ColourfulTableFormat);
    b.writeEndParagraph(cr());

    appendTable(b, n + 3,
                {QStringLiteral("caratteristica"), QStringLiteral("peso in") + NoBreakSpace + u'%',
                 QStringLiteral("peso intero in") + NoBreakSpace + u'%'});
    for (int i = 0; i < n; ++i) {
        b.setCellText(i + 2, 1, shown.names.at(i));
        b.setCellText(i + 2, 2, fixedPatternText(100 * figures.weights[std::size_t(i)], u"0.0"));
        b.setCellText(i + 2, 3, signBlankText(percents[std::size_t(i)]));
    }
    b.setCellText(n + 2, 1, QStringLiteral("λmax"));
    b.setCellText(n + 2, 2, fixedPatternText(figures.lambdaMax, u"0.000"));
    b.setCellText(n + 3, 1,
                  figures.consistencyRatio < ConsistentRatio
                      ? QStringLiteral("rapporto di coerenza CR (accettabile)")
                      : QStringLiteral("rapporto di coerenza CR (da rivedere)"));
    b.setCellText(n + 3, 2, fixedPatternText(figures.consistencyRatio, u"0.000"));
    b.applyTableFormat(ColourfulTableFormat);
}

} // namespace

std::vector<int> weightingSection(DocumentBuilder& b, const PrintSource& s)
{
    const std::vector<Shown> comparisons = comparisonsOf(s.study);
    std::vector<int> sizes;
    if (comparisons.empty()) {
        return sizes;
    }
    b.setEndParagraphSize(HeadingSize);
    b.setKeepWithNext(true);
    b.writeEndParagraph(cr() + QStringLiteral("D) CRITERI DI PONDERAZIONE"));
    b.markEndParagraphHeading(1, QString());
    b.writeEndParagraph(cr());
    b.setKeepWithNext(false);
    b.setEndParagraphSize(BodySize);
    b.writeEndParagraph(QString::fromUtf16(MethodText) + cr());

    const int named = s.study.countNamedHypotheses();
    for (const Shown& shown : comparisons) {
        writeComparison(b, caption(s.study, shown, named), shown);
        sizes.push_back(shown.comparison.size());
    }
    // Where the hypotheses are not weighed alike, one paragraph each below the matrices.
    const QStringList notes = fairnessNotes(s.study);
    if (!notes.isEmpty()) {
        b.setEndParagraphSize(BodySize);
        for (const QString& note : notes) {
            b.writeEndParagraph(cr() + note);
        }
    }
    b.setEndParagraphSize(HeadingSize);
    return sizes;
}

void alignWeightingTables(DocumentBuilder& b, int first, const std::vector<int>& sizes)
{
    int table = first;
    for (const int n : sizes) {
        for (int column = 2; column <= n + 1; ++column) {
            b.alignColumn(table, column, ParagraphAlignment::Decimal);
        }
        b.alignColumn(table + 1, 2, ParagraphAlignment::Decimal);
        b.alignColumn(table + 1, 3, ParagraphAlignment::Decimal);
        table += 2;
    }
}

} // namespace pondra
