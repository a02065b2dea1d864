#include "preferences.h"

#include <QSettings>

namespace pondra {

namespace {

const QString RobustnessKey = QStringLiteral("Relazione/IncludiSolidita");

} // namespace

bool reportIncludesRobustness()
{
    return QSettings(QStringLiteral("Pondra"), QStringLiteral("Pondra")).value(RobustnessKey, false).toBool();
}

void setReportIncludesRobustness(bool include)
{
    QSettings(QStringLiteral("Pondra"), QStringLiteral("Pondra")).setValue(RobustnessKey, include);
}

} // namespace pondra
