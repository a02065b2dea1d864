#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace testsupport {

// Pages of a written PDF: its page objects.
inline int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace testsupport
