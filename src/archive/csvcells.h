#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace pondra {

// The cells of a comma-separated sheet as a spreadsheet saves it: a field in double quotes may
// hold the separator, line ends and quotes doubled; lines end with CR LF or LF.

struct CsvCell {
    QString text;
    int column = 0; // 1 for the first
};

struct CsvRow {
    int line = 0; // where the row starts, 1 for the first line
    std::vector<CsvCell> cells;

    // The text of the cell in `column`, empty beyond the last.
    QString text(int column) const;
    // Whether every cell is empty (a blank line, or separators only).
    bool isBlank() const;
};

struct CsvTable {
    std::vector<CsvRow> rows;
    QChar separator;
    // Why the text is no sheet, with its line and column; empty when it reads.
    QString error;
};

// ";" where any line has one outside quotes, as an Italian spreadsheet writes it; "," otherwise.
QChar detectSeparator(QStringView text);

// Every row of the text, blank ones included, each cell trimmed of the blanks outside its quotes.
CsvTable readCsvCells(QStringView text);

// A spreadsheet's name of column n: A for 1, Z for 26, AA for 27.
QString columnLetters(int column);

// "riga 3, colonna C: " and the reason.
QString placedProblem(int line, int column, const QString& reason);

} // namespace pondra
