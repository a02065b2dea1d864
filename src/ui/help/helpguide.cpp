#include "helpguide.h"

#include "reports/documentexport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pondra {

QString helpGuideFileName(const IdentityTexts& identity)
{
    return identity.ProgramName + QStringLiteral("-guida.docx");
}

QStringList defaultGuideFolders()
{
    return {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()};
}

QString saveHelpGuide(const QTextDocument& document, const QString& fileName, const QStringList& folders,
                      QString* error)
{
    QStringList reasons;
    for (const QString& folder : folders) {
        if (folder.isEmpty()) {
            continue;
        }
        // A user without a documents folder yet gets one, as file managers make it.
        if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
            reasons << QStringLiteral("La cartella «%1» non si può creare.")
                           .arg(QDir::toNativeSeparators(folder));
            continue;
        }
        const QFileInfo place(folder);
        if (!place.isWritable()) {
            reasons << QStringLiteral("Nella cartella «%1» non si può scrivere.")
                           .arg(QDir::toNativeSeparators(folder));
            continue;
        }
        const QString path = QDir(folder).filePath(fileName);
        QString failure;
        if (exportDocument(document, path, &failure)) {
            return path;
        }
        reasons << failure;
    }
    if (error) {
        *error = QStringLiteral("La guida «%1» non si è potuta salvare.").arg(fileName);
        *error += reasons.isEmpty()
                      ? QStringLiteral(" Non è stata indicata alcuna cartella in cui scriverla.")
                      : u'\n' + reasons.join(u'\n');
    }
    return {};
}

} // namespace pondra
