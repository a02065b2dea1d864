#include "datafilewriter.h"

#include "cp1252.h"
#include "model/textlimits.h"
#include "model/textrules.h"

#include <QIODevice>

#include <algorithm>

namespace pondra {

namespace {

// Composes the file line by line; knows which hypothesis and row it is writing, so that a
// refused text can be named.
class Composer {
public:
    QByteArray out;
    QString error;
    int hypothesis = 0;
    int row = 0;
    bool utf8 = false;

    bool value(const Value& v, const char16_t* what)
    {
        switch (v.kind()) {
        case Value::Kind::Nothing:
            return true;
        case Value::Kind::Integer:
            out += QByteArray::number(v.integerValue());
            return true;
        case Value::Kind::Number:
            out += dataFileNumberText(v.numberValue()).toLatin1();
            return true;
        case Value::Kind::Text:
            return text(v.textValue(), QString::fromUtf16(what));
        }
        return true;
    }

    // A name or a judgement, which the reader takes only within its limits.
    bool name(const Value& v, const char16_t* what)
    {
        const bool fits =
            !v.isText() || withinLimits(nameTextProblem(v.textValue()), QString::fromUtf16(what));
        return fits && value(v, what);
    }

    bool titleField(const QString& t, const QString& what)
    {
        return withinLimits(titleFieldProblem(t), what) && text(t, what);
    }

    bool text(const QString& t, const QString& what)
    {
        const std::optional<QByteArray> bytes = utf8 ? t.toUtf8() : cp1252::encode(t);
        if (!bytes) {
            error =
                QStringLiteral("il campo «%1» contiene caratteri che un file di dati non può contenere: %2")
                    .arg(fieldName(what), printableText(unstorable(t)));
            return false;
        }
        out += '"';
        for (const char c : *bytes) {
            out += c;
            // A quote inside a text is doubled, so the text reads back whole.
            if (c == '"') {
                out += '"';
            }
        }
        out += '"';
        return true;
    }

    void comma() { out += ','; }
    void endLine() { out += "\r\n"; }

private:
    bool withinLimits(const std::optional<QString>& problem, const QString& what)
    {
        if (problem) {
            error = QStringLiteral("il campo «%1» %2.").arg(fieldName(what), *problem);
        }
        return !problem;
    }

    QString fieldName(const QString& what) const
    {
        if (row > 0) {
            return QStringLiteral("%1 della caratteristica n. %2 dell'ipotesi n. %3")
                .arg(what)
                .arg(row)
                .arg(hypothesis);
        }
        if (hypothesis > 0) {
            return QStringLiteral("%1 dell'ipotesi n. %2").arg(what).arg(hypothesis);
        }
        return what;
    }

    static QString unstorable(const QString& t)
    {
        QString found;
        for (const QChar c : t) {
            if (!cp1252::encode(QStringView(&c, 1)) && !found.contains(c)) {
                found += c;
            }
        }
        return found;
    }
};

bool holdsAnything(const CharacteristicEntry& row)
{
    return row.isTicked() || !row.name.isEmpty() || !row.judgement.isEmpty() ||
           !row.judgementNumber.isEmpty() || !row.coefficient.isEmpty() || !row.weight.isEmpty();
}

int lastRowInUse(const Hypothesis& hyp)
{
    for (int r = MaxRows; r >= 1; --r) {
        if (holdsAnything(hyp.rows.at(std::size_t(r)))) {
            return r;
        }
    }
    return 0;
}

// Only what the reader takes back is written: a comparison it would refuse is refused here.
std::optional<QString> comparisonProblem(const PairwiseComparison& comparison)
{
    const int n = comparison.size();
    if (n < MinCompared || n > MaxCompared) {
        return QStringLiteral("confronta %1 caratteristiche invece di %2..%3")
            .arg(n)
            .arg(MinCompared)
            .arg(MaxCompared);
    }
    for (int i = 0; i < n; ++i) {
        const int r = comparison.rows[std::size_t(i)];
        if (r < 1 || r > MaxRows ||
            std::find(comparison.rows.begin(), comparison.rows.begin() + i, r) !=
                comparison.rows.begin() + i) {
            return QStringLiteral("confronta la riga %1, fuori dalle righe o ripetuta").arg(r);
        }
    }
    if (int(comparison.steps.size()) != n * (n - 1) / 2) {
        return QStringLiteral("ha %1 giudizi invece di %2").arg(comparison.steps.size()).arg(n * (n - 1) / 2);
    }
    for (const int step : comparison.steps) {
        if (step < -MaxStep || step > MaxStep) {
            return QStringLiteral("ha un giudizio fuori dalla scala (%1)").arg(step);
        }
    }
    return std::nullopt;
}

void numbersLine(Composer& c, const std::vector<int>& numbers)
{
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            c.comma();
        }
        c.out += QByteArray::number(numbers[i]);
    }
    c.endLine();
}

// After the title line, where an older reader stops: "confronto a coppie",K, then for each of
// the K hypotheses its number and n, its n rows, its n(n-1)/2 steps. A study without any
// comparison is written as it always was.
bool writeComparisons(Composer& c, const Study& study, int count)
{
    std::vector<int> compared;
    for (int h = 1; h <= count; ++h) {
        if (const std::optional<PairwiseComparison>& comparison = study.hypothesis(h).comparison) {
            if (const std::optional<QString> problem = comparisonProblem(*comparison)) {
                c.error = QStringLiteral("il confronto a coppie dell'ipotesi n. %1 %2.").arg(h).arg(*problem);
                return false;
            }
            compared.push_back(h);
        }
    }
    if (compared.empty()) {
        return true;
    }
    c.text(QString::fromLatin1(ComparisonHeading), {});
    c.comma();
    c.out += QByteArray::number(qsizetype(compared.size()));
    c.endLine();
    for (const int h : compared) {
        const PairwiseComparison& comparison = *study.hypothesis(h).comparison;
        numbersLine(c, {h, comparison.size()});
        numbersLine(c, comparison.rows);
        numbersLine(c, comparison.steps);
    }
    return true;
}

} // namespace

int DataFileWriter::slotsToWrite(const Study& study)
{
    for (int h = MaxHypotheses; h >= 1; --h) {
        const Hypothesis& hyp = study.hypothesis(h);
        if (!hyp.name.isEmpty() || lastRowInUse(hyp) > 0 || hyp.comparison) {
            return h;
        }
    }
    return 0;
}

int DataFileWriter::rowsToWrite(const Study& study, int h)
{
    // The rows a comparison names are written too, even emptied since: the reader refuses a
    // comparison of rows the file does not hold.
    int compared = 0;
    if (const std::optional<PairwiseComparison>& comparison = study.hypothesis(h).comparison) {
        compared = comparison->rows.empty()
                       ? 0
                       : *std::max_element(comparison->rows.begin(), comparison->rows.end());
    }
    return std::max({study.lastNamedRowOf(h), lastRowInUse(study.hypothesis(h)), compared});
}

std::optional<QByteArray> DataFileWriter::compose(const Study& study, const TitlePage& titlePage)
{
    m_error.clear();
    Composer c;
    c.utf8 = m_utf8;
    c.out.reserve(64 * 1024);
    const int count = m_hypotheses.value_or(slotsToWrite(study));
    c.out += QByteArray::number(count);
    c.endLine();
    bool ok = true;
    for (int h = 1; ok && h <= count; ++h) {
        const Hypothesis& hyp = study.hypothesis(h);
        c.hypothesis = h;
        c.row = 0;
        const int rows = rowsToWrite(study, h);
        // The count as the study holds it, unless rows past the last named one must be kept too.
        const Value rowCount =
            rows > study.lastNamedRowOf(h) ? Value::integer(qint16(rows)) : hyp.LastNamedRow;
        ok = c.name(hyp.name, u"nome") && (c.comma(), c.value(rowCount, u"numero delle caratteristiche")) &&
             (c.comma(), c.value(hyp.EvaluationPercent, u"valutazione")) &&
             (c.comma(), c.name(hyp.OverallJudgement, u"giudizio complessivo"));
        c.endLine();
        for (int r = 1; ok && r <= rows; ++r) {
            const CharacteristicEntry& row = study.row(h, r);
            c.row = r;
            ok = c.value(row.ticked, u"spunta") && (c.comma(), c.name(row.name, u"nome")) &&
                 (c.comma(), c.name(row.judgement, u"giudizio")) &&
                 (c.comma(), c.value(row.judgementNumber, u"valore")) &&
                 (c.comma(), c.value(row.coefficient, u"coefficiente")) &&
                 (c.comma(), c.value(row.weight, u"peso"));
            c.endLine();
        }
    }
    c.hypothesis = 0;
    c.row = 0;
    for (int i = 0; ok && i < TitlePage::FieldCount; ++i) {
        if (i > 0) {
            c.comma();
        }
        ok = c.titleField(titlePage.field(i), TitlePage::fieldCaption(i));
    }
    c.endLine();
    if (ok) {
        ok = writeComparisons(c, study, count);
    }
    if (!ok) {
        m_error = c.error;
        return std::nullopt;
    }
    return c.out;
}

bool DataFileWriter::write(QIODevice* device, const Study& study, const TitlePage& titlePage)
{
    const std::optional<QByteArray> bytes = compose(study, titlePage);
    if (!bytes) {
        return false;
    }
    if (!device->isOpen() && !device->open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("il file non si può aprire in scrittura.");
        return false;
    }
    if (device->write(*bytes) != bytes->size()) {
        m_error = QStringLiteral("la scrittura non è riuscita (disco pieno o supporto non scrivibile).");
        return false;
    }
    return true;
}

} // namespace pondra
