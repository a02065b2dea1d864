#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

namespace pondra {

// A number held exactly as a whole count of millionths: weights, their sums and remainders, and
// coefficients. Binary fractions would leave 64,6 + 27,3 + 8,1 short of 100 by 1,4E-14.
// Weights are typed with one decimal at most; a file may hold more, and up to six decimals are
// kept exactly, any further digit rounding half away from zero. Magnitudes stop at a million,
// far beyond any weight (0..100) or coefficient (0..1).
class Decimal {
public:
    static constexpr int Places = 6;
    static constexpr qint64 Unit = 1'000'000;
    static constexpr qint64 Limit = Unit * Unit;

    constexpr Decimal() = default;
    // Whole numbers convert freely: a weight of 35 is the Decimal 35.
    constexpr Decimal(int whole) : m_units(qint64(whole) * Unit) {}

    static constexpr Decimal fromUnits(qint64 units) { return Decimal(Units{units}); }
    static constexpr Decimal fromTenths(qint64 tenths) { return fromUnits(tenths * (Unit / 10)); }

    // A text that is a number as a whole (sign, digits, the separator, digits, an exponent),
    // spaces around it allowed; nothing for any other text.
    static std::optional<Decimal> parse(QStringView text, char16_t separator);
    // The number at the start of the text after blanks and tabs, 0 when none: how weights are read.
    static Decimal leading(QStringView text, char16_t separator);
    // A binary number by the 15 significant digits every number is shown and stored with.
    static Decimal fromDouble(double value);

    constexpr qint64 units() const { return m_units; }
    constexpr bool isWhole() const { return m_units % Unit == 0; }
    // Decimals written: 0 for 35, 1 for 12,5, 2 for 25,25.
    int decimals() const;
    // For display only, never for sums.
    double toDouble() const { return double(m_units) / double(Unit); }

    // Without trailing zeros: "12,5", "-10", "0". The separator is the comma unless told.
    QString text(char16_t separator = u',') const;

    constexpr Decimal operator+(Decimal other) const { return fromUnits(m_units + other.m_units); }
    constexpr Decimal operator-(Decimal other) const { return fromUnits(m_units - other.m_units); }
    constexpr Decimal operator-() const { return fromUnits(-m_units); }
    constexpr Decimal& operator+=(Decimal other) { return *this = *this + other; }
    constexpr Decimal& operator-=(Decimal other) { return *this = *this - other; }

    constexpr bool operator==(const Decimal&) const = default;
    constexpr auto operator<=>(const Decimal&) const = default;

private:
    struct Units {
        qint64 value;
    };
    constexpr explicit Decimal(Units units) : m_units(units.value) {}

    qint64 m_units = 0;
};

} // namespace pondra
