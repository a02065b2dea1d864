#include "datafilereader.h"

#include "datafilewriter.h"
#include "recordscanner.h"

#include "model/judgementscale.h"
#include "model/textlimits.h"
#include "model/textrules.h"

#include <QIODevice>

#include <algorithm>
#include <functional>

#include <cmath>

namespace pondra {

namespace {

// A whole data file of 100 hypotheses of 100 rows is well under a megabyte.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

bool isWholeIn(std::optional<double> d, int low, int high)
{
    return d && *d == std::floor(*d) && *d >= low && *d <= high;
}

// Counts and flags are written as numbers, never as texts.
bool isWholeNumberIn(const Value& v, int low, int high)
{
    return v.isNumeric() && isWholeIn(v.toNumber(), low, high);
}

// The text the Data window writes for a step ("0,8"), known without parsing it: nearly every
// coefficient of a file.
bool isScaleCoefficientText(const Value& v)
{
    if (!v.isText()) {
        return false;
    }
    const QStringView text = v.textValue();
    for (int n = 1; n <= JudgementSteps; ++n) {
        if (text == QStringView(JudgementScale::step(n).coefficientText)) {
            return true;
        }
    }
    return false;
}

// A coefficient is a step of the judgement scale: 0 to 1 in tenths.
bool isScaleCoefficient(double c)
{
    const double tenths = c * 10.0;
    return c >= 0.0 && c <= 1.0 && std::abs(tenths - std::round(tenths)) < 1e-9;
}

// A coefficient written with a point ("0.8", by a program set to another language) is the
// coefficient the Data window writes with the comma.
std::optional<Value> coefficientWithComma(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || numberPrefixLength(trimmed, u'.') != trimmed.size()) {
        return std::nullopt;
    }
    bool ok = false;
    const double c = trimmed.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return Value::text(generalNumberText(c));
}

class Reader {
public:
    Reader(QByteArrayView data, TextEncoding encoding, Study& study, TitlePage& titlePage)
        : m_scanner(data, encoding), m_study(study), m_titlePage(titlePage)
    {
    }

    bool run();
    QString error;

private:
    // `what` names the expected record; it is built only when there is something to say.
    bool record(int fieldCount, const std::function<QString()>& what);
    bool fail(int line, const QString& what)
    {
        error = QStringLiteral("riga %1: %2").arg(line).arg(what);
        return false;
    }
    // A name, a judgement: within its limits, on one line. The field's name is only made for
    // the message: ten thousand rows are read without one.
    template <typename FieldName> bool checkName(const Value& v, FieldName field)
    {
        const std::optional<QString> problem = v.isText() ? nameTextProblem(v.textValue()) : std::nullopt;
        return !problem || fail(m_line, QStringLiteral("%1 %2.").arg(field(), *problem));
    }
    bool readHypothesis(int h);
    bool readRow(int h, int r);
    bool readComparisons();
    bool readComparison(int k, std::vector<bool>& seen);

    RecordScanner m_scanner;
    Study& m_study;
    TitlePage& m_titlePage;
    std::vector<Value> m_fields;
    int m_line = 0;
    int m_hypotheses = 0;
};

bool Reader::record(int fieldCount, const std::function<QString()>& what)
{
    if (m_scanner.atEnd()) {
        error = QStringLiteral("il file finisce alla riga %1, dove si attendeva %2.")
                    .arg(m_scanner.line())
                    .arg(what());
        return false;
    }
    m_line = m_scanner.line();
    if (!m_scanner.next(m_fields)) {
        error = m_scanner.errorString();
        return false;
    }
    if (int(m_fields.size()) != fieldCount) {
        return fail(
            m_line,
            QStringLiteral("%1 con %2 campi invece di %3.").arg(what()).arg(m_fields.size()).arg(fieldCount));
    }
    return true;
}

bool Reader::readHypothesis(int h)
{
    if (!record(4, [h] { return QStringLiteral("l'ipotesi n. %1").arg(h); })) {
        return false;
    }
    Hypothesis& hyp = m_study.hypothesis(h);
    const auto of = [h](const QString& what) {
        return QStringLiteral("%1 dell'ipotesi n. %2").arg(what).arg(h);
    };
    if (!checkName(m_fields[0], [&] { return of(QStringLiteral("il nome")); }) ||
        !checkName(m_fields[3], [&] { return of(QStringLiteral("il giudizio complessivo")); })) {
        return false;
    }
    const Value& rowCount = m_fields[1];
    if (!rowCount.isNothing() && !isWholeNumberIn(rowCount, 0, MaxRows)) {
        return fail(m_line, QStringLiteral(
                                "il numero delle caratteristiche deve essere un numero intero da 0 a 100."));
    }
    Value evaluation = m_fields[2];
    if (evaluation.isText() && !evaluation.textValue().isEmpty()) {
        return fail(m_line, QStringLiteral("la valutazione deve essere un numero."));
    }
    // Evaluations are always held as numbers, whatever form they were written in.
    if (evaluation.isNumeric()) {
        evaluation = Value::number(*evaluation.toNumber());
    }
    hyp.name = m_fields[0];
    hyp.LastNamedRow = rowCount;
    hyp.EvaluationPercent = evaluation;
    hyp.OverallJudgement = m_fields[3];

    const int rows = m_study.lastNamedRowOf(h);
    for (int r = 1; r <= rows; ++r) {
        if (!readRow(h, r)) {
            return false;
        }
    }
    return true;
}

bool Reader::readRow(int h, int r)
{
    if (!record(6, [h, r] {
            return QStringLiteral("la caratteristica n. %1 dell'ipotesi n. %2").arg(r).arg(h);
        })) {
        return false;
    }
    const Value& ticked = m_fields[0];
    if (!ticked.isNothing() && !isWholeNumberIn(ticked, 0, 1)) {
        return fail(m_line, QStringLiteral("l'indicatore di spunta deve valere 0 o 1."));
    }
    const auto of = [h, r](const QString& what) {
        return QStringLiteral("%1 della caratteristica n. %2 dell'ipotesi n. %3").arg(what).arg(r).arg(h);
    };
    if (!checkName(m_fields[1], [&] { return of(QStringLiteral("il nome")); }) ||
        !checkName(m_fields[2], [&] { return of(QStringLiteral("il giudizio")); })) {
        return false;
    }
    const Value& number = m_fields[3];
    if (!number.isEmpty() && !isWholeIn(number.toNumber(), 1, JudgementSteps)) {
        return fail(m_line, QStringLiteral("il numero del giudizio deve essere un numero intero da 1 a %1.")
                                .arg(JudgementSteps));
    }
    Value& coefficient = m_fields[4];
    if (!coefficient.isEmpty() && !isScaleCoefficientText(coefficient)) {
        if (coefficient.isText() && !isDisplayNumber(coefficient.textValue())) {
            if (std::optional<Value> withComma = coefficientWithComma(coefficient.textValue())) {
                coefficient = *withComma;
            }
        }
        const std::optional<double> c = coefficient.toNumber();
        if (!c) {
            return fail(m_line, QStringLiteral("il coefficiente deve essere un numero."));
        }
        if (!isScaleCoefficient(*c)) {
            return fail(m_line,
                        QStringLiteral("il coefficiente deve essere un valore della scala dei giudizi, "
                                       "da 0 a 1 in decimi."));
        }
    }
    const Value& weight = m_fields[5];
    if (!weight.isEmpty()) {
        const double w = weight.toLeadingNumber();
        if (w < 0.0 || w > 100.0) {
            return fail(m_line, QStringLiteral("il peso deve essere compreso tra 0 e 100."));
        }
    }
    CharacteristicEntry& row = m_study.row(h, r);
    row.ticked = m_fields[0];
    row.name = m_fields[1];
    row.judgement = m_fields[2];
    row.judgementNumber = m_fields[3];
    row.coefficient = m_fields[4];
    row.weight = m_fields[5];
    return true;
}

bool Reader::run()
{
    if (!record(1, [] { return QStringLiteral("il numero delle ipotesi"); })) {
        return false;
    }
    if (!isWholeNumberIn(m_fields[0], 0, MaxHypotheses)) {
        return fail(m_line,
                    QStringLiteral("il numero delle ipotesi deve essere un numero intero da 0 a 100."));
    }
    const int count = int(*m_fields[0].toNumber());
    m_hypotheses = count;
    for (int h = 1; h <= count; ++h) {
        if (!readHypothesis(h)) {
            return false;
        }
    }
    if (!record(TitlePage::FieldCount, [] { return QStringLiteral("la riga del frontespizio"); })) {
        return false;
    }
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        const QString text = m_fields[std::size_t(i)].toDisplayText();
        if (const std::optional<QString> problem = titleFieldProblem(text)) {
            return fail(m_line, QStringLiteral("il campo «%1» del frontespizio %2.")
                                    .arg(TitlePage::fieldCaption(i), *problem));
        }
        m_titlePage.field(i) = text;
    }
    return readComparisons();
}

bool Reader::readComparisons()
{
    // Whatever follows the title line does not belong to the study (a recovery file's last line, what
    // another program added), unless it opens with the heading of the pairwise comparisons.
    if (m_scanner.atEnd()) {
        return true;
    }
    // A file cut inside the heading would otherwise read as a study without its comparisons.
    const QByteArray heading = '"' + QByteArray(ComparisonHeading) + '"';
    const QByteArrayView rest = m_scanner.rest();
    if (heading.startsWith(rest) && rest.size() < heading.size()) {
        return fail(m_scanner.line(),
                    QStringLiteral("il file si interrompe nell'intestazione dei confronti a coppie."));
    }
    // Headed as written, it is read as comparisons, and refused when anything is amiss after.
    RecordScanner ahead = m_scanner;
    std::vector<Value> fields;
    if (!rest.startsWith(heading) && (!ahead.next(fields) || fields.empty() || !fields[0].isText() ||
                                      fields[0].textValue() != QLatin1StringView(ComparisonHeading))) {
        return true;
    }
    if (!record(2, [] { return QStringLiteral("l'intestazione dei confronti a coppie"); })) {
        return false;
    }
    if (!isWholeNumberIn(m_fields[1], 1, std::max(1, m_hypotheses))) {
        return fail(m_line, QStringLiteral("il numero delle ipotesi con un confronto a coppie deve essere un "
                                           "numero intero da 1 a %1.")
                                .arg(m_hypotheses));
    }
    const int count = int(*m_fields[1].toNumber());
    std::vector<bool> seen(std::size_t(m_hypotheses) + 1);
    for (int k = 1; k <= count; ++k) {
        if (!readComparison(k, seen)) {
            return false;
        }
    }
    return true;
}

bool Reader::readComparison(int k, std::vector<bool>& seen)
{
    if (!record(2, [k] { return QStringLiteral("il confronto a coppie n. %1").arg(k); })) {
        return false;
    }
    if (!isWholeNumberIn(m_fields[0], 1, m_hypotheses)) {
        return fail(m_line,
                    QStringLiteral("il numero dell'ipotesi del confronto a coppie deve essere un numero "
                                   "intero da 1 a %1.")
                        .arg(m_hypotheses));
    }
    const int h = int(*m_fields[0].toNumber());
    if (seen[std::size_t(h)]) {
        return fail(m_line, QStringLiteral("l'ipotesi n. %1 ha già un confronto a coppie.").arg(h));
    }
    seen[std::size_t(h)] = true;
    if (!isWholeNumberIn(m_fields[1], MinCompared, MaxCompared)) {
        return fail(m_line,
                    QStringLiteral("il numero delle caratteristiche confrontate deve essere un numero "
                                   "intero da %1 a %2.")
                        .arg(MinCompared)
                        .arg(MaxCompared));
    }
    const int n = int(*m_fields[1].toNumber());
    PairwiseComparison comparison;
    if (!record(n, [h] { return QStringLiteral("le righe confrontate dell'ipotesi n. %1").arg(h); })) {
        return false;
    }
    for (const Value& v : m_fields) {
        if (!isWholeNumberIn(v, 1, MaxRows)) {
            return fail(
                m_line,
                QStringLiteral("le righe confrontate devono essere numeri interi da 1 a %1.").arg(MaxRows));
        }
        const int r = int(*v.toNumber());
        if (r > m_study.lastNamedRowOf(h)) {
            return fail(m_line,
                        QStringLiteral(
                            "la riga %1 confrontata non esiste nell'ipotesi n. %2, che finisce alla riga %3.")
                            .arg(r)
                            .arg(h)
                            .arg(m_study.lastNamedRowOf(h)));
        }
        if (std::find(comparison.rows.begin(), comparison.rows.end(), r) != comparison.rows.end()) {
            return fail(m_line, QStringLiteral("la riga %1 è confrontata due volte.").arg(r));
        }
        comparison.rows.push_back(r);
    }
    if (!record(n * (n - 1) / 2, [h] {
            return QStringLiteral("i giudizi del confronto a coppie dell'ipotesi n. %1").arg(h);
        })) {
        return false;
    }
    for (const Value& v : m_fields) {
        if (!isWholeNumberIn(v, -MaxStep, MaxStep)) {
            return fail(m_line,
                        QStringLiteral("i giudizi del confronto a coppie devono essere numeri interi da "
                                       "%1 a %2.")
                            .arg(-MaxStep)
                            .arg(MaxStep));
        }
        comparison.steps.push_back(int(*v.toNumber()));
    }
    m_study.hypothesis(h).comparison = std::move(comparison);
    return true;
}

} // namespace

bool DataFileReader::read(QIODevice* device, Study& study, TitlePage& titlePage)
{
    m_error.clear();
    if (!device->isOpen() && !device->open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("il file non si può aprire in lettura.");
        return false;
    }
    QByteArray data;
    char buffer[64 * 1024];
    while (true) {
        const qint64 n = device->read(buffer, sizeof buffer);
        if (n < 0) {
            m_error = QStringLiteral("il file non si può leggere.");
            return false;
        }
        if (n == 0) {
            break;
        }
        data.append(buffer, n);
        if (data.size() > MaxFileSize) {
            m_error = QStringLiteral("il file è troppo grande per essere un file di dati.");
            return false;
        }
    }
    const DetectedEncoding detected = detectEncoding(data);
    if (detected.encoding == TextEncoding::Utf16) {
        m_error = utf16RefusalText();
        return false;
    }
    Reader reader(QByteArrayView(data).sliced(detected.markLength), detected.encoding, study, titlePage);
    if (!reader.run()) {
        m_error = reader.error;
        return false;
    }
    return true;
}

} // namespace pondra
