#include "fairness.h"

#include "scoring.h"
#include "weight.h"

#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace pondra {

namespace {

// How a characteristic stands in one hypothesis: the first row that names it.
struct Presence {
    int hypothesis = 0;
    Value weight;
};

struct Characteristic {
    QString key;  // trimmed, case-folded: the same characteristic whatever its spelling
    QString name; // as first written, trimmed
    std::vector<Presence> presences;
};

// "1", "1 e 2", "1, 2 e 3".
QString numberList(const std::vector<int>& numbers)
{
    QString text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            text += i + 1 == numbers.size() ? QStringLiteral(" e ") : QStringLiteral(", ");
        }
        text += QString::number(numbers[i]);
    }
    return text;
}

QString inHypotheses(const std::vector<int>& numbers)
{
    return (numbers.size() == 1 ? QStringLiteral("nell'ipotesi %1") : QStringLiteral("nelle ipotesi %1"))
        .arg(numberList(numbers));
}

// Weights are equal when the scoring reads them alike: an empty cell weighs 0.
struct WeightGroup {
    Decimal value;
    QString shown;
    std::vector<int> hypotheses;
};

std::optional<QString> weightNote(const Characteristic& c)
{
    std::vector<WeightGroup> groups;
    for (const Presence& p : c.presences) {
        const Decimal value = weightValue(p.weight);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const WeightGroup& g) { return g.value == value; });
        if (group == groups.end()) {
            const QString shown =
                p.weight.isEmpty() ? QStringLiteral("0") : shownWeightText(p.weight).trimmed();
            groups.push_back({value, shown + QStringLiteral("\u00A0%"), {}});
            group = groups.end() - 1;
        }
        group->hypotheses.push_back(p.hypothesis);
    }
    if (groups.size() < 2) {
        return std::nullopt;
    }
    QString text;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i > 0) {
            text += i + 1 == groups.size() ? QStringLiteral(" e ") : QStringLiteral(", ");
        }
        text += groups[i].shown + u' ' + inHypotheses(groups[i].hypotheses);
    }
    return QStringLiteral("«%1» pesa %2").arg(c.name, text);
}

} // namespace

QString characteristicKey(const Value& name)
{
    return name.toDisplayText().trimmed().toCaseFolded();
}

QStringList fairnessNotes(const Study& study)
{
    std::vector<int> named;
    for (int h = 1; h <= study.highestNamedSlot(); ++h) {
        if (!study.hypothesis(h).name.isEmpty()) {
            named.push_back(h);
        }
    }
    if (named.size() < 2) {
        return {};
    }
    std::vector<Characteristic> characteristics;
    for (const int h : named) {
        for (int r = 1; r <= study.lastNamedRowOf(h); ++r) {
            const CharacteristicEntry& row = study.row(h, r);
            const QString key = characteristicKey(row.name);
            if (key.isEmpty()) {
                continue;
            }
            const QString name = row.name.toDisplayText().trimmed();
            auto c = std::find_if(characteristics.begin(), characteristics.end(),
                                  [&](const Characteristic& x) { return x.key == key; });
            if (c == characteristics.end()) {
                characteristics.push_back({key, name, {}});
                c = characteristics.end() - 1;
            }
            // A name repeated within a hypothesis counts once, with its first row.
            if (c->presences.empty() || c->presences.back().hypothesis != h) {
                c->presences.push_back({h, row.weight});
            }
        }
    }
    QStringList notes;
    for (const Characteristic& c : characteristics) {
        if (c.presences.size() < named.size()) {
            std::vector<int> missing;
            for (const int h : named) {
                if (std::none_of(c.presences.begin(), c.presences.end(),
                                 [h](const Presence& p) { return p.hypothesis == h; })) {
                    missing.push_back(h);
                }
            }
            notes << QStringLiteral("«%1» manca %2").arg(c.name, inHypotheses(missing));
        }
        if (const std::optional<QString> note = weightNote(c)) {
            notes << *note;
        }
    }
    return notes;
}

} // namespace pondra
