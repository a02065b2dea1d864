#include "typeface.h"

#include "pagesetup.h"

#include "settings/programfiles.h"

#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QTextLayout>
#include <QtEndian>

#include <mutex>

namespace pondra {

namespace {

// Faces are measured at this size, where the rounding of the font engine is below a thousandth of
// an em, and scaled to the size asked for.
constexpr int ReferencePixels = 2048;

QRawFont rawFace(const QString& family, bool bold)
{
    QFont font(family);
    font.setPixelSize(ReferencePixels);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferNoShaping));
    font.setKerning(false);
    return QRawFont::fromFont(font);
}

// A face whose glyphs a PDF can embed: TrueType outlines, and a licence that allows embedding.
bool embeddable(const QRawFont& face)
{
    const QByteArray os2 = face.fontTable("OS/2");
    return !face.fontTable("glyf").isEmpty() &&
           !(os2.size() >= 10 && (qFromBigEndian<quint16>(os2.constData() + 8) & 0x0002));
}

// The face the system's font fallback shows the character in, as the windows show it.
QRawFont fallbackFace(const QString& family, bool bold, char32_t c)
{
    QFont font(family);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    QTextLayout layout(QString::fromUcs4(&c, 1), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        QRawFont face = run.rawFont();
        if (face.isValid() && !run.glyphIndexes().contains(0) && embeddable(face)) {
            face.setPixelSize(ReferencePixels);
            return face;
        }
    }
    return {};
}

qint16 signedAt(const QByteArray& table, int offset)
{
    return qFromBigEndian<qint16>(reinterpret_cast<const uchar*>(table.constData()) + offset);
}

} // namespace

void addShippedFaces()
{
    static std::once_flag added;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return;
    }
    std::call_once(added, [] {
        struct Shipped {
            const char* family;
            const char* files[2];
        };
        static constexpr Shipped shipped[] = {
            {LayoutFont, {"fonts/URWGothic-Book.ttf", "fonts/URWGothic-Demi.ttf"}},
            {FallbackFont, {"fonts/DejaVuSans.ttf", "fonts/DejaVuSans-Bold.ttf"}},
        };
        for (const Shipped& faces : shipped) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(faces.family))) {
                continue;
            }
            for (const char* file : faces.files) {
                const QString path = programFile(QString::fromLatin1(file));
                if (QFileInfo(path).isFile()) {
                    QFontDatabase::addApplicationFont(path);
                }
            }
        }
    });
}

Typeface::Typeface(const QStringList& families, bool bold) : m_bold(bold)
{
    addShippedFaces();
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            const QRawFont face = rawFace(family, bold);
            if (face.isValid()) {
                m_faces.push_back(face);
            }
        }
    }
    if (m_faces.empty()) {
        // None of the families is installed: whatever the system gives for the first.
        m_faces.push_back(rawFace(families.value(0), bold));
    }
    const QRawFont& first = m_faces.front();
    const QByteArray hhea = first.fontTable("hhea");
    const double units = first.unitsPerEm();
    if (hhea.size() >= 10 && units > 0 && (signedAt(hhea, 4) != 0 || signedAt(hhea, 6) != 0)) {
        m_ascent = signedAt(hhea, 4) / units;
        m_descent = -signedAt(hhea, 6) / units;
        m_lineGap = std::max<qint16>(0, signedAt(hhea, 8)) / units;
    } else if (first.isValid()) {
        m_ascent = first.ascent() / ReferencePixels;
        m_descent = first.descent() / ReferencePixels;
        m_lineGap = first.leading() / ReferencePixels;
    }
}

std::optional<GlyphSource> Typeface::inFace(int index, char32_t c) const
{
    const QList<quint32> glyphs = m_faces[std::size_t(index)].glyphIndexesForString(QString::fromUcs4(&c, 1));
    if (glyphs.isEmpty() || glyphs.first() == 0) {
        return std::nullopt;
    }
    const QList<QPointF> advances =
        m_faces[std::size_t(index)].advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    return GlyphSource{index, glyphs.first(), float(advances.value(0).x() / ReferencePixels)};
}

GlyphSource Typeface::find(char32_t c)
{
    for (int i = 0; i < int(m_faces.size()); ++i) {
        if (const std::optional<GlyphSource> found = inFace(i, c)) {
            return *found;
        }
    }
    // A face the system falls back to joins the list, for the characters after this one too.
    if (const QRawFont face = fallbackFace(m_faces.front().familyName(), m_bold, c); face.isValid()) {
        m_faces.push_back(face);
        if (const std::optional<GlyphSource> found = inFace(int(m_faces.size()) - 1, c)) {
            return *found;
        }
        m_faces.pop_back();
    }
    // No face has it: the first face's empty box, as wide as a blank.
    const QList<quint32> blank = m_faces.front().glyphIndexesForString(QStringLiteral(" "));
    const QList<QPointF> advances =
        m_faces.front().advancesForGlyphIndexes(blank, QRawFont::UseDesignMetrics);
    return {0, 0, float(advances.value(0).x() / ReferencePixels)};
}

const GlyphSource& Typeface::glyph(char32_t c)
{
    if (c < 256) {
        if (!m_latinKnown[c]) {
            m_latin[c] = find(c);
            m_latinKnown[c] = true;
        }
        return m_latin[c];
    }
    auto it = m_others.find(c);
    if (it == m_others.end()) {
        it = m_others.insert(c, find(c));
    }
    return *it;
}

QRawFont Typeface::face(int index, double pixelSize)
{
    // Sizes to the hundredth of a point.
    const QPair<int, int> key(index, int(std::lround(pixelSize * 100)));
    auto it = m_sized.find(key);
    if (it == m_sized.end()) {
        QRawFont sized = m_faces[std::size_t(index)];
        sized.setPixelSize(pixelSize);
        it = m_sized.insert(key, sized);
    }
    return *it;
}

QString laidOutFamily(const QStringList& families)
{
    addShippedFaces();
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            return family;
        }
    }
    return {};
}

Typeface& Typefaces::get(bool bold)
{
    std::unique_ptr<Typeface>& slot = bold ? m_bold : m_regular;
    if (!slot) {
        slot = std::make_unique<Typeface>(m_families, bold);
    }
    return *slot;
}

} // namespace pondra
