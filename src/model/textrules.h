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

// Joins a number to its label or unit in printed text, so a line never parts them: "50 %", "n. 3".
inline constexpr char16_t NoBreakSpace = u'\u00A0';
// A whole number after its label ("n. 3"): the sign blank is a no-break space.
QString joinedSignBlankText(qint64 value);

// Fixed display patterns: "0.000" -> 0,750; "0.0" -> 72,0; "##,##0.00" -> 1.250,00.
// Rounding is half away from zero on the decimal digits the number shows.
QString fixedPatternText(double value, QStringView pattern);

// Length of the number at the start of text: sign, digits, separator, digits, exponent;
// 0 when no digit comes first. For texts and for the bytes of a file alike.
template <typename Text> qsizetype numberPrefixLength(const Text& text, char16_t decimalSeparator)
{
    const qsizetype n = text.size();
    const auto digit = [&](qsizetype i) { return text.at(i) >= u'0' && text.at(i) <= u'9'; };
    qsizetype i = 0;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        ++i;
    }
    int digits = 0;
    for (; i < n && digit(i); ++i) {
        ++digits;
    }
    if (i < n && text.at(i) == decimalSeparator) {
        for (++i; i < n && digit(i); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    // An exponent counts only when digits follow it.
    if (i < n && (text.at(i) == u'E' || text.at(i) == u'e')) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == u'+' || text.at(j) == u'-')) {
            ++j;
        }
        const qsizetype expStart = j;
        while (j < n && digit(j)) {
            ++j;
        }
        if (j > expStart) {
            i = j;
        }
    }
    return i;
}

// Whether the text is a number written as the windows write it, without converting it.
bool isDisplayNumber(QStringView text);

// A number written as the windows write it (decimal comma, optional sign and exponent).
// Returns nothing for any other text.
std::optional<double> parseDisplayNumber(QStringView text);

// The longest numeric prefix with a point as decimal separator; no digits give 0.
double leadingNumber(QStringView text);

// The form numbers take in the data file: point, no zero before it (".5"), 15 digits.
QString dataFileNumberText(double value);

// A text from outside (a file's bytes, a file name) as a message or a plain-text listing quotes
// it: every character that does not print (control and format characters, line and paragraph
// separators, lone surrogates) as \xNN, or \uNNNN above 0xFF; the rest as it is.
QString printableText(QStringView text);

// "7 dicembre 2026", as a report is dated: day without zero, month in full, year.
QString italianLongDate(const QDate& date);

} // namespace pondra
