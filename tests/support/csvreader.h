#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads semicolon-separated values as a spreadsheet does: a UTF-8 byte-order mark, quoted cells
// with doubled quotes inside (separators and line ends in them are data), CR LF between rows.
// A quoted cell is marked with a leading "T:", a bare one with "N:", so that tests see which
// cells a spreadsheet takes as text and which it may take as numbers.
namespace testsupport {

inline QList<QStringList> readCsv(const QByteArray& bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) {
        data.remove(0, 3);
    }
    const QString text = QString::fromUtf8(data);
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool inQuotes = false;
    bool started = false;
    const auto endCell = [&] {
        row << (cell.isEmpty() && !quoted ? QString()
                                          : (quoted ? QStringLiteral("T:") : QStringLiteral("N:")) + cell);
        cell.clear();
        quoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        started = true;
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                cell += c;
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            inQuotes = quoted = true;
        } else if (c == u';') {
            endCell();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            ++i;
            endCell();
            // An empty line is a row without cells.
            if (row == QStringList{QString()}) {
                row.clear();
            }
            rows << row;
            row.clear();
            started = false;
        } else {
            cell += c;
        }
    }
    if (started) {
        endCell();
        rows << row;
    }
    return rows;
}

} // namespace testsupport
