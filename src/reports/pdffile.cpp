#include "pdffile.h"

#include <QDateTime>

#include <cmath>

namespace pondra {

namespace {

// Objects an object stream holds: a few kilobytes, compressed together.
constexpr std::size_t ObjectsPerStream = 200;

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
        index += QByteArray::number(m_pending[i].first) + ' ' + QByteArray::number(bodies.size()) + ' ';
        bodies += m_pending[i].second + '\n';
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
    const QByteArray body = compress ? qCompress(data, 6).mid(4) : data;
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
    QByteArray table;
    for (const Entry& e : m_entries) {
        put(table, quint64(e.type == 0 ? 0 : e.type), 1);
        put(table, quint64(e.offset), 4);
        put(table, quint64(e.type == 0 ? (&e == &m_entries.front() ? 65535 : 0) : e.index), 2);
    }
    const qint64 at = m_bytes.size();
    writeStream(xref,
                " /Type /XRef /Size " + QByteArray::number(qsizetype(m_entries.size())) + " /W [1 4 2] /Root " +
                    pdfReference(catalog) + " /Info " + pdfReference(info) + " /ID [<" + id.toHex() + "> <" +
                    id.toHex() + ">]",
                table);
    m_bytes += "startxref\n" + QByteArray::number(at) + "\n%%EOF\n";
    return m_bytes;
}

QByteArray pdfNumber(double value, int decimals)
{
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) {
        return "0";
    }
    QByteArray text = QByteArray::number(value, 'f', decimals);
    if (text.contains('.')) {
        while (text.endsWith('0')) {
            text.chop(1);
        }
        if (text.endsWith('.')) {
            text.chop(1);
        }
    }
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
