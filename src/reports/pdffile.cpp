#include "pdffile.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace pondra {

namespace {

// Objects an object stream holds: a few kilobytes, compressed together.
constexpr std::size_t ObjectsPerStream = 500;
// Row objects are short and alike: more of them share a stream and its dictionary.
constexpr std::size_t RowObjectsPerStream = 2000;
// Fewer lines than these take less room among the other objects than in rows of their own.
constexpr qsizetype FewestRows = 100;

void put(QByteArray& b, quint64 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        b += char((value >> (8 * i)) & 0xFF);
    }
}

int digits(qint64 value)
{
    return int(QByteArray::number(value).size());
}

void padTo(QByteArray& b, qsizetype size)
{
    b += QByteArray(size - 1 - b.size() % size, ' ');
    b += '\n';
}

// Rows of the given width, each as its difference from the row above behind the tag of the PNG
// "up" predictor: the decoder adds them back.
QByteArray upPredicted(const QByteArray& data, int columns)
{
    QByteArray out;
    out.reserve(data.size() + data.size() / columns);
    for (qsizetype row = 0; row < data.size(); row += columns) {
        out += '\x02';
        for (int c = 0; c < columns; ++c) {
            const quint8 above = row == 0 ? 0 : quint8(data[row - columns + c]);
            out += char(quint8(data[row + c]) - above);
        }
    }
    return out;
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
        flushObjects(m_pending);
    }
}

void PdfFile::writeRows(int object, const QByteArray& value, const QByteArray& kind)
{
    Pending& objects = m_rows[kind];
    objects.emplace_back(object, value);
    if (objects.size() >= RowObjectsPerStream) {
        flushRows(objects);
    }
}

void PdfFile::flushObjects(Pending& objects)
{
    QByteArray index;
    QByteArray bodies;
    for (const auto& [object, value] : objects) {
        index += QByteArray::number(object) + ' ' + QByteArray::number(bodies.size()) + ' ';
        bodies += value + '\n';
    }
    writeObjectStream(objects, index + bodies, index.size(), QByteArray());
}

void PdfFile::flushRows(Pending& objects)
{
    // The width: the longest line and its line break.
    qsizetype width = 2;
    qsizetype rows = 0;
    int largestObject = 0;
    for (const auto& [object, value] : objects) {
        for (const QByteArray& line : value.split('\n')) {
            width = std::max(width, line.size() + 1);
            ++rows;
        }
        largestObject = std::max(largestObject, object);
    }
    // The index too is in rows, each pair right-aligned in as many rows as it needs, so that a
    // pair differs from the one above only where the numbers do.
    const int objectDigits = digits(largestObject);
    const int offsetDigits = digits(rows * width);
    const qsizetype pairRows = (objectDigits + 1 + offsetDigits + 1 + width - 1) / width;
    QByteArray index;
    QByteArray bodies;
    for (const auto& [object, value] : objects) {
        index += QByteArray::number(object).rightJustified(objectDigits) + ' ' +
                 QByteArray::number(bodies.size()).rightJustified(offsetDigits);
        padTo(index, pairRows * width);
        for (const QByteArray& line : value.split('\n')) {
            bodies += line;
            padTo(bodies, width);
        }
    }
    writeObjectStream(objects, upPredicted(index + bodies, int(width)), index.size(),
                      " /DecodeParms << /Predictor 12 /Columns " + QByteArray::number(width) + " >>");
}

void PdfFile::writeObjectStream(Pending& objects, const QByteArray& data, qsizetype first,
                                const QByteArray& decoding)
{
    if (objects.empty()) {
        return;
    }
    const int stream = reserve();
    for (std::size_t i = 0; i < objects.size(); ++i) {
        m_entries[std::size_t(objects[i].first)] = {2, stream, int(i)};
    }
    writeStream(stream,
                " /Type /ObjStm /N " + QByteArray::number(qsizetype(objects.size())) + " /First " +
                    QByteArray::number(first) + decoding,
                data);
    objects.clear();
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
    for (auto& [kind, objects] : m_rows) {
        qsizetype rows = 0;
        for (const auto& [object, value] : objects) {
            rows += value.count('\n') + 1;
        }
        if (rows < FewestRows) {
            m_pending.insert(m_pending.end(), objects.begin(), objects.end());
        } else {
            flushRows(objects);
        }
    }
    flushObjects(m_pending);
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
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        put(table, quint64(e.type), 1);
        put(table, quint64(e.offset), offsetBytes);
        put(table, quint64(i == 0 ? 65535 : e.index), 2);
    }
    const qint64 at = m_bytes.size();
    writeStream(xref,
                " /Type /XRef /Size " + QByteArray::number(qsizetype(m_entries.size())) + " /W [1 " +
                    QByteArray::number(offsetBytes) + " 2] /DecodeParms << /Predictor 12 /Columns " +
                    QByteArray::number(columns) + " >> /Root " + pdfReference(catalog) + " /Info " +
                    pdfReference(info) + " /ID [<" + id.toHex() + "> <" + id.toHex() + ">]",
                upPredicted(table, columns));
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
