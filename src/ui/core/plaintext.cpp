#include "plaintext.h"

#include "model/textrules.h"

#include <QTextDocument>

namespace pondra {

QString plainToolTip(const QString& text)
{
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

QString plainWindowTitle(const QString& text)
{
    // Qt shows a doubled placeholder as one literal "[*]".
    return printableText(text).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

} // namespace pondra
