#include "csvcells.h"

#include <algorithm>

namespace pondra {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QString CsvRow::text(int column) const
{
    return column >= 1 && column <= int(cells.size()) ? cells[std::size_t(column - 1)].text : QString();
}

bool CsvRow::isBlank() const
{
    return std::all_of(cells.begin(), cells.end(), [](const CsvCell& c) { return c.text.isEmpty(); });
}

QChar detectSeparator(QStringView text)
{
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u';' && !quoted) {
            return u';';
        }
    }
    return u',';
}

CsvTable readCsvCells(QStringView text)
{
    CsvTable table;
    table.separator = detectSeparator(text);
    const QChar separator = table.separator;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        CsvRow row;
        row.line = line;
        bool rowEnds = false;
        while (!rowEnds) {
            CsvCell cell;
            cell.column = int(row.cells.size()) + 1;
            while (i < n && isBlank(text[i])) {
                ++i;
            }
            if (i < n && text[i] == u'"') {
                const int opened = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        table.error =
                            placedProblem(opened, cell.column,
                                          QStringLiteral("le virgolette aperte qui non si chiudono più."));
                        return table;
                    }
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            cell.text += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == u'\n') {
                        ++line;
                    }
                    cell.text += text[i++];
                }
                while (i < n && isBlank(text[i])) {
                    ++i;
                }
                if (i < n && text[i] != separator && text[i] != u'\r' && text[i] != u'\n') {
                    table.error = placedProblem(
                        line, cell.column,
                        QStringLiteral("dopo le virgolette di chiusura c'è «%1» invece del separatore «%2».")
                            .arg(text[i])
                            .arg(separator));
                    return table;
                }
            } else {
                const qsizetype start = i;
                while (i < n && text[i] != separator && text[i] != u'\r' && text[i] != u'\n') {
                    ++i;
                }
                cell.text = text.mid(start, i - start).trimmed().toString();
            }
            row.cells.push_back(std::move(cell));
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            // The line ends (CR LF, LF or a lone CR) or the text does.
            if (i < n && text[i] == u'\r') {
                ++i;
            }
            if (i < n && text[i] == u'\n') {
                ++i;
            }
            ++line;
            rowEnds = true;
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

QString columnLetters(int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26) {
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    }
    return letters;
}

QString placedProblem(int line, int column, const QString& reason)
{
    return QStringLiteral("riga %1, colonna %2: %3").arg(line).arg(columnLetters(column), reason);
}

} // namespace pondra
