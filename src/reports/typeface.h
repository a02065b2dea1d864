#pragma once

#include <QHash>
#include <QRawFont>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace pondra {

// Where a character's glyph comes from: which face of the family list, and which glyph.
struct GlyphSource {
    int face = 0;
    quint32 glyph = 0;
    // Advance in em (the font size).
    float advance = 0;
};

// One weight of the document's family list, measured from the font files as designed: no
// hinting and no rounding to a device's pixels, so a length in points is the same on screen, in
// the PDF and on paper, and the same as in a word processor laying out the same font.
class Typeface {
public:
    Typeface(const QStringList& families, bool bold);

    // The font's own line spacing in em, as a word processor sets single spacing: ascender,
    // descender and line gap of the first face.
    double lineSpacing() const { return m_ascent + m_descent + m_lineGap; }
    // From the top of a line to its baseline, in em.
    double baseline() const { return m_lineGap / 2 + m_ascent; }

    // The glyph for a character, from the first face that has one; where none of the family list
    // has it, from the face the system's font fallback finds for it, if that face can go into a
    // PDF. Glyph 0 when no installed face can show it.
    const GlyphSource& glyph(char32_t c);
    float advance(char32_t c) { return glyph(c).advance; }

    // The face at the given pixel size, to draw with.
    QRawFont face(int index, double pixelSize);
    int faceCount() const { return int(m_faces.size()); }

private:
    GlyphSource find(char32_t c);
    std::optional<GlyphSource> inFace(int index, char32_t c) const;
    bool m_bold = false;

    std::vector<QRawFont> m_faces;
    double m_ascent = 0.8;
    double m_descent = 0.2;
    double m_lineGap = 0;
    std::array<GlyphSource, 256> m_latin{};
    std::array<bool, 256> m_latinKnown{};
    QHash<char32_t, GlyphSource> m_others;
    // Faces at the sizes drawn, made once each.
    QHash<QPair<int, int>, QRawFont> m_sized;
};

// Where the system lacks the faces the pages are laid out in (Windows has neither URW Gothic nor
// DejaVu Sans), those shipped beside the program are added for this process, so that every
// system counts the same pages. Needs the GUI application; done once.
void addShippedFaces();

// The family the pages are laid out in: the first of the list that is installed, or none.
QString laidOutFamily(const QStringList& families);

// The typefaces of a document's family list, regular and bold.
class Typefaces {
public:
    explicit Typefaces(const QStringList& families) : m_families(families) {}
    Typeface& get(bool bold);

private:
    QStringList m_families;
    std::unique_ptr<Typeface> m_regular;
    std::unique_ptr<Typeface> m_bold;
};

} // namespace pondra
