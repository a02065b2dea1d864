#pragma once

#include <QString>

#include <optional>
#include <variant>

namespace pondra {

// One cell of the study. It keeps apart what was never set, the empty text, a 16-bit whole
// number, any other number and a text, because the data file stores each kind as it is.
class Value {
public:
    enum class Kind { Nothing, Integer, Number, Text };

    Value() = default;
    static Value integer(qint16 v) { return Value(Data(std::in_place_index<1>, v)); }
    static Value number(double v) { return Value(Data(std::in_place_index<2>, v)); }
    static Value text(const QString& v) { return Value(Data(std::in_place_index<3>, v)); }

    Kind kind() const { return static_cast<Kind>(m_data.index()); }
    bool isNothing() const { return kind() == Kind::Nothing; }
    bool isText() const { return kind() == Kind::Text; }
    bool isNumeric() const { return kind() == Kind::Integer || kind() == Kind::Number; }

    // Compared with the empty text, "never set" counts as empty; a number never does.
    bool isEmpty() const;

    // The cell as a number in arithmetic: never set is 0, a text is read with the decimal
    // comma. Nothing when the text is not a number.
    std::optional<double> toNumber() const;
    double toNumberOr(double fallback) const { return toNumber().value_or(fallback); }

    // The cell read as a weight: a text by its leading number, never set as 0.
    double toLeadingNumber() const;

    // The text a window shows for the cell.
    QString toDisplayText() const;

    qint16 integerValue() const { return std::get<1>(m_data); }
    double numberValue() const { return std::get<2>(m_data); }
    const QString& textValue() const { return std::get<3>(m_data); }

    // Same kind and same content.
    bool operator==(const Value& other) const = default;

private:
    using Data = std::variant<std::monostate, qint16, double, QString>;
    explicit Value(Data data) : m_data(std::move(data)) {}
    Data m_data;
};

} // namespace pondra
