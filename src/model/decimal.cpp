#include "decimal.h"

#include "textrules.h"

#include <cmath>

namespace pondra {

namespace {

// The number text that numberPrefixLength accepted, read digit by digit without converting it
// to binary: the digits (separator skipped) times a power of ten given by the decimals and the
// exponent.
Decimal fromNumberText(QStringView text, char16_t separator)
{
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    const qsizetype digitsStart = i;
    qint64 decimals = 0;
    qint64 digitCount = 0;
    for (bool afterSeparator = false; i < text.size(); ++i) {
        if (text[i] == separator && !afterSeparator) {
            afterSeparator = true;
        } else if (isDigit(text[i])) {
            ++digitCount;
            decimals += afterSeparator ? 1 : 0;
        } else {
            break;
        }
    }
    qint64 exponent = 0;
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        const bool down = i < text.size() && text[i] == u'-';
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        for (; i < text.size() && isDigit(text[i]); ++i) {
            exponent = std::min<qint64>(100000, exponent * 10 + (text[i].unicode() - u'0'));
        }
        exponent = down ? -exponent : exponent;
    }
    // The value is digits × 10^shift millionths: the first `kept` digits make the whole
    // millionths, the next one rounds them.
    const qint64 shift = Decimal::Places + exponent - decimals;
    const qint64 kept = digitCount + std::min<qint64>(shift, 0);
    qint64 units = 0;
    bool tooLarge = false;
    qint64 d = 0;
    for (qsizetype j = digitsStart; d <= kept && d < digitCount && !tooLarge; ++j) {
        if (!isDigit(text[j])) {
            continue;
        }
        const int digit = text[j].unicode() - u'0';
        if (d++ == kept) {
            units += digit >= 5 ? 1 : 0; // half away from zero, on the first digit dropped
        } else {
            units = units * 10 + digit;
            tooLarge = units > Decimal::Limit;
        }
    }
    for (qint64 k = 0; k < shift && units != 0 && !tooLarge; ++k) {
        units *= 10;
        tooLarge = units > Decimal::Limit;
    }
    if (tooLarge) {
        units = Decimal::Limit;
    }
    return Decimal::fromUnits(negative ? -units : units);
}

} // namespace

std::optional<Decimal> Decimal::parse(QStringView text, char16_t separator)
{
    const QStringView s = text.trimmed();
    if (s.isEmpty() || numberPrefixLength(s, separator) != s.size()) {
        return std::nullopt;
    }
    return fromNumberText(s, separator);
}

Decimal Decimal::leading(QStringView text, char16_t separator)
{
    qsizetype start = 0;
    while (start < text.size() && (text[start] == u' ' || text[start] == u'\t')) {
        ++start;
    }
    const QStringView rest = text.sliced(start);
    const qsizetype length = numberPrefixLength(rest, separator);
    return length == 0 ? Decimal() : fromNumberText(rest.first(length), separator);
}

Decimal Decimal::fromDouble(double value)
{
    if (!std::isfinite(value)) {
        return {};
    }
    return *parse(QString::number(value, 'g', 15), u'.');
}

int Decimal::decimals() const
{
    int places = Places;
    for (qint64 u = m_units; places > 0 && u % 10 == 0; u /= 10) {
        --places;
    }
    return places;
}

QString Decimal::text(char16_t separator) const
{
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString out = QString::number(magnitude / Unit);
    if (const int places = decimals(); places > 0) {
        const QString fraction = QString::number(magnitude % Unit).rightJustified(Places, u'0');
        out += QChar(separator) + fraction.left(places);
    }
    return m_units < 0 ? u'-' + out : out;
}

} // namespace pondra
