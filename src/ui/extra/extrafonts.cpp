#include "extrafonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace pondra {

namespace {

QString firstInstalled(const QStringList& families)
{
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            return family;
        }
    }
    return {};
}

} // namespace

QFont brandFont(int pixelSize)
{
    QFont font;
    const QString decorative = firstInstalled({QStringLiteral("Simpson"), QStringLiteral("URW Chancery L"),
                                               QStringLiteral("Z003"), QStringLiteral("TeX Gyre Chorus")});
    if (!decorative.isEmpty()) {
        font.setFamily(decorative);
    } else {
        font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                          QStringLiteral("Times New Roman")});
        font.setStyleHint(QFont::Serif);
        font.setItalic(true);
        font.setBold(true);
    }
    font.setPixelSize(pixelSize);
    return font;
}

QFont programNameFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Archivo Black"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Black);
    font.setPixelSize(pixelSize);
    return font;
}

QFont textFont(int pixelSize, bool bold, bool italic)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace pondra
