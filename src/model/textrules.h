#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

namespace pondra {

// Every number and date the program shows, prints or stores goes through these rules.
// The decimal separator is the Italian comma, whatever the system locale says.

// Up to 15 significant digits, no trailing zeros, decimal comma: 0,65  100  -10  31,5.
QString generalNumberText(double value);

// Whole numbers with one leading blank when not negative: " 7", "-3".
QString signBlankText(qint64 value);

// Fixed display patterns: "0.000" -> 0,750; "0.0" -> 72,0; "##,##0.00" -> 1.250,00.
// Rounding is half away from zero on the decimal digits the number shows.
QString fixedPatternText(double value, QStringView pattern);

// Length of the number at the start of text: sign, digits, separator, digits, exponent;
// 0 when no digit comes first.
qsizetype numberPrefixLength(QStringView text, QChar decimalSeparator);

// A number written as the windows write it (decimal comma, optional sign and exponent).
// Returns nothing for any other text.
std::optional<double> parseDisplayNumber(QStringView text);

// The longest numeric prefix with a point as decimal separator; no digits give 0.
double leadingNumber(QStringView text);

// The form numbers take in the data file: point, no zero before it (".5"), 15 digits.
QString dataFileNumberText(double value);

// "lunedì, 7 dic 2026": weekday, day without zero, abbreviated month, year.
QString italianLongDate(const QDate& date);

} // namespace pondra
