#include "sheetimport.h"

#include "csvcells.h"
#include "regularfile.h"
#include "textencoding.h"

#include "model/decimal.h"
#include "model/judgementscale.h"
#include "model/rowediting.h"
#include "model/textlimits.h"
#include "model/weight.h"

#include <QFile>

#include <algorithm>

namespace pondra {

namespace {

// Bigger than any sheet of 100 hypotheses by 100 characteristics, with room to spare.
constexpr qint64 MaxSheetBytes = 64 * 1024 * 1024;

const QString DataHeading = QStringLiteral("Dati delle ipotesi");
const QString SummaryHeading = QStringLiteral("Riepilogo delle ipotesi");

// A problem found in the sheet: thrown from deep in the reading, caught once at the top, so that
// nothing is imported.
struct SheetProblem {
    QString text;
};

[[noreturn]] void fail(int line, int column, const QString& reason)
{
    throw SheetProblem{placedProblem(line, column, reason)};
}

// The exporter puts an apostrophe before a text that a spreadsheet would run as a formula.
QString sheetText(const QString& cell)
{
    if (cell.size() > 1 && cell.front() == u'\'' && QStringView(u"=+-@").contains(cell.at(1))) {
        return cell.mid(1);
    }
    return cell;
}

// A number written with either decimal mark: the sheet's separator already told them apart.
std::optional<Decimal> sheetNumber(const QString& cell)
{
    QString text = cell;
    return Decimal::parse(text.replace(u'.', u','), u',');
}

QString quoted(const QString& text)
{
    return QStringLiteral("«") + text + QStringLiteral("»");
}

// The step a judgement cell names: its adjective (any case), its number 1 to 11, or its
// coefficient 0 to 1 in tenths. 1 is both the first number and the first coefficient, and 0
// only a coefficient, so the two readings never disagree.
int judgementStep(const CsvRow& row, int column)
{
    const QString cell = row.text(column);
    for (int n = 1; n <= JudgementSteps; ++n) {
        if (cell.compare(JudgementScale::adjective(n), Qt::CaseInsensitive) == 0) {
            return n;
        }
    }
    if (const std::optional<Decimal> d = sheetNumber(cell)) {
        if (d->isWhole() && *d >= Decimal(1) && *d <= Decimal(JudgementSteps)) {
            return int(d->units() / Decimal::Unit);
        }
        const qint64 tenth = Decimal::Unit / 10;
        if (*d >= Decimal(0) && *d <= Decimal(1) && d->units() % tenth == 0) {
            return JudgementSteps - int(d->units() / tenth);
        }
    }
    fail(row.line, column,
         QStringLiteral("%1 non è un giudizio: ci vuole un aggettivo della scala, da «eccellente» a «nullo», "
                        "il suo numero da 1 a 11 o il suo coefficiente da 0 a 1.")
             .arg(quoted(cell)));
}

Decimal weightOf(const CsvRow& row, int column)
{
    QString cell = row.text(column);
    const WeightReading reading = readTypedWeight(cell.replace(u'.', u','));
    if (!reading.weight) {
        fail(row.line, column,
             QStringLiteral("il peso %1 non va: %2").arg(quoted(row.text(column)), reading.problem));
    }
    return *reading.weight;
}

QString nameOf(const CsvRow& row, int column, const QString& what)
{
    const QString name = sheetText(row.text(column));
    if (name.size() > MaxNameLength) {
        fail(row.line, column,
             QStringLiteral("%1 è lungo %2 caratteri, più dei %3 ammessi.")
                 .arg(what)
                 .arg(name.size())
                 .arg(MaxNameLength));
    }
    return name;
}

int wholeNumber(const CsvRow& row, int column, int most, const QString& what)
{
    const std::optional<Decimal> d = sheetNumber(row.text(column));
    if (!d || !d->isWhole() || *d < Decimal(1) || *d > Decimal(most)) {
        fail(
            row.line, column,
            QStringLiteral("%1 %2 non è un numero da 1 a %3.").arg(what, quoted(row.text(column))).arg(most));
    }
    return int(d->units() / Decimal::Unit);
}

// Row r of hypothesis h as the Data window makes it: ticked and named, then judged and weighed
// when the sheet says so.
void enterRow(Study& study, int h, int r, const QString& name, std::optional<int> step,
              std::optional<Decimal> weight)
{
    SetRowTicked(study, h, r, true);
    SetRowName(study, h, r, name);
    if (step) {
        JudgeRow(study, h, r, *step);
    }
    if (weight) {
        SetRowWeight(study, h, r, *weight);
    }
}

bool isDataHeader(const CsvRow& row)
{
    return row.text(1) == QStringLiteral("ipotesi n.") &&
           row.text(2) == QStringLiteral("denominazione dell'ipotesi") && row.text(3) == QStringLiteral("n.");
}

// The sheet "Esporta" writes: the title page at the top, then the sections under their headings.
void readExported(const CsvTable& table, Study& study, TitlePage& page)
{
    enum class Section { Title, Other, Data, Summary } section = Section::Title;
    for (const CsvRow& row : table.rows) {
        if (row.isBlank()) {
            // A blank row ends a section; the title page's rows are known by their captions.
            if (section != Section::Title) {
                section = Section::Other;
            }
            continue;
        }
        const QString first = row.text(1);
        if (first == DataHeading || first == SummaryHeading) {
            section = first == DataHeading ? Section::Data : Section::Summary;
            continue;
        }
        if (row.text(1) == QStringLiteral("ipotesi n.")) {
            continue; // a section's column headings
        }
        if (section == Section::Title) {
            for (int i = 0; i < TitlePage::FieldCount; ++i) {
                if (first == TitlePage::fieldCaption(i)) {
                    const QString text = sheetText(row.text(2));
                    if (text.size() > MaxTitleFieldLength) {
                        fail(row.line, 2,
                             QStringLiteral("il campo «%1» è lungo più di %2 caratteri.")
                                 .arg(first)
                                 .arg(MaxTitleFieldLength));
                    }
                    page.field(i) = text;
                }
            }
            continue;
        }
        if (section == Section::Data || section == Section::Summary) {
            const int h = wholeNumber(row, 1, MaxHypotheses, QStringLiteral("il numero dell'ipotesi"));
            const QString name = nameOf(row, 2, QStringLiteral("il nome dell'ipotesi"));
            if (name.isEmpty()) {
                fail(row.line, 2, QStringLiteral("manca il nome dell'ipotesi n. %1.").arg(h));
            }
            SetHypothesisName(study, h, name);
            if (section == Section::Data) {
                const int r = wholeNumber(row, 3, MaxRows, QStringLiteral("il numero della caratteristica"));
                const QString characteristic = nameOf(row, 4, QStringLiteral("il nome della caratteristica"));
                const std::optional<int> step =
                    row.text(5).isEmpty() ? std::nullopt : std::optional(judgementStep(row, 5));
                const std::optional<Decimal> weight =
                    row.text(8).isEmpty() ? std::nullopt : std::optional(weightOf(row, 8));
                enterRow(study, h, r, characteristic, step, weight);
            }
        }
    }
}

// A sheet made by hand: hypotheses across, characteristics down.
void readHandMade(const CsvTable& table, Study& study)
{
    auto row = table.rows.begin();
    while (row != table.rows.end() && row->isBlank()) {
        ++row;
    }
    if (row == table.rows.end()) {
        throw SheetProblem{QStringLiteral("il foglio è vuoto.")};
    }
    const CsvRow& header = *row++;
    // Each hypothesis takes two columns from B on: its judgements, then its weights.
    int hypotheses = 0;
    for (int column = 2; column <= int(header.cells.size()); column += 2) {
        if (!header.text(column).isEmpty() || !header.text(column + 1).isEmpty()) {
            hypotheses = column / 2;
        }
    }
    if (hypotheses > MaxHypotheses) {
        fail(header.line, 2 * MaxHypotheses + 2,
             QStringLiteral("le ipotesi sono più di %1: le colonne da qui in poi sono di troppo.")
                 .arg(MaxHypotheses));
    }
    for (int h = 1; h <= hypotheses; ++h) {
        const QString weightHeading = header.text(2 * h + 1);
        if (!weightHeading.isEmpty() &&
            weightHeading.compare(QStringLiteral("peso"), Qt::CaseInsensitive) != 0) {
            fail(header.line, 2 * h + 1,
                 QStringLiteral("sopra la colonna dei pesi dell'ipotesi %1 va «peso» o nulla, non %2.")
                     .arg(quoted(header.text(2 * h)), quoted(weightHeading)));
        }
        const QString name = nameOf(header, 2 * h, QStringLiteral("il nome dell'ipotesi"));
        if (name.isEmpty()) {
            fail(header.line, 2 * h,
                 QStringLiteral("manca il nome dell'ipotesi sopra la colonna dei suoi giudizi."));
        }
        SetHypothesisName(study, h, name);
    }
    int r = 0;
    for (; row != table.rows.end(); ++row) {
        if (row->isBlank()) {
            continue;
        }
        if (++r > MaxRows) {
            fail(row->line, 1, QStringLiteral("le caratteristiche sono più di %1.").arg(MaxRows));
        }
        for (int column = 2 * hypotheses + 2; column <= int(row->cells.size()); ++column) {
            if (!row->text(column).isEmpty()) {
                fail(row->line, column,
                     QStringLiteral("qui c'è un dato, ma sopra la colonna non c'è alcuna ipotesi."));
            }
        }
        const QString characteristic = nameOf(*row, 1, QStringLiteral("il nome della caratteristica"));
        for (int h = 1; h <= hypotheses; ++h) {
            const bool judged = !row->text(2 * h).isEmpty();
            const bool weighed = !row->text(2 * h + 1).isEmpty();
            if (!judged && !weighed) {
                continue;
            }
            if (characteristic.isEmpty()) {
                fail(row->line, 1, QStringLiteral("manca il nome della caratteristica."));
            }
            enterRow(study, h, r, characteristic,
                     judged ? std::optional(judgementStep(*row, 2 * h)) : std::nullopt,
                     weighed ? std::optional(weightOf(*row, 2 * h + 1)) : std::nullopt);
        }
    }
}

} // namespace

SheetImport importSheet(QByteArrayView bytes)
{
    SheetImport result;
    const DetectedEncoding detected = detectEncoding(bytes);
    if (detected.encoding == TextEncoding::Utf16) {
        result.error = utf16RefusalText();
        return result;
    }
    const CsvTable table = readCsvCells(decodeText(bytes.sliced(detected.markLength), detected.encoding));
    if (!table.error.isEmpty()) {
        result.error = table.error;
        return result;
    }
    auto study = std::make_unique<Study>();
    TitlePage page;
    const bool exported = std::any_of(table.rows.begin(), table.rows.end(), isDataHeader);
    try {
        exported ? readExported(table, *study, page) : readHandMade(table, *study);
    } catch (const SheetProblem& problem) {
        result.error = problem.text;
        return result;
    }
    if (study->countNamedHypotheses() == 0) {
        result.error = QStringLiteral("nel foglio non c'è alcuna ipotesi.");
        return result;
    }
    result.study = std::move(study);
    if (exported) {
        result.titlePage = page;
    }
    return result;
}

SheetImport importSheetFile(const QString& path)
{
    const QString prefix = QStringLiteral("Il foglio «%1» non si può importare: ").arg(shownFileName(path));
    SheetImport result;
    QFile file(path);
    QString reason;
    if (!openRegularFile(file, &reason)) {
        result.error = prefix + reason;
        return result;
    }
    if (file.size() > MaxSheetBytes) {
        result.error = prefix + QStringLiteral("è troppo grande per un foglio di dati.");
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = prefix + QStringLiteral("la lettura non è riuscita (%1).").arg(file.errorString());
        return result;
    }
    result = importSheet(bytes);
    if (!result.error.isEmpty()) {
        result.error.prepend(prefix);
    }
    return result;
}

} // namespace pondra
