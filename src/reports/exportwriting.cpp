#include "exportwriting.h"

#include "archive/filewriting.h"
#include "archive/regularfile.h"

namespace pondra {

bool failExport(const QString& path, const QString& reason, QString* error)
{
    if (error) {
        *error = QStringLiteral("Il file «%1» non si può scrivere: %2").arg(shownFileName(path), reason);
    }
    return false;
}

bool writeWholeFile(const QByteArray& bytes, const QString& path, QString* error)
{
    QString reason;
    return saveWholeFile(path, bytes, &reason) || failExport(path, reason, error);
}

} // namespace pondra
