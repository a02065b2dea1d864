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
    for (const auto& [isBold, name] :
         {std::pair{false, "fonts/URWGothic-Book.ttf"}, std::pair{true, "fonts/URWGothic-Demi.ttf"}}) {
        if (isBold && !bold) {
            continue;
        }
        QFile face(programFile(QString::fromLatin1(name)));
        if (!face.open(QIODevice::ReadOnly)) {
            break;
        }
        faces.push_back({isBold, face.readAll()});
    }
    return faces;
}

} // namespace pondra
