#include "ownerdata.h"

#include <QStringList>

namespace pondra {

QString OwnerData::contactLine() const
{
    QStringList parts;
    if (!OwnerTelephone.trimmed().isEmpty()) {
        parts << QStringLiteral("tel. ") + OwnerTelephone.trimmed();
    }
    if (!OwnerEmail.trimmed().isEmpty()) {
        parts << QStringLiteral("e-mail ") + OwnerEmail.trimmed();
    }
    return parts.join(QStringLiteral(" - "));
}

} // namespace pondra
