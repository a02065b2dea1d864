#include "layoutfaces.h"

#include "pagesetup.h"
#include "typeface.h"

#include "archive/fontfile.h"
#include "archive/regularfile.h"
#include "settings/programfiles.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace pondra {

std::vector<LayoutFace> layoutFaces(const DocumentContent& content)
{
    std::vector<LayoutFace> faces;
    if (laidOutFamily(content.families) != QLatin1StringView(LayoutFont)) {
        return faces;
    }
    const bool bold = std::any_of(content.styles.begin(), content.styles.end(),
                                  [](const TextStyle& style) { return style.bold; });
    for (bool isBold : {false, true}) {
        if (isBold && !bold) {
            continue;
        }
        QByteArray data = layoutFaceData(isBold);
        if (data.isEmpty()) {
            break;
        }
        faces.push_back({isBold, std::move(data)});
    }
    return faces;
}

QByteArray layoutFaceData(bool bold)
{
    const QString name = QString::fromLatin1(bold ? "fonts/URWGothic-Demi.ttf" : "fonts/URWGothic-Book.ttf");
    // The user's own copy comes first, but only a sound font of a reasonable size: anything else
    // is passed over, said once, for the installed one.
    for (const QString& folder : programFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        QByteArray data;
        QString reason;
        if (readRegularFile(path, MaxFontFileBytes, &data, &reason) && isFontFile(data, &reason)) {
            return data;
        }
        noteOnce(QStringLiteral("il carattere «%1» non si usa: %2").arg(shownFileName(path), reason));
    }
    return {};
}

} // namespace pondra
