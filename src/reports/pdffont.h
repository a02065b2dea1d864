#pragma once

#include <QByteArray>
#include <QHash>
#include <QRawFont>

#include <array>
#include <map>
#include <vector>

namespace pondra {

class PdfFile;

// A face as QtGui loaded it, as TrueType bytes rebuilt from its tables; empty for a face without
// TrueType outlines.
QByteArray trueTypeOf(const QRawFont& face);

// A TrueType face embedded in a PDF as a composite font: glyphs by their numbers in the face
// (Identity-H), their widths, their characters for copying and reading aloud (ToUnicode), and the
// face itself cut down to the glyphs shown.
class PdfFont {
public:
    explicit PdfFont(const QByteArray& trueType);

    bool isValid() const { return m_valid; }
    // The glyph of a character, noted as shown; 0 where the face has none.
    quint16 glyph(char32_t c);
    // A glyph's advance, in thousandths of the font size, as the PDF states it.
    double advance(quint16 glyph) const;

    // The font's objects; the first, numbered so, is the one a page names.
    void write(PdfFile& file, int object) const;

private:
    QByteArray table(const char* tag) const;
    QByteArray subset() const;

    QByteArray m_data;
    std::map<QByteArray, std::pair<quint32, quint32>> m_tables;
    QRawFont m_face;
    bool m_valid = false;
    double m_unitsPerEm = 1000;
    std::vector<quint16> m_advances;
    QHash<char32_t, quint16> m_glyphs;
    // By glyph, the character it was shown for; 0 for a glyph not shown.
    std::vector<char32_t> m_used;
    std::array<int, 256> m_latin;
};

} // namespace pondra
