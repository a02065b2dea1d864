#include "termsofuse.h"

#include "pagesetup.h"

#include <QFile>
#include <QStringList>

// The terms are compiled into a static library: nothing references them, so the linker would
// drop them unless someone asks for them by name.
static void initTerms()
{
    Q_INIT_RESOURCE(terms);
}

namespace pondra {

QString termsOfUseText(bool withStartupMusic)
{
    static const bool initialised = (initTerms(), true);
    Q_UNUSED(initialised);
    QFile file(QStringLiteral(":/pondra/condizioni-d-uso.txt"));
    file.open(QIODevice::ReadOnly);
    QStringList paragraphs = QString::fromUtf8(file.readAll()).trimmed().split(u'\n');
    if (withStartupMusic) {
        constexpr int Prohibitions = 3;
        paragraphs[Prohibitions] +=
            QStringLiteral(" Il file audio che accompagna il programma è concesso solo per l'uso "
                           "all'interno del programma e non può essere estratto né diffuso "
                           "separatamente.");
    }
    return paragraphs.join(u'\n');
}

void printTermsOfUse(DocumentBuilder& b, const IdentityTexts& identity, const QString& text)
{
    b.setFontName(QString::fromLatin1(DocumentFont));
    b.setFontSize(20);
    b.typeText(identity.ProgramName + u'\r');
    b.setFontSize(16);
    b.typeText(identity.ProgramDescription + QStringLiteral("\r\r\r"));
    b.setFontSize(12);
    b.typeText(text + u'\r');
    b.justifyAll();
}

} // namespace pondra
