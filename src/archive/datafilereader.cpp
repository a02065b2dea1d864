#include "datafilereader.h"

#include "recordscanner.h"

#include "model/textrules.h"

#include <QIODevice>

#include <functional>

#include <cmath>

namespace pondra {

namespace {

// A whole data file of 100 hypotheses of 100 rows is well under a megabyte.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

bool isWholeNumberIn(const Value& v, int low, int high)
{
    if (!v.isNumeric()) {
        return false;
    }
    const double d = *v.toNumber();
    return d == std::floor(d) && d >= low && d <= high;
}

class Reader {
public:
    Reader(QByteArrayView data, Study& study, TitlePage& titlePage)
        : m_scanner(data), m_study(study), m_titlePage(titlePage) {}

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
    bool readHypothesis(int h);
    bool readRow(int h, int r);

    RecordScanner m_scanner;
    Study& m_study;
    TitlePage& m_titlePage;
    std::vector<Value> m_fields;
    int m_line = 0;
};

bool Reader::record(int fieldCount, const std::function<QString()>& what)
{
    if (m_scanner.atEnd()) {
        error = QStringLiteral("il file finisce alla riga %1, dove si attendeva %2.").arg(m_scanner.line()).arg(what());
        return false;
    }
    m_line = m_scanner.line();
    if (!m_scanner.next(m_fields)) {
        error = m_scanner.errorString();
        return false;
    }
    if (int(m_fields.size()) != fieldCount) {
        return fail(m_line,
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
    const Value& rowCount = m_fields[1];
    if (!rowCount.isNothing() && !isWholeNumberIn(rowCount, 0, MaxRows)) {
        return fail(m_line, QStringLiteral("il numero delle caratteristiche deve essere un numero intero da 0 a 100."));
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
    if (!record(6, [h, r] { return QStringLiteral("la caratteristica n. %1 dell'ipotesi n. %2").arg(r).arg(h); })) {
        return false;
    }
    const Value& ticked = m_fields[0];
    if (!ticked.isNothing() && !isWholeNumberIn(ticked, 0, 1)) {
        return fail(m_line, QStringLiteral("l'indicatore di spunta deve valere 0 o 1."));
    }
    const Value& coefficient = m_fields[4];
    if (!coefficient.isEmpty() && coefficient.isText() && !isDisplayNumber(coefficient.textValue())) {
        return fail(m_line, QStringLiteral("il coefficiente deve essere un numero."));
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
        return fail(m_line, QStringLiteral("il numero delle ipotesi deve essere un numero intero da 0 a 100."));
    }
    const int count = int(*m_fields[0].toNumber());
    m_study.HypothesisCount = count;
    for (int h = 1; h <= count; ++h) {
        if (!readHypothesis(h)) {
            return false;
        }
    }
    if (!record(TitlePage::FieldCount, [] { return QStringLiteral("la riga del frontespizio"); })) {
        return false;
    }
    for (int i = 0; i < TitlePage::FieldCount; ++i) {
        m_titlePage.field(i) = m_fields[std::size_t(i)].toDisplayText();
    }
    // Whatever follows the title line is not part of the study.
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
    Reader reader(data, study, titlePage);
    if (!reader.run()) {
        m_error = reader.error;
        return false;
    }
    return true;
}

} // namespace pondra
