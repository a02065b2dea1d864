#pragma once

#include <QString>

namespace pondra {

// Texts from a file or from the user, for the places where Qt would read them as markup or as
// a placeholder. Labels take Qt::PlainText and message boxes are plain already.

// A tooltip shows rich text when its text looks like markup: this one always shows the text
// as it stands (an empty text stays empty, so no tooltip).
QString plainToolTip(const QString& text);

// A window title shows "[*]" as the modified mark and cannot show a line break: this one shows
// the text as it stands, with anything unprintable escaped.
QString plainWindowTitle(const QString& text);

} // namespace pondra
