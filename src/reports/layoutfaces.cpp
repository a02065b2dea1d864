#include "layoutfaces.h"

#include "pagesetup.h"
#include "typeface.h"

#include "settings/programfiles.h"

#include <QFile>

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
    QFile face(
        programFile(QString::fromLatin1(bold ? "fonts/URWGothic-Demi.ttf" : "fonts/URWGothic-Book.ttf")));
    return face.open(QIODevice::ReadOnly) ? face.readAll() : QByteArray();
}

} // namespace pondra
