#include "textrules.h"

#include <algorithm>
#include <cmath>

namespace pondra {

namespace {

// The 15-significant-digit form shared by the display and the data file, with a point.
QString significantDigits(double value)
{
    // Negative zero and anything that is not a finite number show as 0.
    if (value == 0.0 || !std::isfinite(value)) {
        return QStringLiteral("0");
    }
    return QString::number(value, 'G', 15);
}

// The 15 significant digits of a non-negative number written out without exponent: "2.675".
QString fixedSignificantDigits(double absValue)
{
    if (absValue == 0.0 || !std::isfinite(absValue)) {
        return QStringLiteral("0");
    }
    const QString e = QString::number(absValue, 'e', 14); // d.dddddddddddddde+XX
    const QString mantissa = e.section(u'e', 0, 0).remove(u'.');
    const int exponent = e.section(u'e', 1, 1).toInt();
    if (exponent >= 0) {
        const QString padded = mantissa.leftJustified(exponent + 1, u'0');
        return padded.left(exponent + 1) + u'.' + padded.mid(exponent + 1);
    }
    return QStringLiteral("0.") + QString(-exponent - 1, u'0') + mantissa;
}

// Rounds a plain decimal digit string (no sign, no exponent) half away from zero.
QString roundDecimal(const QString& digits, int decimals)
{
    QString intPart = digits.section(u'.', 0, 0);
    QString frac = digits.section(u'.', 1, 1);
    const bool roundUp = frac.size() > decimals && frac.at(decimals) >= u'5';
    frac = frac.left(decimals).leftJustified(decimals, u'0');
    QString all = intPart + frac;
    if (roundUp) {
        int i = int(all.size()) - 1;
        while (i >= 0 && all.at(i) == u'9') {
            all[i] = u'0';
            --i;
        }
        if (i < 0) {
            all.prepend(u'1');
        } else {
            all[i] = QChar(all.at(i).unicode() + 1);
        }
    }
    intPart = all.left(all.size() - decimals);
    frac = all.right(decimals);
    if (intPart.isEmpty()) {
        intPart = QStringLiteral("0");
    }
    return decimals > 0 ? intPart + u'.' + frac : intPart;
}

QString groupThousands(const QString& intPart)
{
    QString out;
    const int n = int(intPart.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out += u'.';
        }
        out += intPart.at(i);
    }
    return out;
}

} // namespace

QString generalNumberText(double value)
{
    QString text = significantDigits(value);
    text.replace(u'.', u',');
    return text;
}

QString signBlankText(qint64 value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

QString joinedSignBlankText(qint64 value)
{
    return value < 0 ? QString::number(value) : NoBreakSpace + QString::number(value);
}

QString fixedPatternText(double value, QStringView pattern)
{
    const qsizetype point = pattern.indexOf(u'.');
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    const bool grouped = pattern.contains(u',');

    // Start from the 15 digits the number shows, so 2,675 rounds as written, not as stored.
    const QString rounded = roundDecimal(fixedSignificantDigits(std::fabs(value)), decimals);
    QString intPart = rounded.section(u'.', 0, 0);
    const QString frac = rounded.section(u'.', 1, 1);
    if (grouped) {
        intPart = groupThousands(intPart);
    }
    QString text = decimals > 0 ? intPart + u',' + frac : intPart;
    const bool allZero =
        !std::any_of(rounded.cbegin(), rounded.cend(), [](QChar c) { return c > u'0' && c <= u'9'; });
    if (value < 0 && !allZero) {
        text.prepend(u'-');
    }
    return text;
}

QString printableText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text.at(i).unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(code) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            length = 2;
        }
        const QChar::Category category = QChar::category(code);
        const bool prints = QChar::isPrint(code) && category != QChar::Separator_Line &&
                            category != QChar::Separator_Paragraph;
        if (prints) {
            out += text.sliced(i, length);
        } else {
            const bool byte = code <= 0xFF;
            out += QLatin1StringView(byte ? "\\x" : "\\u");
            out += QString::number(uint(code), 16).toUpper().rightJustified(byte ? 2 : 4, u'0');
        }
        i += length - 1;
    }
    return out;
}

bool isDisplayNumber(QStringView text)
{
    const QStringView s = text.trimmed();
    if (s.isEmpty() || numberPrefixLength(s, u',') != s.size()) {
        return false;
    }
    // Only an exponent can take a well-formed number out of range.
    return !s.contains(u'E', Qt::CaseInsensitive) || parseDisplayNumber(s).has_value();
}

std::optional<double> parseDisplayNumber(QStringView text)
{
    const QStringView s = text.trimmed();
    if (s.isEmpty() || numberPrefixLength(s, u',') != s.size()) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = s.toString().replace(u',', u'.').toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

double leadingNumber(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && (text.at(start) == u' ' || text.at(start) == u'\t')) {
        ++start;
    }
    const qsizetype length = numberPrefixLength(text.mid(start), u'.');
    if (length == 0) {
        return 0.0;
    }
    const double v = text.mid(start, length).toString().toDouble();
    return std::isfinite(v) ? v : 0.0;
}

QString dataFileNumberText(double value)
{
    QString text = significantDigits(value);
    if (text.startsWith(u"0.")) {
        text.remove(0, 1);
    } else if (text.startsWith(u"-0.")) {
        text.remove(1, 1);
    }
    return text;
}

QString italianLongDate(const QDate& date)
{
    static const char16_t* const months[] = {u"gennaio",   u"febbraio", u"marzo",    u"aprile",
                                             u"maggio",    u"giugno",   u"luglio",   u"agosto",
                                             u"settembre", u"ottobre",  u"novembre", u"dicembre"};
    if (!date.isValid()) {
        return {};
    }
    return QStringLiteral("%1 %2 %3")
        .arg(date.day())
        .arg(QString::fromUtf16(months[date.month() - 1]))
        .arg(date.year());
}

} // namespace pondra
