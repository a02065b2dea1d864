#include "value.h"

#include "textrules.h"

namespace pondra {

bool Value::isEmpty() const
{
    return isNothing() || (isText() && textValue().isEmpty());
}

std::optional<double> Value::toNumber() const
{
    switch (kind()) {
    case Kind::Nothing:
        return 0.0;
    case Kind::Integer:
        return double(integerValue());
    case Kind::Number:
        return numberValue();
    case Kind::Text:
        return parseDisplayNumber(textValue());
    }
    return std::nullopt;
}

double Value::toLeadingNumber() const
{
    return isText() ? leadingNumber(textValue()) : toNumberOr(0.0);
}

QString Value::toDisplayText() const
{
    switch (kind()) {
    case Kind::Nothing:
        return {};
    case Kind::Integer:
        return QString::number(integerValue());
    case Kind::Number:
        return generalNumberText(numberValue());
    case Kind::Text:
        return textValue();
    }
    return {};
}

} // namespace pondra
