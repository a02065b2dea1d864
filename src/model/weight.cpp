#include "weight.h"

#include "scoring.h"
#include "textrules.h"

namespace pondra {

namespace {

QString rangeProblem()
{
    return QStringLiteral("Il peso va da 0 a 100.");
}

} // namespace

QString storedWeightText(Decimal weight)
{
    return weight.text(u'.');
}

QString shownWeightText(const Value& weight)
{
    if (!weight.isText()) {
        return weight.toDisplayText();
    }
    const QString& text = weight.textValue();
    const bool plainNumber = numberPrefixLength(text, u'.') == text.size() &&
                             !text.contains(u'e', Qt::CaseInsensitive) && !text.contains(u',');
    return plainNumber ? QString(text).replace(u'.', u',') : text;
}

std::optional<QString> weightTypingProblem(QStringView text)
{
    int commas = 0;
    int decimals = 0;
    for (const QChar c : text) {
        if (c == u'.') {
            return QStringLiteral("I decimali vanno dopo la virgola: 12,5.");
        }
        if (c == u'-') {
            return rangeProblem();
        }
        if (c == u',' && ++commas == 1) {
            continue;
        }
        if (c < u'0' || c > u'9') {
            return QStringLiteral("Il peso si scrive in cifre, con al più una virgola: 35 o 12,5.");
        }
        decimals += commas;
    }
    if (decimals > 1) {
        return QStringLiteral("Il peso ha al più un decimale: 12,5.");
    }
    if (const std::optional<Decimal> w = Decimal::parse(text, u','); w && *w > Decimal(100)) {
        return rangeProblem();
    }
    return std::nullopt;
}

WeightReading readTypedWeight(QStringView text)
{
    const QStringView typed = text.trimmed();
    if (std::optional<QString> problem = weightTypingProblem(typed)) {
        return {std::nullopt, *problem};
    }
    if (const std::optional<Decimal> w = Decimal::parse(typed, u',')) {
        return {*w, {}};
    }
    return {std::nullopt, QStringLiteral("Digitare un peso da 0 a 100.")};
}

WeightReading weightCompleting100(const Study& study, int h, int r)
{
    if (!study.row(h, r).isTicked()) {
        return {std::nullopt, QStringLiteral("Per completare a 100, spuntare prima la caratteristica n.") +
                                  signBlankText(r) + u'.'};
    }
    const Decimal others = weightsBesides(study.hypothesis(h), r);
    if (others > Decimal(100)) {
        return {std::nullopt, QStringLiteral("Le altre caratteristiche pesano già ") + others.text() +
                                  QStringLiteral(" %, più di 100: ridurne i pesi.")};
    }
    const Decimal weight = Decimal(100) - others;
    if (weight > Decimal(100)) {
        return {std::nullopt, rangeProblem()};
    }
    return {weight, {}};
}

} // namespace pondra
