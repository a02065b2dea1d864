#pragma once

#include "model/identity.h"

#include <QString>
#include <QStringList>

class QTextDocument;

namespace pondra {

// "Pondra -guida.docx": the stored program name, blank included, then "-guida".
QString helpGuideFileName(const IdentityTexts& identity);

// The user's documents folder, then the home folder: never the program's own folder, which an
// installed program cannot write and a user does not look in.
QStringList defaultGuideFolders();

// Writes the document as fileName into the first of the folders that exists or can be created,
// is writable and takes the file. Returns the path written; on failure an empty path and, when error is
// given, an Italian message saying where and why.
QString saveHelpGuide(const QTextDocument& document, const QString& fileName, const QStringList& folders,
                      QString* error);

} // namespace pondra
