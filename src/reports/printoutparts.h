#pragma once

#include "documentbuilder.h"

#include "model/identity.h"

#include <QStringList>

namespace pondra {

// Steps the printouts share.

// The program's name and description at the top of a printout, then the body size.
void standardHeading(DocumentBuilder& b, const IdentityTexts& identity, int titleSize, int descriptionSize);

// A table at the end of the document in the cell size, its header row written.
void appendTable(DocumentBuilder& b, int rows, const QStringList& header);

} // namespace pondra
