#pragma once

#include "model/identity.h"

#include <QString>
#include <QStringList>

class QTextDocument;

namespace pondra {

// "Pondra -guida.docx": the stored program name, blank included, then "-guida".
QString helpGuideFileName(const IdentityTexts& identity);

// The program's folder, then the user's documents folder.
QStringList defaultGuideFolders();

// Writes the document as fileName into the first of the folders that exists, is writable and
// takes the file. Returns the path written; on failure an empty path and, when error is given,
// an Italian message saying where and why.
QString saveHelpGuide(const QTextDocument& document, const QString& fileName, const QStringList& folders,
                      QString* error);

} // namespace pondra
