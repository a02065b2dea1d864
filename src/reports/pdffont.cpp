#include "pdffont.h"

#include "pdffile.h"

#include <QtEndian>

#include <hb-subset.h>

#include <memory>
#include <utility>

namespace pondra {

namespace {

quint16 u16(const QByteArray& b, qsizetype at)
{
    return at + 2 <= b.size() ? qFromBigEndian<quint16>(b.constData() + at) : 0;
}

quint32 u32(const QByteArray& b, qsizetype at)
{
    return at + 4 <= b.size() ? qFromBigEndian<quint32>(b.constData() + at) : 0;
}

void put16(QByteArray& b, quint16 v)
{
    b += char(v >> 8);
    b += char(v & 0xFF);
}

void put32(QByteArray& b, quint32 v)
{
    put16(b, quint16(v >> 16));
    put16(b, quint16(v & 0xFFFF));
}

quint32 checksum(const QByteArray& data)
{
    QByteArray padded = data;
    padded.append((4 - padded.size() % 4) % 4, '\0');
    quint32 sum = 0;
    for (qsizetype i = 0; i < padded.size(); i += 4) {
        sum += u32(padded, i);
    }
    return sum;
}

QByteArray hex16(quint32 v)
{
    return QByteArray::number(v, 16).rightJustified(4, '0').toUpper();
}

QByteArray utf16Hex(char32_t c)
{
    QByteArray out;
    const QString s = QString::fromUcs4(&c, 1);
    for (const QChar u : s) {
        out += hex16(u.unicode());
    }
    return out;
}

// Tables a PDF renderer reads from an embedded TrueType face; the rest (names, glyph names,
// character maps, layout features) only add weight.
const char* const KeptTables[] = {"OS/2", "cvt ", "fpgm", "glyf", "head",
                                  "hhea", "hmtx", "loca", "maxp", "prep"};

// A TrueType face from its tables, with the directory and checksums a reader expects; the
// whole face's checksum in its head table is worked out again.
QByteArray assembled(std::map<QByteArray, QByteArray> tables)
{
    QByteArray& head = tables["head"];
    if (head.size() < 12) {
        return {};
    }
    qToBigEndian<quint32>(0, head.data() + 8);
    QByteArray font;
    const int n = int(tables.size());
    int power = 1;
    int log = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++log;
    }
    put32(font, 0x00010000);
    put16(font, quint16(n));
    put16(font, quint16(16 * power));
    put16(font, quint16(log));
    put16(font, quint16(16 * (n - power)));
    quint32 at = 12 + 16 * quint32(n);
    QByteArray bodies;
    qsizetype headAt = 0;
    for (const auto& [tag, data] : tables) {
        font += tag;
        put32(font, checksum(data));
        put32(font, at + quint32(bodies.size()));
        put32(font, quint32(data.size()));
        if (tag == "head") {
            headAt = at + bodies.size();
        }
        bodies += data;
        bodies.append((4 - bodies.size() % 4) % 4, '\0');
    }
    font += bodies;
    qToBigEndian<quint32>(0xB1B0AFBA - checksum(font), font.data() + headAt + 8);
    return font;
}

} // namespace

QByteArray trueTypeOf(const QRawFont& face)
{
    // The character map and names too: the face is read again from these bytes.
    std::map<QByteArray, QByteArray> tables;
    for (const char* tag : KeptTables) {
        tables[QByteArray(tag)] = face.fontTable(tag);
    }
    for (const char* tag : {"cmap", "name"}) {
        tables[QByteArray(tag)] = face.fontTable(tag);
    }
    std::erase_if(tables, [](const auto& table) { return table.second.isEmpty(); });
    return tables.count("glyf") ? assembled(std::move(tables)) : QByteArray();
}

PdfFont::PdfFont(const QByteArray& trueType) : m_data(trueType)
{
    const int count = u16(m_data, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 12 + 16 * i;
        m_tables[m_data.mid(at, 4)] = {u32(m_data, at + 8), u32(m_data, at + 12)};
    }
    const QByteArray head = table("head");
    const QByteArray hhea = table("hhea");
    const QByteArray hmtx = table("hmtx");
    const int glyphs = u16(table("maxp"), 4);
    m_unitsPerEm = u16(head, 18);
    const int metrics = u16(hhea, 34);
    if (head.size() < 54 || metrics == 0 || glyphs == 0 || m_unitsPerEm <= 0 || table("glyf").isEmpty()) {
        return;
    }
    // A face whose licence forbids embedding it stays out of the file.
    if (u16(table("OS/2"), 8) & 0x0002) {
        return;
    }
    m_advances.resize(std::size_t(glyphs));
    m_used.assign(std::size_t(glyphs), 0);
    m_latin.fill(-1);
    for (int g = 0; g < glyphs; ++g) {
        m_advances[std::size_t(g)] = u16(hmtx, 4 * std::min(g, metrics - 1));
    }
    m_face.loadFromData(m_data, 12, QFont::PreferNoHinting);
    m_valid = m_face.isValid();
}

QByteArray PdfFont::table(const char* tag) const
{
    const auto it = m_tables.find(QByteArray(tag));
    return it == m_tables.end() ? QByteArray() : m_data.mid(it->second.first, it->second.second);
}

quint16 PdfFont::glyph(char32_t c)
{
    if (c < m_latin.size() && m_latin[c] >= 0) {
        return quint16(m_latin[c]);
    }
    auto it = m_glyphs.find(c);
    if (it == m_glyphs.end()) {
        const QList<quint32> found = m_face.glyphIndexesForString(QString::fromUcs4(&c, 1));
        const quint32 g = found.isEmpty() || found.first() >= m_advances.size() ? 0 : found.first();
        it = m_glyphs.insert(c, quint16(g));
        if (g != 0) {
            m_used[g] = c;
        }
        if (c < m_latin.size()) {
            m_latin[c] = int(g);
        }
    }
    return *it;
}

double PdfFont::advance(quint16 glyph) const
{
    return glyph < m_advances.size() ? m_advances[glyph] * 1000.0 / m_unitsPerEm : 0;
}

// The face cut down by HarfBuzz to the glyphs shown and the glyphs they are made of, each keeping
// its number, as the pages name glyphs by the face's own numbers.
QByteArray PdfFont::subset() const
{
    const auto blob = std::unique_ptr<hb_blob_t, decltype(&hb_blob_destroy)>(
        hb_blob_create(m_data.constData(), unsigned(m_data.size()), HB_MEMORY_MODE_READONLY, nullptr,
                       nullptr),
        &hb_blob_destroy);
    const auto face = std::unique_ptr<hb_face_t, decltype(&hb_face_destroy)>(hb_face_create(blob.get(), 0),
                                                                             &hb_face_destroy);
    const auto input = std::unique_ptr<hb_subset_input_t, decltype(&hb_subset_input_destroy)>(
        hb_subset_input_create_or_fail(), &hb_subset_input_destroy);
    auto cut = std::unique_ptr<hb_face_t, decltype(&hb_face_destroy)>(nullptr, &hb_face_destroy);
    if (input) {
        hb_set_t* glyphs = hb_subset_input_glyph_set(input.get());
        for (std::size_t g = 0; g < m_used.size(); ++g) {
            if (g == 0 || m_used[g] != 0) {
                hb_set_add(glyphs, hb_codepoint_t(g));
            }
        }
        hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_RETAIN_GIDS);
        cut.reset(hb_subset_or_fail(face.get(), input.get()));
    }
    // Should HarfBuzz fail, the whole face goes in: heavier, but every glyph is there.
    hb_face_t* embedded = cut ? cut.get() : face.get();
    std::map<QByteArray, QByteArray> tables;
    for (const char* tag : KeptTables) {
        const auto table = std::unique_ptr<hb_blob_t, decltype(&hb_blob_destroy)>(
            hb_face_reference_table(embedded, HB_TAG(tag[0], tag[1], tag[2], tag[3])), &hb_blob_destroy);
        unsigned int length = 0;
        const char* data = hb_blob_get_data(table.get(), &length);
        if (length > 0) {
            tables[QByteArray(tag)] = QByteArray(data, qsizetype(length));
        }
    }
    return assembled(std::move(tables));
}

void PdfFont::write(PdfFile& file, int object) const
{
    const int cidFont = file.reserve();
    const int descriptor = file.reserve();
    const int program = file.reserve();
    const int toUnicode = file.reserve();
    const QByteArray head = table("head");
    const QByteArray hhea = table("hhea");
    const QByteArray os2 = table("OS/2");
    const double k = 1000.0 / m_unitsPerEm;
    const auto scaled = [&](qint16 v) { return pdfNumber(v * k, 0); };

    // The subset's name starts with a tag of six capitals that tells it from other subsets.
    QByteArray name = m_face.familyName().toLatin1().replace(' ', "") + '-' +
                      m_face.styleName().toLatin1().replace(' ', "");
    quint32 hash = qHash(name);
    for (std::size_t g = 0; g < m_used.size(); ++g) {
        hash = m_used[g] != 0 ? hash * 31 + quint32(g) : hash;
    }
    QByteArray tag;
    for (int i = 0; i < 6; ++i, hash /= 26) {
        tag += char('A' + hash % 26);
    }
    name = tag + '+' + name;

    file.write(object, "<< /Type /Font /Subtype /Type0 /BaseFont /" + name +
                           " /Encoding /Identity-H /DescendantFonts [" + pdfReference(cidFont) +
                           "] /ToUnicode " + pdfReference(toUnicode) + " >>");
    std::vector<std::pair<quint16, char32_t>> used;
    for (std::size_t g = 0; g < m_used.size(); ++g) {
        if (m_used[g] != 0) {
            used.emplace_back(quint16(g), m_used[g]);
        }
    }
    QByteArray widths;
    for (auto it = used.begin(); it != used.end();) {
        QByteArray run = QByteArray::number(it->first) + " [";
        quint16 next = it->first;
        for (; it != used.end() && it->first == next; ++it, ++next) {
            run += pdfNumber(advance(it->first), 1) + ' ';
        }
        run.chop(1);
        widths += run + "] ";
    }
    file.write(cidFont, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
                            " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                            " /FontDescriptor " +
                            pdfReference(descriptor) + " /DW " + pdfNumber(advance(0), 1) + " /W [" + widths +
                            "] /CIDToGIDMap /Identity >>");
    const qint16 ascent = qint16(u16(hhea, 4));
    const qint16 descent = qint16(u16(hhea, 6));
    const qint16 capHeight = u16(os2, 0) >= 2 ? qint16(u16(os2, 88)) : ascent;
    const bool bold = u16(os2, 4) >= 600;
    file.write(descriptor, "<< /Type /FontDescriptor /FontName /" + name + " /Flags 32 /FontBBox [" +
                               scaled(qint16(u16(head, 36))) + ' ' + scaled(qint16(u16(head, 38))) + ' ' +
                               scaled(qint16(u16(head, 40))) + ' ' + scaled(qint16(u16(head, 42))) +
                               "] /ItalicAngle 0 /Ascent " + scaled(ascent) + " /Descent " + scaled(descent) +
                               " /CapHeight " + scaled(capHeight) + " /StemV " + (bold ? "140" : "80") +
                               " /FontFile2 " + pdfReference(program) + " >>");
    const QByteArray face = subset();
    file.writeStream(program, " /Length1 " + QByteArray::number(face.size()), face);

    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (std::size_t i = 0; i < used.size(); i += 100) {
        const std::size_t end = std::min(used.size(), i + 100);
        cmap += QByteArray::number(qsizetype(end - i)) + " beginbfchar\n";
        for (std::size_t j = i; j < end; ++j) {
            cmap += '<' + hex16(used[j].first) + "> <" + utf16Hex(used[j].second) + ">\n";
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    file.writeStream(toUnicode, QByteArray(), cmap);
}

} // namespace pondra
