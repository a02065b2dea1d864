#include "pdffile.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace pondra {

namespace {

// Objects an object stream holds: a few kilobytes, compressed together.
constexpr std::size_t ObjectsPerStream = 500;

void put(QByteArray& b, quint64 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        b += char((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

PdfFile::PdfFile()
{
    // The binary comment tells transfer programs the file is not text.
    m_bytes = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
    m_entries.push_back({});
}

int PdfFile::reserve()
{
    m_entries.push_back({});
    return int(m_entries.size()) - 1;
}

void PdfFile::write(int object, const QByteArray& value)
{
    m_pending.emplace_back(object, value);
    if (m_pending.size() >= ObjectsPerStream) {
        flushObjects();
    }
}

void PdfFile::flushObjects()
{
    if (m_pending.empty()) {
        return;
    }
    const int stream = reserve();
    QByteArray index;
    QByteArray bodies;
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        index += QByteArray::number(m_pending[i].first);
        index += ' ';
        index += QByteArray::number(bodies.size());
        index += ' ';
        bodies += m_pending[i].second;
        bodies += '\n';
        m_entries[std::size_t(m_pending[i].first)] = {2, stream, int(i)};
    }
    const QByteArray entries = " /Type /ObjStm /N " + QByteArray::number(qsizetype(m_pending.size())) +
                               " /First " + QByteArray::number(index.size());
    m_pending.clear();
    writeStream(stream, entries, index + bodies);
}

void PdfFile::writeStream(int object, const QByteArray& entries, const QByteArray& data, bool compress)
{
    // qCompress puts the length before a zlib stream: the stream alone is what Flate decodes.
    // Level 5: as small as the default within a percent, a good deal faster on long studies.
    const QByteArray body = compress ? qCompress(data, 5).mid(4) : data;
    m_entries[std::size_t(object)] = {1, m_bytes.size(), 0};
    m_bytes += QByteArray::number(object) + " 0 obj\n<<" + entries +
               (compress ? QByteArray(" /Filter /FlateDecode") : QByteArray()) + " /Length " +
               QByteArray::number(body.size()) + ">>\nstream\n";
    m_bytes += body;
    m_bytes += "\nendstream\nendobj\n";
}

QByteArray PdfFile::finish(int catalog, int info, const QByteArray& id)
{
    flushObjects();
    const int xref = reserve();
    m_entries[std::size_t(xref)] = {1, m_bytes.size(), 0};
    // As few bytes as the largest offset needs, each row as its difference from the row above
    // (the PNG "up" predictor): the table then compresses to almost nothing.
    int offsetBytes = 1;
    while (offsetBytes < 8 && (quint64(m_bytes.size()) >> (8 * offsetBytes)) != 0) {
        ++offsetBytes;
    }
    const int columns = 1 + offsetBytes + 2;
    QByteArray table;
    QByteArray previous(columns, '\0');
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        QByteArray row;
        put(row, quint64(e.type), 1);
        put(row, quint64(e.offset), offsetBytes);
        put(row, quint64(i == 0 ? 65535 : e.index), 2);
        table += '\x02';
        for (int c = 0; c < columns; ++c) {
            table += char(quint8(row[c]) - quint8(previous[c]));
        }
        previous = row;
    }
    const qint64 at = m_bytes.size();
    writeStream(xref,
                " /Type /XRef /Size " + QByteArray::number(qsizetype(m_entries.size())) + " /W [1 " +
                    QByteArray::number(offsetBytes) + " 2] /DecodeParms << /Predictor 12 /Columns " +
                    QByteArray::number(columns) + " >> /Root " + pdfReference(catalog) + " /Info " +
                    pdfReference(info) + " /ID [<" + id.toHex() + "> <" + id.toHex() + ">]",
                table);
    m_bytes += "startxref\n" + QByteArray::number(at) + "\n%%EOF\n";
    return m_bytes;
}

void appendNumber(QByteArray& out, double value, int decimals)
{
    // Written by hand: a long study's pages hold millions of numbers.
    static constexpr qint64 Scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    decimals = std::clamp(decimals, 0, 6);
    qint64 n = std::llround(value * double(Scale[decimals]));
    if (n < 0) {
        out += '-';
        n = -n;
    }
    char digits[24];
    int length = 0;
    qint64 whole = n / Scale[decimals];
    qint64 fraction = n % Scale[decimals];
    int places = decimals;
    while (places > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --places;
    }
    for (int i = 0; i < places; ++i) {
        digits[length++] = char('0' + fraction % 10);
        fraction /= 10;
    }
    if (places > 0) {
        digits[length++] = '.';
    }
    do {
        digits[length++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (n == 0 && out.endsWith('-')) {
        out.chop(1);
    }
    while (length > 0) {
        out += digits[--length];
    }
}

QByteArray pdfNumber(double value, int decimals)
{
    QByteArray text;
    appendNumber(text, value, decimals);
    return text;
}

QByteArray pdfReference(int object)
{
    return QByteArray::number(object) + " 0 R";
}

QByteArray pdfText(const QString& text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes += char(c.unicode() >> 8);
        bytes += char(c.unicode() & 0xFF);
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

QByteArray pdfDate(const QDateTime& time)
{
    return "D:" + time.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + 'Z';
}

} // namespace pondra
