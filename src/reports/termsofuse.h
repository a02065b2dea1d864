#pragma once

#include "documentbuilder.h"

#include "model/identity.h"

#include <QString>

namespace pondra {

// The program's terms of use, as the terms-of-use window shows them: paragraphs separated by
// line breaks ('\n'). They speak of the start-up music only where it is installed.
QString termsOfUseText(bool withStartupMusic);

// The terms under the program's name and description, justified. The window passes the text its
// box holds at that moment; the command line passes termsOfUseText().
void printTermsOfUse(DocumentBuilder& b, const IdentityTexts& identity, const QString& text);

} // namespace pondra
